# Writes the C++ source of the window's icon (src/shell/janela_x11.cpp reads
# it): the XPM that ImageMagick made of the desktop icon, and _NET_WM_ICON's
# rows from its raw RGBA pictures, one per size.
#   cmake -DPASTA=<folder of icone.xpm and N.rgba> -DTAMANHOS="16;32" -DSAIDA=<file.cpp> -P icone_fonte.cmake
file(READ ${PASTA}/icone.xpm xpm)
string(REGEX REPLACE "static (const )?char \\*[A-Za-z0-9_]+\\[\\]" "extern const char* const iconeXpm[];\nconst char* const iconeXpm[]" xpm "${xpm}")
# Xlib takes format-32 properties as an array of long.
set(net "")
set(n 0)
foreach(t ${TAMANHOS})
    file(READ ${PASTA}/${t}.rgba rgba HEX)
    string(LENGTH "${rgba}" len)
    math(EXPR esperado "${t} * ${t} * 8")
    if(NOT len EQUAL esperado)
        message(FATAL_ERROR "${PASTA}/${t}.rgba: ${len} hex digits, not ${esperado}")
    endif()
    # RGBA bytes become 0xAARRGGBB.
    string(REGEX REPLACE "(..)(..)(..)(..)" "0x\\4\\1\\2\\3ul," argb "${rgba}")
    string(APPEND net "${t}, ${t},\n${argb}\n")
    math(EXPR n "${n} + 2 + ${t} * ${t}")
endforeach()
file(WRITE ${SAIDA}.novo "// Generated from the desktop icon by tools/arte/icone_fonte.cmake.
#include <cstddef>

${xpm}
extern const unsigned long iconeNet[] = {
${net}};
extern const std::size_t iconeNetTamanho = ${n};
")
file(RENAME ${SAIDA}.novo ${SAIDA})
