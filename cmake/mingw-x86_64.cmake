# Cross-compiling for 64-bit Windows (x64) with Debian's MinGW-w64 (posix
# threads, so the C++ runtime links statically with no DLL beside the exe).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ZEPKO_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ZEPKO_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZEPKO_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${ZEPKO_MINGW}-windres)

# Headers and libraries from the MinGW tree and from the prefixes we add
# (the cross-built library); programs from the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${ZEPKO_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
