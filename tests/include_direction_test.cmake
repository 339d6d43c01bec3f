# The include check refuses a folder that reaches up the direction and accepts the context.
set(root ${WORK}/include_direction_test)
file(REMOVE_RECURSE ${root})
file(WRITE ${root}/src/data/Good.cpp "#include \"gameplay/PlayState.h\"\n#include \"render/Picture.h\"\n")
file(WRITE ${root}/src/archive/Fine.cpp "#include \"archive/Vxr.h\"\n")
file(WRITE ${root}/src/render/Fine.cpp "#include \"codec/PngReader.h\"\n#include \"files/ByteStream.h\"\n")
file(WRITE ${root}/src/platform/Fine.cpp "#include \"render/Compositor.h\"\n#include \"codec/SoundProbe.h\"\n")
execute_process(COMMAND ${CMAKE_COMMAND} -DSRC=${root}/src -DSTAMP=${root}/stamp -P ${SCRIPT}
                RESULT_VARIABLE result ERROR_VARIABLE err)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "context and lower folders were refused: ${err}")
endif()
file(WRITE ${root}/src/data/Bad.cpp "#include \"gameplay/LevelLoop.h\"\n")
file(WRITE ${root}/src/archive/Worse.cpp "#include \"data/DataState.h\"\n")
file(WRITE ${root}/src/codec/Up.cpp "#include \"render/Picture.h\"\n")
file(WRITE ${root}/src/render/Up.cpp "#include \"platform/Platform.h\"\n")
file(WRITE ${root}/src/codec/Context.cpp "#include \"engine/Engine.h\"\n")
execute_process(COMMAND ${CMAKE_COMMAND} -DSRC=${root}/src -DSTAMP=${root}/stamp2 -P ${SCRIPT}
                RESULT_VARIABLE result ERROR_VARIABLE err)
if(result EQUAL 0 OR NOT err MATCHES "data/Bad.cpp includes gameplay/LevelLoop.h"
   OR NOT err MATCHES "archive/Worse.cpp includes data/DataState.h"
   OR NOT err MATCHES "codec/Up.cpp includes render/Picture.h"
   OR NOT err MATCHES "render/Up.cpp includes platform/Platform.h"
   OR NOT err MATCHES "codec/Context.cpp includes engine/Engine.h")
  message(FATAL_ERROR "includes against the direction were not refused: ${err}")
endif()
file(REMOVE_RECURSE ${root})
