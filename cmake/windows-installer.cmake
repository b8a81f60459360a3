# The per-user installer, zepko-VERSION-setup.exe: NSIS packs the folder
# that the zip was packed from (cmake/windows-setup.cmake says how), so the
# two carry the same files.
find_program(ZEPKO_MAKENSIS makensis REQUIRED)
set(ZEPKO_SETUP ${CMAKE_BINARY_DIR}/zepko-${ZEPKO_VERSION}-setup.exe)
set(nsis ${CMAKE_SOURCE_DIR}/packaging/windows)
add_custom_command(OUTPUT ${ZEPKO_SETUP}
    COMMAND ${CMAKE_COMMAND} -DMAKENSIS=${ZEPKO_MAKENSIS} -DSCRIPT=${nsis}/zepko.nsi
            -DVERSION=${ZEPKO_VERSION} -DNUMBERS=${ZEPKO_MANIFEST_VERSION} -DSTAGE=${CMAKE_BINARY_DIR}/zip/zepko
            -DFILES=${CMAKE_BINARY_DIR}/setup-files.nsh -DOUTFILE=${ZEPKO_SETUP} -DICON=${ZEPKO_ICO}
            -P ${CMAKE_CURRENT_LIST_DIR}/windows-setup.cmake
    DEPENDS ${ZEPKO_ZIP} ${ZEPKO_ICO} ${nsis}/zepko.nsi ${nsis}/strings.nsh
            ${CMAKE_CURRENT_LIST_DIR}/windows-setup.cmake
    COMMENT "Building zepko-${ZEPKO_VERSION}-setup.exe"
    VERBATIM)
add_custom_target(setup ALL DEPENDS ${ZEPKO_SETUP})
# After the zip's own target, so the zip's command never runs twice at once.
add_dependencies(setup zip)

# Installed, played and uninstalled under Wine, in a prefix of its own made
# anew for each run, so nothing of an earlier install is found there; the
# upgrade test builds an older installer by the same rules.
set(env ${ZEPKO_WINE_ENV})
list(FILTER env EXCLUDE REGEX "^WINEPREFIX=")
list(APPEND env "WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix-setup")
add_test(NAME windows.setup.prefix
         COMMAND ${ZEPKO_PYTHON3} ${CMAKE_SOURCE_DIR}/tests/windows/test_installer.py --fresh-prefix)
set_tests_properties(windows.setup.prefix PROPERTIES FIXTURES_SETUP wine_setup_prefix LABELS windows ENVIRONMENT "${env}")
add_test(NAME windows.setup COMMAND ${ZEPKO_PYTHON3} ${CMAKE_SOURCE_DIR}/tests/windows/test_installer.py -v)
set_tests_properties(windows.setup PROPERTIES FIXTURES_REQUIRED wine_setup_prefix LABELS windows
    ENVIRONMENT "${env};ZEPKO_SETUP=${ZEPKO_SETUP};ZEPKO_ZIP=${ZEPKO_ZIP};ZEPKO_VERSION=${ZEPKO_VERSION};\
ZEPKO_CMAKE=${CMAKE_COMMAND};ZEPKO_MAKENSIS=${ZEPKO_MAKENSIS};ZEPKO_NSIS_SCRIPT=${nsis}/zepko.nsi;\
ZEPKO_ICO=${ZEPKO_ICO};ZEPKO_SETUP_RULES=${CMAKE_CURRENT_LIST_DIR}/windows-setup.cmake")
