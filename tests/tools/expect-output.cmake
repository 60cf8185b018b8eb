# Runs TOOL with the ;-list ARGS and fails unless it exits with RESULT and, when EXPECTED names a
# file, prints exactly that file's bytes.
execute_process(COMMAND ${TOOL} ${ARGS} OUTPUT_VARIABLE output ERROR_VARIABLE errors
                RESULT_VARIABLE result)
if(NOT result EQUAL RESULT)
  message(FATAL_ERROR "exit ${result}, expected ${RESULT}: ${errors}")
endif()
if(EXPECTED)
  file(READ ${EXPECTED} expected)
  if(NOT output STREQUAL expected)
    message(FATAL_ERROR "output:\n${output}\nexpected:\n${expected}")
  endif()
endif()
