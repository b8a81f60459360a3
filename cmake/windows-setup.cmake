# cmake -DMAKENSIS= -DSCRIPT= -DVERSION= -DNUMBERS= -DSTAGE= -DFILES= -DOUTFILE= -DICON= -P windows-setup.cmake
# Builds the installer from the zip's folder STAGE: writes FILES, the NSIS
# macros that install and remove each file of STAGE in sorted order (so the
# installer is the same every time, and removes exactly what it installed),
# then runs makensis on SCRIPT. config.txt is left to SCRIPT, which keeps a
# player's own.
file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE ${STAGE} ${STAGE}/*)
list(REMOVE_ITEM files config.txt)
set(install "!macro ZepkoInstallFiles\n")
set(remove "!macro ZepkoRemoveFiles\n")
set(folders "")
set(folder "")
string(APPEND install "SetOutPath \"$INSTDIR\"\n")
foreach(f ${files})
    get_filename_component(dir ${f} DIRECTORY)
    if(NOT dir STREQUAL folder)
        set(folder ${dir})
        set(out "$INSTDIR")
        if(NOT dir STREQUAL "")
            list(APPEND folders ${dir})
            string(REPLACE "/" "\\" win ${dir})
            set(out "$INSTDIR\\${win}")
        endif()
        string(APPEND install "SetOutPath \"${out}\"\n")
    endif()
    string(REPLACE "$" "$$" source ${STAGE}/${f})
    string(REPLACE "/" "\\" win ${f})
    string(APPEND install "File \"${source}\"\n")
    string(APPEND remove "Delete \"$INSTDIR\\${win}\"\n")
endforeach()
# Deepest first, and each only if the player left nothing in it.
list(REMOVE_DUPLICATES folders)
list(SORT folders ORDER DESCENDING)
foreach(dir ${folders})
    string(REPLACE "/" "\\" win ${dir})
    string(APPEND remove "RMDir \"$INSTDIR\\${win}\"\n")
endforeach()
file(WRITE ${FILES} "${install}!macroend\n${remove}!macroend\n")
execute_process(COMMAND ${MAKENSIS} -NOCONFIG -V2 -WX -INPUTCHARSET UTF8
                        -DVERSION=${VERSION} -DNUMBERS=${NUMBERS} -DSTAGE=${STAGE} -DFILES=${FILES}
                        -DOUTFILE=${OUTFILE} -DICON=${ICON} ${SCRIPT}
                COMMAND_ERROR_IS_FATAL ANY)
