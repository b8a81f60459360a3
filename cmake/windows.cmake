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

# No DLL beside the exe but the system's; no link time in it either, so
# the same source links to the same bytes.
add_link_options(-static -static-libgcc -static-libstdc++ -s -Wl,--no-insert-timestamp)

enable_language(RC)
# The exe's resources (packaging/zepko.rc.in): the native build's desktop
# icon in the sizes Windows shows (pixel art: the large one without blur),
# the project's version, and the manifest.
set(ZEPKO_NATIVE_ICON "" CACHE FILEPATH "The native build's desktop icon (PNG)")
if(NOT EXISTS ${ZEPKO_NATIVE_ICON})
    message(FATAL_ERROR "set ZEPKO_NATIVE_ICON (make windows does)")
endif()
find_program(ZEPKO_CONVERT_EXE convert HINTS /usr/bin REQUIRED)
set(ZEPKO_RECURSOS ${CMAKE_BINARY_DIR}/recursos)
set(ZEPKO_ICO ${ZEPKO_RECURSOS}/zepko.ico)
add_custom_command(OUTPUT ${ZEPKO_ICO}
    COMMAND ${ZEPKO_CONVERT_EXE} ${ZEPKO_NATIVE_ICON}
            ( -clone 0 -filter point -resize 256x256 ) ( -clone 0 -resize 48x48 )
            ( -clone 0 -resize 32x32 ) ( -clone 0 -resize 24x24 ) ( -clone 0 -resize 16x16 )
            -define png:exclude-chunks=date,time ${ZEPKO_ICO}
    DEPENDS ${ZEPKO_NATIVE_ICON}
    COMMENT "Making the exe's icon"
    VERBATIM)
# Windows wants four numbers: the missing ones are 0.
set(ZEPKO_VERSION_PARTS ${PROJECT_VERSION_MAJOR})
foreach(part MINOR PATCH TWEAK)
    if(PROJECT_VERSION_${part} STREQUAL "")
        list(APPEND ZEPKO_VERSION_PARTS 0)
    else()
        list(APPEND ZEPKO_VERSION_PARTS ${PROJECT_VERSION_${part}})
    endif()
endforeach()
list(JOIN ZEPKO_VERSION_PARTS "," ZEPKO_RC_VERSION)
list(JOIN ZEPKO_VERSION_PARTS "." ZEPKO_MANIFEST_VERSION)
set(ZEPKO_MANIFEST ${ZEPKO_RECURSOS}/zepko.exe.manifest)
configure_file(packaging/zepko.exe.manifest.in ${ZEPKO_MANIFEST} @ONLY)
configure_file(packaging/zepko.rc.in ${ZEPKO_RECURSOS}/zepko.rc @ONLY)

# The game as the native build has it, with its resources, and a window of
# its own instead of a console. The icon is made here, in another folder
# than the game's: its target makes it first.
add_subdirectory(src)
add_custom_target(zepko_ico DEPENDS ${ZEPKO_ICO})
add_dependencies(zepko zepko_ico)
target_sources(zepko PRIVATE ${ZEPKO_RECURSOS}/zepko.rc)
set_source_files_properties(${ZEPKO_RECURSOS}/zepko.rc TARGET_DIRECTORY zepko PROPERTIES
    OBJECT_DEPENDS "${ZEPKO_ICO};${ZEPKO_MANIFEST}")
