# Fails the build when a source folder includes a folder it must not build on. Run as
#   cmake -DSRC=<src dir> -DSTAMP=<file> -P CheckIncludes.cmake
# Folders build on each other in one direction: a folder may include itself and any folder
# listed before it. The plain state records gathered by engine/Engine.h (files ending in
# State.h, the level records and object lists) are the shared context every folder above the
# engine may read. The decoders (codec) sit below the compositor (render): they hand up plain
# pixels, which render makes into its pictures, so neither needs the other's libraries and
# only the platform knows SDL. The schema (named kinds) needs nothing and is below all.
set(order files schema codec render platform archive engine data shell level gameplay frontend)
set(allowed_files files)
set(allowed_schema schema)
set(allowed_codec files codec)
set(allowed_render files codec render)
set(allowed_platform files codec render platform)
set(allowed_archive files archive)
set(allowed_engine files schema codec render platform archive engine)
set(context_regex "^(engine/Engine\\.h|[a-z]+/[A-Za-z]*State\\.h|level/LevelRecords\\.h|level/ObjectList\\.h)$")

set(problems "")
foreach(folder IN LISTS order)
  if(DEFINED allowed_${folder})
    set(allowed ${allowed_${folder}})
    set(context_ok FALSE)
  else()
    list(FIND order ${folder} position)
    list(SUBLIST order 0 ${position} allowed)
    list(APPEND allowed ${folder})
    set(context_ok TRUE)
  endif()
  if(folder STREQUAL "engine")
    set(context_ok TRUE)
  endif()
  file(GLOB files ${SRC}/${folder}/*.h ${SRC}/${folder}/*.cpp)
  foreach(file IN LISTS files)
    file(STRINGS ${file} lines REGEX "^#include \"[a-z]+/")
    foreach(line IN LISTS lines)
      string(REGEX REPLACE "^#include \"([^\"]+)\".*" "\\1" included "${line}")
      string(REGEX REPLACE "/.*" "" target "${included}")
      list(FIND allowed ${target} ok)
      if(ok EQUAL -1)
        if(context_ok AND included MATCHES "${context_regex}")
          continue()
        endif()
        file(RELATIVE_PATH shown ${SRC} ${file})
        string(APPEND problems "  ${shown} includes ${included}: ${folder}/ builds on ${allowed} only\n")
      endif()
    endforeach()
  endforeach()
endforeach()

if(problems)
  message(FATAL_ERROR "Includes against the folder direction:\n${problems}")
endif()
file(TOUCH ${STAMP})
