# Fails when a file includes a folder of a layer above its own, or of the other folder of
# its own level. The layers are those of cmake/Layers.cmake.
#
#     cmake -DK_SOURCE_DIR=<tree> -P scripts/check-layers.cmake
#
# A file belongs to the layer of its folder; tests/X and tests/support/X to layer X; the
# rest of tests/support to the lowest layer. The program's own folders (resources,
# tests/benchmarks) stand on top of everything and are not checked.
cmake_minimum_required(VERSION 3.20)
if(NOT K_SOURCE_DIR)
  get_filename_component(K_SOURCE_DIR "${CMAKE_CURRENT_LIST_DIR}/.." ABSOLUTE)
endif()
include("${K_SOURCE_DIR}/cmake/Layers.cmake")
list(GET K_LAYERS 0 lowest)

# The layer of a path relative to the tree (a file or an include); empty for none.
function(layer_of path out)
  set(result "")
  if(path MATCHES "^tests/support/([a-z]+)/")
    set(result ${CMAKE_MATCH_1})
  elseif(path MATCHES "^tests/(support|harness|dependencies)/")
    set(result ${lowest})
  elseif(path MATCHES "^tests/([a-z]+)/")
    set(result ${CMAKE_MATCH_1})
  elseif(path MATCHES "^([a-z]+)/")
    set(result ${CMAKE_MATCH_1})
  endif()
  if(result AND NOT DEFINED K_LEVEL_${result})
    set(result "")
  endif()
  set(${out} "${result}" PARENT_SCOPE)
endfunction()

set(globs)
foreach(folder IN LISTS K_LAYERS ITEMS tests)
  foreach(extension IN ITEMS h cpp c rc)
    list(APPEND globs "${K_SOURCE_DIR}/${folder}/*.${extension}")
  endforeach()
endforeach()
file(GLOB_RECURSE files RELATIVE "${K_SOURCE_DIR}" ${globs})
list(SORT files)

set(checked 0)
set(faults 0)
foreach(file IN LISTS files)
  layer_of("${file}" own)
  if(NOT own)
    continue()
  endif()
  math(EXPR checked "${checked} + 1")
  file(STRINGS "${K_SOURCE_DIR}/${file}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
  foreach(line IN LISTS includes)
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]*)\".*" "\\1" included "${line}")
    layer_of("${included}" other)
    if(NOT other OR other STREQUAL own)
      continue()
    endif()
    if(K_LEVEL_${other} LESS K_LEVEL_${own})
      continue()
    endif()
    message(SEND_ERROR "${file}: includes \"${included}\", of ${other}, which does not stand below ${own}")
    math(EXPR faults "${faults} + 1")
  endforeach()
endforeach()

if(faults GREATER 0)
  message(FATAL_ERROR "${faults} includes point up the layers (${checked} files checked)")
endif()
message(STATUS "No include points up the layers (${checked} files checked)")
