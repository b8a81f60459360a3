/*
 *      Web platform: the driver lists.
 *
 *      See readme.txt for copyright information.
 */

#include "allegro.h"

#ifndef ALLEGRO_WEB
   #error something is wrong with the makefile
#endif


_DRIVER_INFO _system_driver_list[] =
{
   { SYSTEM_WEB,     &system_web,     TRUE  },
   { SYSTEM_NONE,    &system_none,    FALSE },
   { 0,              NULL,            0     }
};

_DRIVER_INFO _timer_driver_list[] =
{
   { TIMER_WEB,      &timer_web,      TRUE  },
   { 0,              NULL,            0     }
};

_DRIVER_INFO _keyboard_driver_list[] =
{
   { KEYBOARD_WEB,   &keyboard_web,   TRUE  },
   { 0,              NULL,            0     }
};

_DRIVER_INFO _mouse_driver_list[] =
{
   { MOUSE_WEB,      &mouse_web,      TRUE  },
   { 0,              NULL,            0     }
};

BEGIN_GFX_DRIVER_LIST
   { GFX_WEB,        &gfx_web,        TRUE  },
END_GFX_DRIVER_LIST

BEGIN_DIGI_DRIVER_LIST
   { DIGI_WEB,       &digi_web,       TRUE  },
END_DIGI_DRIVER_LIST

/* The synthesizer plays through the digital driver's voices. */
BEGIN_MIDI_DRIVER_LIST
   MIDI_DRIVER_DIGMID
END_MIDI_DRIVER_LIST

BEGIN_JOYSTICK_DRIVER_LIST
END_JOYSTICK_DRIVER_LIST
