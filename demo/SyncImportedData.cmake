# Copies the files the Tiled imports cut (FROM, a fresh folder each build) into the game's
# Data/ (TO), and removes from TO what the last import put there and this one no longer
# does: a tile picture a map stopped using would otherwise stay in the game for good.
# LIST remembers, between builds, which files of TO came from the imports.
cmake_policy(SET CMP0057 NEW) # IN_LIST, in a script run with -P
file(GLOB_RECURSE imported RELATIVE ${FROM} ${FROM}/*)
if(EXISTS ${LIST})
  file(STRINGS ${LIST} previous)
  foreach(file ${previous})
    if(NOT file IN_LIST imported)
      file(REMOVE ${TO}/${file})
    endif()
  endforeach()
endif()
foreach(file ${imported})
  get_filename_component(folder ${TO}/${file} DIRECTORY)
  file(COPY ${FROM}/${file} DESTINATION ${folder})
endforeach()
list(JOIN imported "\n" text)
file(WRITE ${LIST} "${text}\n")
