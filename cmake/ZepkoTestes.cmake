# A test is named after its folder: one of tests/<tier>/<path>/ is
# <tier>.<path, dots for slashes>.<name> (render.tools.arte.Pecas...), and
# carries its tier as its label, so that `ctest -R '^render\.play\.'` runs a
# folder and `ctest -L render` a tier. The top CMakeLists.txt includes this
# before it adds the test folders.
include_guard(GLOBAL)

find_package(GTest REQUIRED)
include(GoogleTest)

# Sets `prefixo` and `camada` (the tier) of the folder being read.
macro(zepko_pasta_de_teste)
    file(RELATIVE_PATH _pasta ${CMAKE_SOURCE_DIR}/tests ${CMAKE_CURRENT_SOURCE_DIR})
    string(REPLACE "/" "." prefixo "${_pasta}")
    string(REGEX REPLACE "/.*" "" camada "${_pasta}")
endmacro()

# zepko_teste([NAME <name>] COMMAND ... [add_test's other options]): the test
# <prefixo>.<name> (<prefixo> alone without a name). ZEPKO_TESTE holds its
# name afterwards, for further properties.
function(zepko_teste)
    cmake_parse_arguments(PARSE_ARGV 0 z "" "NAME" "")
    zepko_pasta_de_teste()
    set(nome ${prefixo})
    if(z_NAME)
        string(APPEND nome .${z_NAME})
    endif()
    add_test(NAME ${nome} ${z_UNPARSED_ARGUMENTS})
    set_tests_properties(${nome} PROPERTIES LABELS ${camada})
    set(ZEPKO_TESTE ${nome} PARENT_SCOPE)
endfunction()

# zepko_gtest(<target> <source>...): the GoogleTest program of this folder,
# each of its cases a test <prefixo>.<Suite>.<Case>. Its tier's folder is an
# include root ("play/motor.h", "apoio.h"); a render program starts on that
# tier's ground (tests/render/apoio.h), which gives it main().
function(zepko_gtest alvo)
    zepko_pasta_de_teste()
    add_executable(${alvo} ${ARGN})
    target_include_directories(${alvo} PRIVATE ${CMAKE_SOURCE_DIR}/tests ${CMAKE_SOURCE_DIR}/tests/${camada})
    if(camada STREQUAL "render")
        target_link_libraries(${alvo} PRIVATE zepko_render_apoio)
    else()
        target_link_libraries(${alvo} PRIVATE GTest::gtest_main)
    endif()
    # Listing a program's tests is no test of it: under qemu, with the
    # sanitizers, on a busy machine it can take far longer than the 5 s
    # CMake waits by default.
    gtest_discover_tests(${alvo} TEST_PREFIX ${prefixo}. DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 300
                         PROPERTIES LABELS ${camada})
endfunction()

# The stored solutions of every level (what tools/solver prints), which the
# tests that play whole levels replay.
set(ZEPKO_SOLUCOES ${CMAKE_SOURCE_DIR}/tests/unit/play/solucoes.txt)
