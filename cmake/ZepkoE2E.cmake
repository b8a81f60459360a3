# zepko_e2e_test(<name> <file.py>): registers a Python end-to-end test file
# (built on tests/e2e/lib/zepko_e2e.py) as the CTest test e2e.<area>.<name>
# of its folder tests/e2e/<area>/ (e2e.<area> alone for an empty name) and
# sets ZEPKO_TESTE to that name, as zepko_teste does (ZepkoTestes.cmake). Each
# test starts its own X server and temporary run folder, so they can run in
# parallel. Include this file from each tests/e2e/<area>/CMakeLists.txt.
include_guard(GLOBAL)

find_program(ZEPKO_PYTHON3 python3 PATHS /usr/bin NO_DEFAULT_PATH REQUIRED)
# Cached: the guard above skips this file in every later folder.
set(ZEPKO_E2E_LIB ${CMAKE_CURRENT_LIST_DIR}/../tests/e2e/lib CACHE INTERNAL "e2e helper folder")

function(zepko_e2e_test name file)
    zepko_teste(NAME "${name}" COMMAND ${ZEPKO_PYTHON3} ${CMAKE_CURRENT_SOURCE_DIR}/${file}
                WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
    # Started before the quick tests (ctest runs the costly first, until
    # it has timed them once): they are the longest, and mostly wait.
    set_tests_properties(${ZEPKO_TESTE} PROPERTIES COST 100
        ENVIRONMENT "ZEPKO_RUN_DIR=${ZEPKO_RUN_DIR};PYTHONPATH=${ZEPKO_E2E_LIB};PYTHONDONTWRITEBYTECODE=1")
    set(ZEPKO_TESTE ${ZEPKO_TESTE} PARENT_SCOPE)
endfunction()
