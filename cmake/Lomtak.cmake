# Helpers shared by the layer libraries, the tests and the benchmarks.

# One static library per layer, built from every source file of its folder.
function(lomtak_layer name)
  cmake_parse_arguments(ARG "" "DIR" "LINK" ${ARGN})
  if(NOT ARG_DIR)
    set(ARG_DIR ${CMAKE_CURRENT_SOURCE_DIR})
  endif()
  file(GLOB sources CONFIGURE_DEPENDS ${ARG_DIR}/*.cpp)
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  if(ARG_LINK)
    target_link_libraries(${name} PUBLIC ${ARG_LINK})
  endif()
endfunction()

# One GoogleTest executable per tests/ folder, each case its own CTest test.
function(lomtak_tests folder)
  cmake_parse_arguments(ARG "" "" "LINK" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*_test.cpp)
  if(NOT sources)
    return()
  endif()
  string(REPLACE "/" "_" target "test_${folder}")
  add_executable(${target} ${sources})
  set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  target_link_libraries(${target} PRIVATE ${ARG_LINK} GTest::gtest GTest::gmock GTest::gtest_main)
  target_include_directories(${target} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
  target_compile_definitions(${target} PRIVATE
    LOMTAK_TEST_DATA_DIR="${CMAKE_CURRENT_SOURCE_DIR}/data"
    LOMTAK_DIST_DIR="${LOMTAK_DIST_DIR}")
  gtest_discover_tests(${target}
    DISCOVERY_TIMEOUT 60
    # One value per property: the discovery splits a list value into separate words.
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
    ENVIRONMENT_MODIFICATION "SDL_AUDIODRIVER=set:dummy"
    # A hung case fails in minutes rather than holding CI for the default 25.
    TIMEOUT 120)
endfunction()

# One Google Benchmark executable per source file of bench/.
function(lomtak_benchmark name)
  cmake_parse_arguments(ARG "" "" "LINK" ${ARGN})
  add_executable(${name} ${CMAKE_CURRENT_SOURCE_DIR}/${name}.cpp)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
  target_link_libraries(${name} PRIVATE ${ARG_LINK} benchmark::benchmark benchmark::benchmark_main)
  # The tests' support headers and data serve the benchmarks too.
  target_compile_definitions(${name} PRIVATE LOMTAK_DIST_DIR="${LOMTAK_DIST_DIR}"
    LOMTAK_TEST_DATA_DIR="${PROJECT_SOURCE_DIR}/tests/data")
endfunction()

# A compiled help file built from a help project folder by tools/build-help, again whenever a
# file of the project changes.
function(lomtak_help target project output)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${project}/*)
  add_custom_command(OUTPUT ${output}
    COMMAND ${PROJECT_SOURCE_DIR}/tools/build-help ${project} ${output}
    DEPENDS ${sources} ${PROJECT_SOURCE_DIR}/tools/build-help
    COMMENT "Compiling ${output}")
  add_custom_target(${target} ALL DEPENDS ${output})
endfunction()
