# The include check refuses a folder that reaches up the direction, even for a state header,
# and lets only the engine context gather the state records of every folder.
set(root ${WORK}/include_direction_test)
file(REMOVE_RECURSE ${root})
file(WRITE ${root}/src/data/Good.cpp
     "#include \"engine/Engine.h\"\n#include \"data/DataState.h\"\n#include \"render/Picture.h\"\n")
file(WRITE ${root}/src/engine/Engine.h
     "#include \"gameplay/RunningLevel.h\"\n#include \"frontend/PlayerSettings.h\"\n")
file(WRITE ${root}/src/archive/Fine.cpp "#include \"archive/Vxr.h\"\n")
file(WRITE ${root}/src/render/Fine.cpp "#include \"codec/PngReader.h\"\n#include \"files/ByteStream.h\"\n")
file(WRITE ${root}/src/platform/Fine.cpp "#include \"render/Compositor.h\"\n#include \"codec/SoundProbe.h\"\n")
execute_process(COMMAND ${CMAKE_COMMAND} -DSRC=${root}/src -DSTAMP=${root}/stamp -P ${SCRIPT}
                RESULT_VARIABLE result ERROR_VARIABLE err)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the engine context and lower folders were refused: ${err}")
endif()
file(WRITE ${root}/src/data/Bad.cpp "#include \"gameplay/LevelLoop.h\"\n")
file(WRITE ${root}/src/archive/Worse.cpp "#include \"data/DataState.h\"\n")
file(WRITE ${root}/src/codec/Up.cpp "#include \"render/Picture.h\"\n")
file(WRITE ${root}/src/render/Up.cpp "#include \"platform/Platform.h\"\n")
file(WRITE ${root}/src/codec/Context.cpp "#include \"engine/Engine.h\"\n")
file(WRITE ${root}/src/level/Reaching.cpp "#include \"gameplay/RunningLevel.h\"\n")
file(WRITE ${root}/src/data/Reaching.cpp "#include \"shell/ShellState.h\"\n")
file(WRITE ${root}/src/shell/Reaching.cpp "#include \"frontend/PlayerSettings.h\"\n")
file(WRITE ${root}/src/engine/Other.h "#include \"gameplay/SessionState.h\"\n")
execute_process(COMMAND ${CMAKE_COMMAND} -DSRC=${root}/src -DSTAMP=${root}/stamp2 -P ${SCRIPT}
                RESULT_VARIABLE result ERROR_VARIABLE err)
foreach(expected "data/Bad.cpp includes gameplay/LevelLoop.h"
                 "archive/Worse.cpp includes data/DataState.h"
                 "codec/Up.cpp includes render/Picture.h"
                 "render/Up.cpp includes platform/Platform.h"
                 "codec/Context.cpp includes engine/Engine.h"
                 "level/Reaching.cpp includes gameplay/RunningLevel.h"
                 "data/Reaching.cpp includes shell/ShellState.h"
                 "shell/Reaching.cpp includes frontend/PlayerSettings.h"
                 "engine/Other.h includes gameplay/SessionState.h")
  string(FIND "${err}" "${expected}" at)
  if(result EQUAL 0 OR at EQUAL -1)
    message(FATAL_ERROR "an include against the direction was not refused (${expected}): ${err}")
  endif()
endforeach()
string(FIND "${err}" "Good.cpp" good)
string(FIND "${err}" "engine/Engine.h includes" engine)
if(NOT good EQUAL -1 OR NOT engine EQUAL -1)
  message(FATAL_ERROR "an allowed include was refused: ${err}")
endif()
file(REMOVE_RECURSE ${root})
