# Helpers shared by the layer libraries, the tests and the benchmarks.

# One static library per layer, built from every source file of its folder. A layer compiles
# from a folder of its own in the build tree that holds a link to each of its files, at the
# file's place in the source tree, and it and what links it see the folders of the layers it
# links, never the source tree: an include of a layer it does not link finds no file however it
# is spelled (<...>, "a/../b/...", "../b/..." from the including file's folder, or a macro), as
# the links are to files and not to folders.
function(lomtak_layer name)
  cmake_parse_arguments(ARG "" "DIR" "LINK" ${ARGN})
  if(NOT ARG_DIR)
    set(ARG_DIR ${CMAKE_CURRENT_SOURCE_DIR})
  endif()
  file(GLOB sources CONFIGURE_DEPENDS ${ARG_DIR}/*.cpp)
  file(GLOB headers CONFIGURE_DEPENDS ${ARG_DIR}/*.h)
  add_library(${name} STATIC)
  set(root ${CMAKE_BINARY_DIR}/layers/${name})
  # Made anew at each configuration, so that a file removed from the layer leaves no link.
  file(REMOVE_RECURSE ${root})
  target_include_directories(${name} PUBLIC ${root})
  set_target_properties(${name} PROPERTIES LOMTAK_DIR ${ARG_DIR} LOMTAK_ROOT ${root})
  lomtak_layer_sources(${name} ${sources} ${headers})
  if(ARG_LINK)
    target_link_libraries(${name} PUBLIC ${ARG_LINK})
  endif()
  set_property(GLOBAL APPEND PROPERTY LOMTAK_LAYERS ${name})
endfunction()

# Adds source files of the source tree, and the header beside each, to a layer through its
# folder of links (a layer's sources given to target_sources would see the source tree).
function(lomtak_layer_sources layer)
  get_target_property(root ${layer} LOMTAK_ROOT)
  foreach(file ${ARGN})
    cmake_path(ABSOLUTE_PATH file BASE_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR})
    cmake_path(REPLACE_EXTENSION file LAST_ONLY .h OUTPUT_VARIABLE header)
    foreach(linked ${file} ${header})
      if(EXISTS ${linked})
        file(RELATIVE_PATH relative ${PROJECT_SOURCE_DIR} ${linked})
        cmake_path(GET relative PARENT_PATH folder)
        file(MAKE_DIRECTORY ${root}/${folder})
        file(CREATE_LINK ${linked} ${root}/${relative} SYMBOLIC)
        set_property(TARGET ${layer} APPEND PROPERTY LOMTAK_FILES ${linked})
      endif()
    endforeach()
    if(file MATCHES "\\.cpp$")
      file(RELATIVE_PATH relative ${PROJECT_SOURCE_DIR} ${file})
      target_sources(${layer} PRIVATE ${root}/${relative})
    endif()
  endforeach()
endfunction()

# The source files of a program that lie in the source tree, and beside each its header.
function(lomtak_files_of target out)
  get_target_property(sources ${target} SOURCES)
  get_target_property(base ${target} SOURCE_DIR)
  set(files)
  foreach(source ${sources})
    cmake_path(ABSOLUTE_PATH source BASE_DIRECTORY ${base})
    cmake_path(IS_PREFIX PROJECT_SOURCE_DIR ${source} NORMALIZE inside)
    cmake_path(IS_PREFIX PROJECT_BINARY_DIR ${source} NORMALIZE built)
    if(inside AND NOT built)
      list(APPEND files ${source})
      cmake_path(REPLACE_EXTENSION source LAST_ONLY .h OUTPUT_VARIABLE header)
      if(EXISTS ${header})
        list(APPEND files ${header})
      endif()
    endif()
  endforeach()
  set(${out} ${files} PARENT_SCOPE)
endfunction()

# A test that every file of the layers, and of the given programs, includes headers only of the
# layers its own target links, directly or through others, and that no layer links itself back.
# A header belongs to the layer of its folder, or of the source beside it. Call it once every
# layer is defined.
function(lomtak_layers_test name)
  get_property(layers GLOBAL PROPERTY LOMTAK_LAYERS)
  set(map "")
  foreach(layer ${layers})
    get_target_property(files ${layer} LOMTAK_FILES)
    # Sources added around the layer's folder of links see the source tree.
    lomtak_files_of(${layer} around)
    string(APPEND map "set(AROUND_${layer} \"${around}\")\n")
    foreach(file ${files})
      if(file MATCHES "\\.h$")
        file(RELATIVE_PATH header ${PROJECT_SOURCE_DIR} ${file})
        string(APPEND map "set(\"OWNER_${header}\" ${layer})\n")
      endif()
    endforeach()
    string(APPEND map "set(FILES_${layer} \"${files}\")\n")
  endforeach()
  foreach(program ${ARGN})
    lomtak_files_of(${program} files)
    string(APPEND map "set(FILES_${program} \"${files}\")\n")
  endforeach()
  # What each target reaches through its links, breadth first.
  foreach(target ${layers} ${ARGN})
    set(reach ${target})
    set(queue ${target})
    set(cycle FALSE)
    while(queue)
      list(POP_FRONT queue current)
      get_target_property(links ${current} LINK_LIBRARIES)
      foreach(link ${links})
        if(link STREQUAL target)
          set(cycle TRUE)
        elseif(link IN_LIST layers AND NOT link IN_LIST reach)
          list(APPEND reach ${link})
          list(APPEND queue ${link})
        endif()
      endforeach()
    endwhile()
    string(APPEND map "set(REACH_${target} \"${reach}\")\nset(CYCLE_${target} ${cycle})\n")
  endforeach()
  string(APPEND map "set(TARGETS \"${layers};${ARGN}\")\n")
  file(WRITE ${CMAKE_BINARY_DIR}/layers.cmake "${map}")
  add_test(NAME ${name} COMMAND ${CMAKE_COMMAND} -DMAP=${CMAKE_BINARY_DIR}/layers.cmake
           -DSOURCE_DIR=${PROJECT_SOURCE_DIR} -P ${PROJECT_SOURCE_DIR}/cmake/checklayers.cmake)
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
  # The tests' support headers and data serve the benchmarks too; they name each other from the
  # tests folder, and the benchmarks name them from the source root, which no program sees whole.
  file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/bench/root)
  file(CREATE_LINK ${PROJECT_SOURCE_DIR}/tests ${CMAKE_BINARY_DIR}/bench/root/tests SYMBOLIC)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests
                                             ${CMAKE_BINARY_DIR}/bench/root)
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
