cmake_minimum_required(VERSION 3.25)
# Run by the layers test (lomtak_layers_test in Lomtak.cmake) with MAP, the layers' files, the
# owners of their headers and what each target links, and SOURCE_DIR: fails with every include
# of a header whose layer the including target does not link, every layer source compiled from
# the source tree rather than its layer's folder, and every layer that links itself. The
# compiler refuses the layers' own wrong includes; this names them, and guards the programs,
# which compile from the source tree.
include(${MAP})
set(faults "")
foreach(target ${TARGETS})
  if(CYCLE_${target})
    string(APPEND faults "${target} links itself through the layers it links\n")
  endif()
  foreach(file ${AROUND_${target}})
    file(RELATIVE_PATH shown ${SOURCE_DIR} ${file})
    string(APPEND faults "${shown} (${target}) is compiled from the source tree, not through "
                         "its layer's folder (lomtak_layer_sources)\n")
  endforeach()
  foreach(file ${FILES_${target}})
    cmake_path(GET file PARENT_PATH folder)
    file(STRINGS ${file} includes REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<][^\">]+[\">]")
    foreach(line ${includes})
      string(REGEX REPLACE "^[^\"<]*[\"<]([^\">]+)[\">].*$" "\\1" written "${line}")
      # Where the compiler may find it: beside the including file, then from the source root.
      set(owner "")
      foreach(base ${folder} ${SOURCE_DIR})
        set(path ${base}/${written})
        cmake_path(NORMAL_PATH path)
        file(RELATIVE_PATH header ${SOURCE_DIR} ${path})
        if(NOT owner AND EXISTS ${path})
          set(owner "${OWNER_${header}}")
        endif()
      endforeach()
      if(owner AND NOT owner IN_LIST REACH_${target})
        file(RELATIVE_PATH shown ${SOURCE_DIR} ${file})
        string(APPEND faults
               "${shown} (${target}) includes ${written} of ${owner}, which it does not link\n")
      endif()
    endforeach()
  endforeach()
endforeach()
if(faults)
  message(FATAL_ERROR "${faults}")
endif()
