# Reads every #include "folder/..." under SRC (default: the repo's src/) and
# fails when a folder includes one it may not use (the layers of Lumeko.cmake).
# Run by the test command, so an upward include fails it even where the build
# could not give each library its own include root.
#   cmake -DLUMEKO_ROOT=<repo> [-DSRC=<tree>] -P CheckLayering.cmake
if(NOT SRC)
  set(SRC ${LUMEKO_ROOT}/src)
endif()
include(${LUMEKO_ROOT}/cmake/Lumeko.cmake)

set(violations "")
file(GLOB folders RELATIVE ${SRC} ${SRC}/*)
foreach(folder ${folders})
  if(NOT IS_DIRECTORY ${SRC}/${folder})
    continue()
  endif()
  list(FIND LUMEKO_LAYERS ${folder} known)
  if(known EQUAL -1)
    string(APPEND violations "  src/${folder} is no layer of Lumeko.cmake\n")
    continue()
  endif()
  set(allowed ${folder} ${LUMEKO_LAYER_${folder}})
  file(GLOB_RECURSE files ${SRC}/${folder}/*.h ${SRC}/${folder}/*.hpp ${SRC}/${folder}/*.c ${SRC}/${folder}/*.cpp
       ${SRC}/${folder}/*.rc)
  foreach(f ${files})
    file(STRINGS ${f} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"[A-Za-z0-9_]+/")
    foreach(line ${includes})
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([A-Za-z0-9_]+)/.*" "\\1" used "${line}")
      list(FIND allowed ${used} ok)
      if(ok EQUAL -1)
        file(RELATIVE_PATH rel ${SRC} ${f})
        string(APPEND violations "  ${rel}: ${folder} includes ${used} (it may use: ${allowed})\n")
      endif()
    endforeach()
  endforeach()
endforeach()

if(violations)
  message(FATAL_ERROR "includes against the layers:\n${violations}")
endif()
message(STATUS "every include keeps to its layer")
