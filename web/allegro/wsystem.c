/*
 *      Web system driver and the one wait function.
 *
 *      See readme.txt for copyright information.
 */

#include <emscripten.h>

#include "allegro.h"
#include "allegro/internal/aintern.h"
#include "allegro/platform/aintweb.h"

#ifndef ALLEGRO_WEB
   #error something is wrong with the makefile
#endif


static double last_wake;   /* when the program last got the page back */
static double timer_clock; /* how far the timers have been run */
static int waiting;


/* _web_wait:
 *  Everything that waits comes here, so the browser gets its turn and the
 *  program sees input and time pass in one order: keys, mouse, timers, sound.
 */
void _web_wait(int ms)
{
   double now;

   _web_gfx_present();
   emscripten_sleep(ms > 0 ? ms : 0);
   now = emscripten_get_now();

   /* A callback that waits gets its sleep, but the events it was called
    * for are still being handed on below it.
    */
   if (waiting)
      return;
   waiting = TRUE;

   _web_keyboard_drain();
   _web_mouse_drain();
   _web_timer_advance(now - timer_clock);
   timer_clock = now;
   _web_sound_poll();

   last_wake = emscripten_get_now();
   waiting = FALSE;
}



double _web_since_wake(void)
{
   return emscripten_get_now() - last_wake;
}



static int web_sys_init(void)
{
   os_type = OSTYPE_UNKNOWN;
   last_wake = timer_clock = emscripten_get_now();
   _web_midi_setup();
   return 0;
}



static void web_sys_exit(void)
{
}



EM_JS(void, web_set_title, (const char *name), {
   if (typeof document !== 'undefined')
      document.title = UTF8ToString(name);
})

static void web_set_window_title(AL_CONST char *name)
{
   char buf[512];

   web_set_title(uconvert(name, U_CURRENT, buf, U_UTF8, sizeof(buf)));
}



static int web_set_close_button_callback(void (*proc)(void))
{
   (void)proc;
   /* A page has no close button of its own; leaving it ends the game. */
   return 0;
}



/* The page's own box when it has one: it returns a promise that settles
 * when the player dismisses it.
 */
EM_JS(void, web_message_start, (const char *msg), {
   var text = UTF8ToString(msg);
   Module.alwebMessageDone = false;
   var done = function() { Module.alwebMessageDone = true; };
   if (typeof Module['zepkoMensagem'] === 'function') {
      Promise.resolve().then(function() { return Module['zepkoMensagem'](text); }).then(done, done);
   }
   else {
      if (typeof window !== 'undefined' && window.alert)
         window.alert(text);
      else
         err(text);
      done();
   }
})

EM_JS(int, web_message_done, (void), {
   return Module.alwebMessageDone ? 1 : 0;
})

static void web_message(AL_CONST char *msg)
{
   char *buf;
   int size = ustrsizez(msg) * 3;

   /* UTF-8 for the page, whatever the library's format: U_ASCII bytes above
    * 127 become the code points of the same value.
    */
   buf = _AL_MALLOC_ATOMIC(size);
   if (!buf)
      return;
   web_message_start(uconvert(msg, U_CURRENT, buf, U_UTF8, size));
   _AL_FREE(buf);

   while (!web_message_done())
      _web_wait(20);
}



static int web_display_switch_mode(int mode)
{
   /* A background tab keeps running, slowed by the browser. */
   return (mode == SWITCH_BACKGROUND) ? 0 : -1;
}



static int web_desktop_color_depth(void)
{
   return 32;
}



EM_JS(int, web_screen_size, (int which), {
   if (typeof screen === 'undefined')
      return 0;
   return which ? screen.height : screen.width;
})

static int web_get_desktop_resolution(int *width, int *height)
{
   *width = web_screen_size(0);
   *height = web_screen_size(1);
   return (*width > 0) ? 0 : -1;
}



static void web_get_gfx_safe_mode(int *driver, struct GFX_MODE *mode)
{
   *driver = GFX_WEB;
   mode->width = 800;
   mode->height = 600;
   mode->bpp = 32;
}



static void web_yield_timeslice(void)
{
   _web_wait(0);
}



SYSTEM_DRIVER system_web =
{
   SYSTEM_WEB,
   empty_string,
   empty_string,
   "Web",
   web_sys_init,
   web_sys_exit,
   NULL,  /* get_executable_name */
   NULL,  /* find_resource */
   web_set_window_title,
   web_set_close_button_callback,
   web_message,
   NULL,  /* assert */
   NULL,  /* save_console_state */
   NULL,  /* restore_console_state */
   NULL,  /* create_bitmap */
   NULL,  /* created_bitmap */
   NULL,  /* create_sub_bitmap */
   NULL,  /* created_sub_bitmap */
   NULL,  /* destroy_bitmap */
   NULL,  /* read_hardware_palette */
   NULL,  /* set_palette_range */
   NULL,  /* get_vtable */
   web_display_switch_mode,
   NULL,  /* display_switch_lock */
   web_desktop_color_depth,
   web_get_desktop_resolution,
   web_get_gfx_safe_mode,
   web_yield_timeslice,
   NULL,  /* create_mutex: one thread */
   NULL,  /* destroy_mutex */
   NULL,  /* lock_mutex */
   NULL,  /* unlock_mutex */
   NULL,  /* gfx_drivers: the lists of wdrivers.c */
   NULL,  /* digi_drivers */
   NULL,  /* midi_drivers */
   NULL,  /* keyboard_drivers */
   NULL,  /* mouse_drivers */
   NULL,  /* joystick_drivers */
   NULL   /* timer_drivers */
};
