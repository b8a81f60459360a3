# cmake -DEXE= -DDATA= -DCONFIG= -DNOTICES= -DREADMES= -DSTAGE= -DZIP= -DDATE= -DPYTHON= -P windows-zip.cmake
# Lays out the game's folder in STAGE/zepko and packs it into ZIP, every
# entry dated DATE. NOTICES is a |-separated list of NAME=FILE: each FILE
# is copied to the folder as NAME.txt, with Windows line ends. READMES is
# a |-separated list of UTF-8 texts copied under their own names, with
# Windows line ends and a byte-order mark, without which Notepad before
# Windows 10 reads them in the system's code page.
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
# A memory buffer copied to the window, which works wherever the window
# opens: in a window 1 runs as 2 (no triple buffering), and where DirectX
# grants no video pages 2 falls back to 3, whose system buffer never
# reached the window under Wine.
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
string(ASCII 239 187 191 bom)
string(REPLACE "|" ";" READMES "${READMES}")
foreach(readme ${READMES})
    file(READ ${readme} text)
    string(REPLACE "\n" "\r\n" text "${text}")
    get_filename_component(name ${readme} NAME)
    file(WRITE ${dir}/${name} "${bom}${text}")
endforeach()
file(REMOVE ${ZIP})
execute_process(COMMAND ${PYTHON} ${CMAKE_CURRENT_LIST_DIR}/zip.py ${ZIP} ${DATE} zepko
                WORKING_DIRECTORY ${STAGE} COMMAND_ERROR_IS_FATAL ANY)
