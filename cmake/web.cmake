# The browser build (make web): the game alone, compiled by emscripten
# against the static library in ZEPKO_ALLEGRO_PREFIX (scripts/build-web-allegro),
# laid out in site/ as a page with the data and the icon that the native
# build in ZEPKO_NATIVE_BUILD_DIR generated; its tests play that build's
# game beside the page.
set(ZEPKO_ALLEGRO_PREFIX "" CACHE PATH "Prefix of the library built for the web")
set(ZEPKO_NATIVE_BUILD_DIR "" CACHE PATH "The native build, for the data and the tests")
set(ZEPKO_NATIVE_RUN_DIR ${ZEPKO_NATIVE_BUILD_DIR}/run)
set(ZEPKO_NATIVE_ICON ${ZEPKO_NATIVE_BUILD_DIR}/tools/arte/zepko.png)
if(NOT EXISTS ${ZEPKO_ALLEGRO_PREFIX}/lib/liballeg.a OR NOT EXISTS ${ZEPKO_NATIVE_RUN_DIR}/img
   OR NOT EXISTS ${ZEPKO_NATIVE_ICON})
    message(FATAL_ERROR "set ZEPKO_ALLEGRO_PREFIX and ZEPKO_NATIVE_BUILD_DIR (make web does)")
endif()

# The same target name as the native build's pkg-config one, so the game's
# own lists stay as they are.
add_library(PkgConfig::ALLEGRO INTERFACE IMPORTED)
target_include_directories(PkgConfig::ALLEGRO INTERFACE ${ZEPKO_ALLEGRO_PREFIX}/include)
target_link_libraries(PkgConfig::ALLEGRO INTERFACE ${ZEPKO_ALLEGRO_PREFIX}/lib/liballeg.a)

set(ZEPKO_SITE ${CMAKE_BINARY_DIR}/site)
set(ZEPKO_RUN_DIR ${ZEPKO_SITE})
add_subdirectory(src)

# The game waits for its frames in rest(), which sleeps by handing the page
# back to the browser (asyncify); the page starts it once its data is in
# place, and hears of its end.
target_link_options(zepko PRIVATE -sASYNCIFY -sASYNCIFY_STACK_SIZE=65536 -sALLOW_MEMORY_GROWTH -sEXIT_RUNTIME
    -sENVIRONMENT=web "-sEXPORTED_RUNTIME_METHODS=[FS,ENV,addRunDependency,removeRunDependency]")

find_program(ZEPKO_PYTHON3 python3 PATHS /usr/bin NO_DEFAULT_PATH REQUIRED)

