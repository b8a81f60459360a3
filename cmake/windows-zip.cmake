# cmake -DEXE= -DDATA= -DCONFIG= -DNOTICES= -DSTAGE= -DZIP= -DDATE= -DPYTHON= -P windows-zip.cmake
# Lays out the game's folder in STAGE/zepko and packs it into ZIP, every
# entry dated DATE. NOTICES is a |-separated list of NAME=FILE: each FILE
# is copied to the folder as NAME.txt, with Windows line ends.
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
string(REPLACE "|" ";" NOTICES "${NOTICES}")
foreach(notice ${NOTICES})
    string(REGEX MATCH "^([^=]*)=(.*)$" _ "${notice}")
    file(READ ${CMAKE_MATCH_2} text)
    string(REPLACE "\n" "\r\n" text "${text}")
    file(WRITE ${dir}/${CMAKE_MATCH_1}.txt "${text}")
endforeach()
file(REMOVE ${ZIP})
execute_process(COMMAND ${PYTHON} ${CMAKE_CURRENT_LIST_DIR}/zip.py ${ZIP} ${DATE} zepko
                WORKING_DIRECTORY ${STAGE} COMMAND_ERROR_IS_FATAL ANY)
