/*
 *      Configuration defines for the web (emscripten).
 *
 *      See readme.txt for copyright information.
 */

#ifndef ALWEBCFG_H
#define ALWEBCFG_H

#ifndef SCAN_DEPEND
   #include <fcntl.h>
   #include <unistd.h>
#endif

/* The game's own main() is the entry point: no magic main. */

#define ALLEGRO_HAVE_DIRENT_H    1
#define ALLEGRO_HAVE_INTTYPES_H  1
#define ALLEGRO_HAVE_STDINT_H    1
#define ALLEGRO_HAVE_SYS_TIME_H  1
#define ALLEGRO_HAVE_SYS_STAT_H  1
#define ALLEGRO_HAVE_MKSTEMP     1

/* emscripten's libc has strcasecmp but none of these. */
#define ALLEGRO_NO_STRICMP
#define ALLEGRO_NO_STRLWR
#define ALLEGRO_NO_STRUPR

#define ALLEGRO_PLATFORM_STR  "Web"
#define ALLEGRO_USE_CONSTRUCTOR
#define ALLEGRO_LITTLE_ENDIAN

#ifndef ALLEGRO_NO_ASM
   #define ALLEGRO_NO_ASM
#endif

#define ALLEGRO_EXTRA_HEADER  "allegro/platform/alweb.h"

#endif
