# The Windows players' build: only the game, cross-compiled against the
# static library in ZEPKO_ALLEGRO_PREFIX, and packed with the data that the
# native build generated in ZEPKO_DATA_DIR (its run folder).
set(ZEPKO_ALLEGRO_PREFIX "" CACHE PATH "Prefix of the cross-built Allegro library")
set(ZEPKO_DATA_DIR "" CACHE PATH "The native build's run folder, for the data")
if(NOT EXISTS ${ZEPKO_ALLEGRO_PREFIX}/lib/liballeg.a OR NOT EXISTS ${ZEPKO_DATA_DIR}/img)
    message(FATAL_ERROR "set ZEPKO_ALLEGRO_PREFIX and ZEPKO_DATA_DIR (make windows does)")
endif()

# The same target name as the native build's pkg-config one, so the game's
# own lists stay as they are.
add_library(PkgConfig::ALLEGRO INTERFACE IMPORTED)
target_include_directories(PkgConfig::ALLEGRO INTERFACE ${ZEPKO_ALLEGRO_PREFIX}/include)
target_compile_definitions(PkgConfig::ALLEGRO INTERFACE ALLEGRO_STATICLINK)
target_link_libraries(PkgConfig::ALLEGRO INTERFACE ${ZEPKO_ALLEGRO_PREFIX}/lib/liballeg.a
    kernel32 user32 gdi32 comdlg32 ole32 dinput ddraw dxguid winmm dsound)
find_package(Threads REQUIRED)

# No DLL beside the exe but the system's.
add_link_options(-static -static-libgcc -static-libstdc++ -s)

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

# The zip: the exe, the native run folder's pictures, fonts and music, and a
# config.txt without the synthesizer's sample list (Windows plays MIDI through
# its own synthesizer, so no samples are shipped).
set(ZEPKO_ZIP ${CMAKE_BINARY_DIR}/zepko-windows.zip)
add_custom_command(OUTPUT ${ZEPKO_ZIP}
    COMMAND ${CMAKE_COMMAND} -DEXE=$<TARGET_FILE:zepko> -DDATA=${ZEPKO_DATA_DIR}
            -DCONFIG=${CMAKE_SOURCE_DIR}/data/config.txt -DSTAGE=${CMAKE_BINARY_DIR}/zip
            -DZIP=${ZEPKO_ZIP} -P ${CMAKE_CURRENT_LIST_DIR}/windows-zip.cmake
    DEPENDS zepko ${CMAKE_SOURCE_DIR}/data/config.txt ${CMAKE_CURRENT_LIST_DIR}/windows-zip.cmake
    COMMENT "Packing zepko-windows.zip")
add_custom_target(zip ALL DEPENDS ${ZEPKO_ZIP})
