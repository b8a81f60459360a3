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
string(REGEX REPLACE "\n\\[sound\\].*" "\n" text "${text}")
string(REPLACE "\n" "\r\n" text "${text}")
file(WRITE ${dir}/config.txt "${text}")
file(REMOVE ${ZIP})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${ZIP} --format=zip zepko
                WORKING_DIRECTORY ${STAGE} COMMAND_ERROR_IS_FATAL ANY)
