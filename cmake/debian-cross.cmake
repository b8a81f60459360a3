# Cross-building for another Debian architecture, the way make test-arch
# tries the build of each release architecture:
#   cmake -DCMAKE_TOOLCHAIN_FILE=cmake/debian-cross.cmake -DZEPKO_CROSS_ARCH=s390x
#         -DZEPKO_SYSROOT=DIR ...
# with Debian's cross compiler for that architecture and its libraries
# unpacked in DIR (scripts/install-deps --sysroot ARCH DIR). The programs the
# build and the tests run go through qemu-user, with no binfmt needed.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES ZEPKO_CROSS_ARCH ZEPKO_SYSROOT)

execute_process(COMMAND dpkg-architecture -a ${ZEPKO_CROSS_ARCH} -qDEB_HOST_MULTIARCH
                OUTPUT_VARIABLE triplet OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND dpkg-architecture -a ${ZEPKO_CROSS_ARCH} -qDEB_HOST_GNU_CPU
                OUTPUT_VARIABLE cpu OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET COMMAND_ERROR_IS_FATAL ANY)

set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR ${cpu})
set(CMAKE_LIBRARY_ARCHITECTURE ${triplet})
set(CMAKE_C_COMPILER ${triplet}-gcc)
set(CMAKE_CXX_COMPILER ${triplet}-g++)

set(CMAKE_FIND_ROOT_PATH ${ZEPKO_SYSROOT})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(ENV{PKG_CONFIG_SYSROOT_DIR} ${ZEPKO_SYSROOT})
set(ENV{PKG_CONFIG_LIBDIR} ${ZEPKO_SYSROOT}/usr/lib/${triplet}/pkgconfig:${ZEPKO_SYSROOT}/usr/share/pkgconfig)

# The libraries' own dependencies are found in the sysroot at link time,
# and at run time; the C and C++ runtime is the cross toolchain's.
set(libdirs ${ZEPKO_SYSROOT}/lib/${triplet} ${ZEPKO_SYSROOT}/usr/lib/${triplet})
list(JOIN libdirs : libpath)
add_link_options(-Wl,-rpath-link,${libpath})
# Under emulation only: LeakSanitizer cannot follow the threads of an
# emulated program and stops it at exit, the listing of its tests included.
# The sanitizers read their options from /proc/self/environ, which is
# qemu's own: so they are qemu's environment, not the program's (-E).
set(CMAKE_CROSSCOMPILING_EMULATOR env ASAN_OPTIONS=detect_leaks=0
    qemu-${cpu}-static -L /usr/${triplet} -E LD_LIBRARY_PATH=${libpath})
