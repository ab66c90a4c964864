# Fails when a folder of src/ includes a folder of its own layer or of a layer above it, or when src/ holds
# a folder that no layer names. Layers from the ground up; folders of one layer include none of each other.
cmake_minimum_required(VERSION 3.25)
set(layers
  "model"
  "files"
  "input footing"
  "design"
  "output project draw"
  "print"
  "render"
  "cli pdf ui"
  "app")

set(level 0)
set(named "")
foreach(layer ${layers})
  string(REPLACE " " ";" members "${layer}")
  foreach(folder ${members})
    set(level_of_${folder} ${level})
    list(APPEND named ${folder})
  endforeach()
  math(EXPR level "${level} + 1")
endforeach()

set(bad "")
file(GLOB folders LIST_DIRECTORIES true RELATIVE ${ROOT}/src ${ROOT}/src/*)
foreach(folder ${folders})
  if(NOT IS_DIRECTORY ${ROOT}/src/${folder})
    continue()
  endif()
  if(NOT folder IN_LIST named)
    list(APPEND bad "src/${folder} belongs to no layer")
    continue()
  endif()
  file(GLOB_RECURSE files ${ROOT}/src/${folder}/*.h ${ROOT}/src/${folder}/*.cpp)
  foreach(f ${files})
    file(STRINGS ${f} lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"[a-z_]+/")
    foreach(line ${lines})
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([a-z_]+)/.*" "\\1" target "${line}")
      if(target STREQUAL folder OR NOT target IN_LIST named)
        continue()
      endif()
      if(NOT level_of_${target} LESS level_of_${folder})
        file(RELATIVE_PATH name ${ROOT} ${f})
        list(APPEND bad "${name} (${folder}) includes ${target}, which is not below it: ${line}")
      endif()
    endforeach()
  endforeach()
endforeach()
if(bad)
  list(JOIN bad "\n" bad)
  message(FATAL_ERROR "Includes against the layers:\n${bad}")
endif()
