# The Windows players' build: only the game, cross-compiled against the
# static library in ZEPKO_ALLEGRO_PREFIX, and packed with the data that the
# native build generated in ZEPKO_NATIVE_RUN_DIR (its run folder).
set(ZEPKO_ALLEGRO_PREFIX "" CACHE PATH "Prefix of the cross-built Allegro library")
set(ZEPKO_NATIVE_RUN_DIR "" CACHE PATH "The native build's run folder, for the data")
if(NOT EXISTS ${ZEPKO_ALLEGRO_PREFIX}/lib/liballeg.a OR NOT EXISTS ${ZEPKO_NATIVE_RUN_DIR}/img)
    message(FATAL_ERROR "set ZEPKO_ALLEGRO_PREFIX and ZEPKO_NATIVE_RUN_DIR (make windows does)")
endif()

# The same target name as the native build's pkg-config one, so the game's
# own lists stay as they are.
add_library(PkgConfig::ALLEGRO INTERFACE IMPORTED)
target_include_directories(PkgConfig::ALLEGRO INTERFACE ${ZEPKO_ALLEGRO_PREFIX}/include)
target_compile_definitions(PkgConfig::ALLEGRO INTERFACE ALLEGRO_STATICLINK)
target_link_libraries(PkgConfig::ALLEGRO INTERFACE ${ZEPKO_ALLEGRO_PREFIX}/lib/liballeg.a
    kernel32 user32 gdi32 comdlg32 ole32 dinput ddraw dxguid winmm dsound)
find_package(Threads REQUIRED)

# No DLL beside the exe but the system's; no link time in it either, so
# the same source links to the same bytes.
add_link_options(-static -static-libgcc -static-libstdc++ -s -Wl,--no-insert-timestamp)

set(ZEPKO_RUN_DIR ${CMAKE_BINARY_DIR}/run)
add_subdirectory(src/gif)
add_subdirectory(src/screen)
add_subdirectory(src/shell)
add_subdirectory(src/play)
add_subdirectory(src/menus)
# The playlist table (tools/musica holds it for the native build).
add_library(zepko_faixas STATIC src/play/faixas.cpp)
target_include_directories(zepko_faixas PUBLIC src/play)

add_executable(zepko WIN32 src/shell/main.cpp)
target_link_libraries(zepko PRIVATE zepko_menus zepko_play zepko_shell zepko_screen zepko_gif)
set_target_properties(zepko PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${ZEPKO_RUN_DIR})

# The notices of what the zip holds: ours and the fonts' (packaging/copyright,
# with the GPL texts it names), and those of the libraries linked into the
# exe, each the copyright file of the Debian package the linked file comes
# from. Allegro is built from the source package of liballegro4-dev.
set(ZEPKO_NOTICES LICENSE=${CMAKE_SOURCE_DIR}/LICENSE
    LICENSES/zepko=${CMAKE_SOURCE_DIR}/packaging/copyright
    LICENSES/GPL-2=/usr/share/common-licenses/GPL-2
    LICENSES/GPL-3=/usr/share/common-licenses/GPL-3
    LICENSES/allegro=/usr/share/doc/liballegro4-dev/copyright)
function(zepko_notice name)
    set(hashes "")
    foreach(lib ${ARGN})
        execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${lib}
                        OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
        if(NOT IS_ABSOLUTE "${path}")
            message(FATAL_ERROR "${lib}: the compiler does not link it")
        endif()
        file(REAL_PATH ${path} path)
        execute_process(COMMAND dpkg-query -S ${path} OUTPUT_VARIABLE owner ERROR_QUIET)
        string(REGEX REPLACE ":.*" "" package "${owner}")
        set(copyright /usr/share/doc/${package}/copyright)
        if(package STREQUAL "" OR NOT EXISTS ${copyright})
            message(FATAL_ERROR "${lib} (${path}): no Debian package's copyright file found for it")
        endif()
        file(SHA256 ${copyright} hash)
        list(APPEND hashes ${hash})
    endforeach()
    list(REMOVE_DUPLICATES hashes)
    list(LENGTH hashes n)
    if(NOT n EQUAL 1)
        message(FATAL_ERROR "${ARGN} come from packages with different copyright files: give each a notice")
    endif()
    set(ZEPKO_NOTICES ${ZEPKO_NOTICES} ${name}=${copyright} PARENT_SCOPE)
