# Fails the build when a source folder includes a folder it must not build on. Run as
#   cmake -DSRC=<src dir> -DSTAMP=<file> -P CheckIncludes.cmake
# Folders build on each other in one direction: a folder may include itself and any folder
# listed before it. The one exception is engine/Engine.h, which gathers every folder's state
# records into the engine context. Each record lives in the lowest folder that changes it, so
# no other file needs a higher folder's header: a lower folder reads a higher folder's record
# through the engine and never writes it. The decoders (codec) sit below the compositor
# (render): they hand up plain pixels, which render makes into its pictures, so neither needs
# the other's libraries and only the platform knows SDL. The schema needs nothing.
set(order files schema codec render platform archive engine data shell level gameplay frontend)
set(allowed_files files)
set(allowed_schema schema)
set(allowed_codec files codec)
set(allowed_render files codec render)
set(allowed_platform files codec render platform)
set(allowed_archive files archive)
set(allowed_engine files schema codec render platform archive engine)
set(gathered_records data/DataState.h shell/ShellState.h level/LevelState.h
    gameplay/SessionState.h gameplay/RunningLevel.h frontend/FrontEndState.h
    frontend/PlayerSettings.h)

set(problems "")
foreach(folder IN LISTS order)
  if(DEFINED allowed_${folder})
    set(allowed ${allowed_${folder}})
  else()
    list(FIND order ${folder} position)
    list(SUBLIST order 0 ${position} allowed)
    list(APPEND allowed ${folder})
  endif()
  file(GLOB files ${SRC}/${folder}/*.h ${SRC}/${folder}/*.cpp)
  foreach(file IN LISTS files)
    file(RELATIVE_PATH shown ${SRC} ${file})
    file(STRINGS ${file} lines REGEX "^#include \"[a-z]+/")
    foreach(line IN LISTS lines)
      string(REGEX REPLACE "^#include \"([^\"]+)\".*" "\\1" included "${line}")
      string(REGEX REPLACE "/.*" "" target "${included}")
      list(FIND allowed ${target} ok)
      if(ok EQUAL -1)
        if(shown STREQUAL "engine/Engine.h")
          list(FIND gathered_records ${included} gathered)
          if(NOT gathered EQUAL -1)
            continue()
          endif()
        endif()
        string(APPEND problems "  ${shown} includes ${included}: ${folder}/ builds on ${allowed} only\n")
      endif()
    endforeach()
  endforeach()
endforeach()

if(problems)
  message(FATAL_ERROR "Includes against the folder direction:\n${problems}")
endif()
file(TOUCH ${STAMP})