# The data: one pack fetched before the game starts (web/empacota.py), and
# the samples of the instruments the music plays (web/instrumentos.py) in
# another, fetched while the title shows.
set(run ${ZEPKO_NATIVE_RUN_DIR})
file(GLOB_RECURSE dados_nativos ${run}/img/* ${run}/fonts/* ${run}/mid/*)
file(GLOB musicas ${run}/mid/*.mid)
set(empacota ${ZEPKO_PYTHON3} ${CMAKE_SOURCE_DIR}/web/empacota.py)
add_custom_command(OUTPUT ${ZEPKO_SITE}/dados.bin ${ZEPKO_SITE}/dados.bin.json
    COMMAND ${empacota} ${ZEPKO_SITE}/dados.bin img=${run}/img fonts=${run}/fonts mid=${run}/mid
            patches/zepko.cfg=${run}/patches/zepko.cfg config.txt=${CMAKE_SOURCE_DIR}/data/config.txt
    DEPENDS ${CMAKE_SOURCE_DIR}/web/empacota.py ${dados_nativos} ${run}/patches/zepko.cfg
            ${CMAKE_SOURCE_DIR}/data/config.txt
    COMMENT "Packing the game's data for the page"
    VERBATIM)
add_custom_command(OUTPUT ${ZEPKO_SITE}/instrumentos.bin ${ZEPKO_SITE}/instrumentos.bin.json
    COMMAND ${ZEPKO_PYTHON3} ${CMAKE_SOURCE_DIR}/web/instrumentos.py ${run}/patches/zepko.cfg
            ${CMAKE_BINARY_DIR}/instrumentos.txt ${musicas}
    COMMAND ${empacota} ${ZEPKO_SITE}/instrumentos.bin @${CMAKE_BINARY_DIR}/instrumentos.txt
    DEPENDS ${CMAKE_SOURCE_DIR}/web/empacota.py ${CMAKE_SOURCE_DIR}/web/instrumentos.py ${musicas}
            ${run}/patches/zepko.cfg
    COMMENT "Packing the instruments the music plays"
    VERBATIM)

# The page and the notices of what it carries: ours and the fonts', those
# of the libraries compiled into the game (Allegro, and emscripten's C and
# C++ libraries) and the instruments'.
set(pagina ${CMAKE_SOURCE_DIR}/web/pagina)
set(copias index.html=${pagina}/index.html pagina.js=${pagina}/pagina.js zepko.png=${ZEPKO_NATIVE_ICON}
    LICENSES/LICENSE.txt=${CMAKE_SOURCE_DIR}/LICENSE
    LICENSES/zepko.txt=${CMAKE_SOURCE_DIR}/packaging/copyright
    LICENSES/GPL-2.txt=/usr/share/common-licenses/GPL-2
    LICENSES/GPL-3.txt=/usr/share/common-licenses/GPL-3
    LICENSES/allegro.txt=/usr/share/doc/liballegro4-dev/copyright
    LICENSES/emscripten.txt=/usr/share/doc/emscripten/copyright
    LICENSES/freepats.txt=/usr/share/doc/freepats/copyright)
set(saidas "")
foreach(copia ${copias})
    string(REGEX MATCH "^([^=]*)=(.*)$" _ "${copia}")
    add_custom_command(OUTPUT ${ZEPKO_SITE}/${CMAKE_MATCH_1}
        COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_MATCH_2} ${ZEPKO_SITE}/${CMAKE_MATCH_1}
        DEPENDS ${CMAKE_MATCH_2}
        VERBATIM)
    list(APPEND saidas ${ZEPKO_SITE}/${CMAKE_MATCH_1})
endforeach()
add_custom_target(pagina ALL DEPENDS ${saidas} ${ZEPKO_SITE}/dados.bin ${ZEPKO_SITE}/instrumentos.bin)

# The page as a download, zepko-VERSION-web.zip: the site's files in a
# folder zepko/, packed the same way every time by cmake/zip.py.
set(ZEPKO_WEB_ZIP ${CMAKE_BINARY_DIR}/zepko-${ZEPKO_VERSION}-web.zip)
set(pilha ${CMAKE_BINARY_DIR}/zip)
file(MAKE_DIRECTORY ${pilha})
add_custom_command(OUTPUT ${ZEPKO_WEB_ZIP}
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${pilha}/zepko ${ZEPKO_WEB_ZIP}
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${ZEPKO_SITE} ${pilha}/zepko
    COMMAND ${ZEPKO_PYTHON3} ${CMAKE_SOURCE_DIR}/cmake/zip.py ${ZEPKO_WEB_ZIP} ${ZEPKO_RELEASE_DATE} zepko
    WORKING_DIRECTORY ${pilha}
    DEPENDS zepko pagina $<TARGET_FILE:zepko> ${saidas} ${ZEPKO_SITE}/dados.bin ${ZEPKO_SITE}/instrumentos.bin
            ${CMAKE_SOURCE_DIR}/cmake/zip.py
    COMMENT "Packing zepko-${ZEPKO_VERSION}-web.zip"
    VERBATIM)
add_custom_target(zip_web ALL DEPENDS ${ZEPKO_WEB_ZIP})

# The page in headless Chromium, against the native game, and in headless
# Firefox ESR (make test-web).
enable_testing()
set(tests ${CMAKE_SOURCE_DIR}/tests)
add_test(NAME web.pagina COMMAND ${ZEPKO_PYTHON3} ${tests}/web/test_pagina.py -v)
add_test(NAME web.firefox COMMAND ${ZEPKO_PYTHON3} ${tests}/web/test_firefox.py -v)
set_tests_properties(web.pagina web.firefox PROPERTIES LABELS web ENVIRONMENT
    "ZEPKO_WEB_SITE=${ZEPKO_SITE};ZEPKO_RUN_DIR=${ZEPKO_NATIVE_RUN_DIR};\
ZEPKO_AMOSTRA=${ZEPKO_NATIVE_BUILD_DIR}/tests/e2e/completo/zepko-amostra;\
PYTHONPATH=${tests}/e2e/lib:${tests}/e2e/completo:${tests}/e2e/menus:${tests}/web;PYTHONDONTWRITEBYTECODE=1")

# The browser's floor for bench/web/medidas.py (make bench-web): the game's
# mode, timer and wait loop, drawing nothing, linked as the game is, in a
# page of its own beside the site.
add_executable(piso_web ${CMAKE_SOURCE_DIR}/bench/web/piso_web.cpp)
target_link_libraries(piso_web PRIVATE PkgConfig::ALLEGRO)
get_target_property(opcoes_do_jogo zepko LINK_OPTIONS)
target_link_options(piso_web PRIVATE ${opcoes_do_jogo})
set_target_properties(piso_web PROPERTIES OUTPUT_NAME piso RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/piso)
configure_file(${CMAKE_SOURCE_DIR}/bench/web/piso.html ${CMAKE_BINARY_DIR}/piso/index.html COPYONLY)
