/*
 *      Web timer driver: the timers run in _web_wait, for the time that
 *      passed while the program slept or worked.
 *
 *      See readme.txt for copyright information.
 */

#include <emscripten.h>

#include "allegro.h"
#include "allegro/internal/aintern.h"
#include "allegro/platform/aintweb.h"


/* A background tab wakes about once a second: its timers catch up at most
 * this much a wake-up instead of racing through the backlog.
 */
#define MAX_ADVANCE_MS  100.0

/* rest() wakes this often to hand on input and run the timers. */
#define REST_SLICE_MS   10

static int timer_on;
static double pending;  /* in timer ticks, the fraction not yet handed on */



void _web_timer_advance(double ms)
{
   long ticks;

   if (!timer_on || ms <= 0)
      return;
   if (ms > MAX_ADVANCE_MS)
      ms = MAX_ADVANCE_MS;

   pending += ms * TIMERS_PER_SECOND / 1000.0;
   ticks = (long)pending;
   pending -= ticks;

   /* The library handles the ticks of long waits in one go, as the Unix
    * timer thread does after a late wake-up.
    */
   if (ticks > 0)
      _handle_timer_tick(ticks);
}



static int web_timer_init(void)
{
   pending = 0;
   timer_on = TRUE;
   return 0;
}



static void web_timer_exit(void)
{
   timer_on = FALSE;
}



static void web_rest(unsigned int ms, void (*callback)(void))
{
   double end = emscripten_get_now() + ms;
   double left;

   while ((left = end - emscripten_get_now()) > 0) {
      if (callback) {
         callback();
         _web_wait(0);
      }
      else
         _web_wait(left < REST_SLICE_MS ? (int)(left + 0.999) : REST_SLICE_MS);
   }
}



TIMER_DRIVER timer_web =
{
   TIMER_WEB,
   empty_string,
   empty_string,
   "Web timers",
   web_timer_init,
   web_timer_exit,
   NULL, NULL,  /* install_int, remove_int: the library's queue */
   NULL, NULL,  /* install_param_int, remove_param_int */
   NULL, NULL,  /* can_simulate_retrace, simulate_retrace */
   web_rest
};