endfunction()
zepko_notice(LICENSES/mingw-w64 libmingw32.a libmingwex.a libwinpthread.a)
zepko_notice(LICENSES/gcc libgcc.a libgcc_eh.a libstdc++.a)

# The zip: the exe, the native run folder's pictures, fonts and music,
# config.txt made for Windows and the notices (cmake/windows-zip.cmake
# says how), packed the same way every time by cmake/zip.py.
set(ZEPKO_ZIP ${CMAKE_BINARY_DIR}/zepko-${PROJECT_VERSION}-windows-x86.zip)
find_program(ZEPKO_PYTHON3 python3 PATHS /usr/bin NO_DEFAULT_PATH REQUIRED)
string(REGEX REPLACE "[^;]*=" "" notice_files "${ZEPKO_NOTICES}")
string(REPLACE ";" "|" notices "${ZEPKO_NOTICES}")
add_custom_command(OUTPUT ${ZEPKO_ZIP}
    COMMAND ${CMAKE_COMMAND} -DEXE=$<TARGET_FILE:zepko> -DDATA=${ZEPKO_NATIVE_RUN_DIR}
            -DCONFIG=${CMAKE_SOURCE_DIR}/data/config.txt -DNOTICES=${notices}
            -DSTAGE=${CMAKE_BINARY_DIR}/zip -DZIP=${ZEPKO_ZIP} -DDATE=${ZEPKO_RELEASE_DATE}
            -DPYTHON=${ZEPKO_PYTHON3} -P ${CMAKE_CURRENT_LIST_DIR}/windows-zip.cmake
    DEPENDS zepko ${CMAKE_SOURCE_DIR}/data/config.txt ${notice_files}
            ${CMAKE_CURRENT_LIST_DIR}/windows-zip.cmake ${CMAKE_CURRENT_LIST_DIR}/zip.py
    COMMENT "Packing zepko-${PROJECT_VERSION}-windows-x86.zip"
    VERBATIM)
add_custom_target(zip ALL DEPENDS ${ZEPKO_ZIP})

# The zip under Wine and Xvfb (make test-windows). The Wine prefix is made
# once, as a fixture, so its set-up is not counted in any test's time.
enable_testing()
set(ZEPKO_WINE_ENV
    "WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix"
    "PYTHONPATH=${CMAKE_SOURCE_DIR}/tests/e2e/lib:${CMAKE_SOURCE_DIR}/tests/e2e/completo:${CMAKE_SOURCE_DIR}/tests/e2e/menus:${CMAKE_SOURCE_DIR}/tests/windows"
    "PYTHONDONTWRITEBYTECODE=1")
add_test(NAME wine.prefix COMMAND ${ZEPKO_PYTHON3} ${CMAKE_SOURCE_DIR}/tests/windows/wine_game.py --setup)
set_tests_properties(wine.prefix PROPERTIES FIXTURES_SETUP wine_prefix ENVIRONMENT "${ZEPKO_WINE_ENV}")
# A program that crashes, to show that a crash under Wine ends the run.
add_executable(falha tests/windows/falha.c)
set_target_properties(falha PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/falha)
add_test(NAME wine.zip COMMAND ${ZEPKO_PYTHON3} ${CMAKE_SOURCE_DIR}/tests/windows/test_wine.py -v)
set_tests_properties(wine.zip PROPERTIES FIXTURES_REQUIRED wine_prefix LABELS e2e
    ENVIRONMENT "${ZEPKO_WINE_ENV};ZEPKO_ZIP=${ZEPKO_ZIP};ZEPKO_LINUX_RUN_DIR=${ZEPKO_NATIVE_RUN_DIR};ZEPKO_CRASH=$<TARGET_FILE:falha>")