set_target_properties(zepko PROPERTIES WIN32_EXECUTABLE ON)

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
# config.txt made for Windows, the notices and the players' read-me in
# both languages (cmake/windows-zip.cmake says how), packed the same way
# every time by cmake/zip.py.
set(ZEPKO_ZIP ${CMAKE_BINARY_DIR}/zepko-${ZEPKO_VERSION}-windows-x64.zip)
find_program(ZEPKO_PYTHON3 python3 PATHS /usr/bin NO_DEFAULT_PATH REQUIRED)
string(REGEX REPLACE "[^;]*=" "" notice_files "${ZEPKO_NOTICES}")
string(REPLACE ";" "|" notices "${ZEPKO_NOTICES}")
set(readmes ${CMAKE_SOURCE_DIR}/packaging/windows/LEIA-ME.txt ${CMAKE_SOURCE_DIR}/packaging/windows/README.txt)
string(REPLACE ";" "|" readme_list "${readmes}")
add_custom_command(OUTPUT ${ZEPKO_ZIP}
    COMMAND ${CMAKE_COMMAND} -DEXE=$<TARGET_FILE:zepko> -DDATA=${ZEPKO_NATIVE_RUN_DIR}
            -DCONFIG=${CMAKE_SOURCE_DIR}/data/config.txt -DNOTICES=${notices} -DREADMES=${readme_list}
            -DSTAGE=${CMAKE_BINARY_DIR}/zip -DZIP=${ZEPKO_ZIP} -DDATE=${ZEPKO_RELEASE_DATE}
            -DPYTHON=${ZEPKO_PYTHON3} -P ${CMAKE_CURRENT_LIST_DIR}/windows-zip.cmake
    DEPENDS zepko ${CMAKE_SOURCE_DIR}/data/config.txt ${notice_files} ${readmes}
            ${CMAKE_CURRENT_LIST_DIR}/windows-zip.cmake ${CMAKE_CURRENT_LIST_DIR}/zip.py
    COMMENT "Packing zepko-${ZEPKO_VERSION}-windows-x64.zip"
    VERBATIM)
add_custom_target(zip ALL DEPENDS ${ZEPKO_ZIP})

# The zip under Wine and Xvfb (make test-windows). The Wine prefix is made
# once, as a fixture, so its set-up is not counted in any test's time.
enable_testing()
set(ZEPKO_WINE_ENV
    "WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix"
    "PYTHONPATH=${CMAKE_SOURCE_DIR}/tests/e2e/lib:${CMAKE_SOURCE_DIR}/tests/e2e/completo:${CMAKE_SOURCE_DIR}/tests/e2e/menus:${CMAKE_SOURCE_DIR}/tests/windows"
    "PYTHONDONTWRITEBYTECODE=1")
add_test(NAME windows.prefix COMMAND ${ZEPKO_PYTHON3} ${CMAKE_SOURCE_DIR}/tests/windows/wine_game.py --setup)
set_tests_properties(windows.prefix PROPERTIES FIXTURES_SETUP wine_prefix LABELS windows ENVIRONMENT "${ZEPKO_WINE_ENV}")
# The installer, from the same folder as the zip, and its test under Wine.
include(${CMAKE_CURRENT_LIST_DIR}/windows-installer.cmake)
# A program that crashes, to show that a crash under Wine ends the run.
add_executable(falha tests/windows/falha.c)
set_target_properties(falha PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/falha)
add_test(NAME windows.zip COMMAND ${ZEPKO_PYTHON3} ${CMAKE_SOURCE_DIR}/tests/windows/test_wine.py -v)
set_tests_properties(windows.zip PROPERTIES FIXTURES_REQUIRED wine_prefix LABELS windows
    ENVIRONMENT "${ZEPKO_WINE_ENV};ZEPKO_ZIP=${ZEPKO_ZIP};ZEPKO_LINUX_RUN_DIR=${ZEPKO_NATIVE_RUN_DIR};ZEPKO_CRASH=$<TARGET_FILE:falha>")
# The page-flipping update methods, each against method 4.
add_test(NAME windows.methods COMMAND ${ZEPKO_PYTHON3} ${CMAKE_SOURCE_DIR}/tests/windows/test_metodos.py -v)
set_tests_properties(windows.methods PROPERTIES FIXTURES_REQUIRED wine_prefix LABELS windows
    ENVIRONMENT "${ZEPKO_WINE_ENV};ZEPKO_ZIP=${ZEPKO_ZIP}")

# The exe's icon and version information, read back as Windows would.
add_test(NAME windows.exe_resources COMMAND ${ZEPKO_PYTHON3} ${CMAKE_SOURCE_DIR}/tests/windows/test_recursos.py -v)
set_tests_properties(windows.exe_resources PROPERTIES LABELS windows
    ENVIRONMENT "ZEPKO_ZIP=${ZEPKO_ZIP};ZEPKO_VERSION=${ZEPKO_VERSION};PYTHONDONTWRITEBYTECODE=1")
