# cmake -DEXE= -DDATA= -DCONFIG= -DSTAGE= -DZIP= -P windows-zip.cmake
# Lays out the game's folder in STAGE/zepko and packs it into ZIP.
set(dir ${STAGE}/zepko)
file(REMOVE_RECURSE ${STAGE})
file(MAKE_DIRECTORY ${dir})
file(COPY ${EXE} DESTINATION ${dir})
foreach(sub img fonts mid)
    file(COPY ${DATA}/${sub} DESTINATION ${dir})
endforeach()
file(READ ${CONFIG} text)
# No synthesizer sample list: Windows plays MIDI through its own synthesizer.
string(REGEX REPLACE "\n\\[sound\\].*" "\n" text "${text}")
# A memory buffer copied to the window, as the Linux build draws: Windows
# grants the video pages of methods 1 and 2, whose display runs one frame
# behind the drawing (a finished level's panel would never show its
# figures), and method 3's system buffer never reached the window under Wine.
string(REGEX REPLACE "updatemethod = [0-9]+" "updatemethod = 4" text "${text}")
string(REPLACE "\n" "\r\n" text "${text}")
file(WRITE ${dir}/config.txt "${text}")
file(REMOVE ${ZIP})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${ZIP} --format=zip zepko
                WORKING_DIRECTORY ${STAGE} COMMAND_ERROR_IS_FATAL ANY)
