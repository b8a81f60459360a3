/*
 *      Web mouse driver: the canvas's mouse events, queued by the page and
 *      handed to the library in _web_wait.
 *
 *      See readme.txt for copyright information.
 */

#include <emscripten.h>

#include "allegro.h"
#include "allegro/internal/aintern.h"
#include "allegro/platform/aintweb.h"


static int mouse_on;
static int min_x, min_y, max_x = 319, max_y = 199;
static int extended_range;
static int mickey_x, mickey_y;



/* The page's side: [x, y, buttons, wheel] in the mode's pixels, whatever
 * size the page shows the canvas at. A press starts on the canvas; its
 * moves and release are followed outside it, as X grabs the pointer.
 */
EM_JS(int, web_mouse_listen, (void), {
   var c = Module['canvas'];
   if (!c || !c.addEventListener)
      return 0;
   var s = Module.alwebMouse = { queue: [], buttons: 0, canvas: c };
   var bit = [1, 4, 2, 8, 16];
   var push = function(e, dz, move) {
      var r = c.getBoundingClientRect();
      var x = Math.floor((e.clientX - r.left) * c.width / (r.width || 1));
      var y = Math.floor((e.clientY - r.top) * c.height / (r.height || 1));
      x = Math.max(0, Math.min(c.width - 1, x));
      y = Math.max(0, Math.min(c.height - 1, y));
      var q = s.queue, last = q[q.length - 1];
      if (move && last && last[4] && last[2] === s.buttons)
         q.pop();
      q.push([x, y, s.buttons, dz, move]);
   };
   s.down = function(e) {
      var b = bit[e.button] || 0;
      e.preventDefault();
      c.focus();
      s.buttons |= b;
      push(e, 0, false);
   };
   s.up = function(e) {
      var b = bit[e.button] || 0;
      if (!(s.buttons & b))
         return;
      s.buttons &= ~b;
      push(e, 0, false);
   };
   s.move = function(e) {
      if (e.target === c || s.buttons)
         push(e, 0, true);
   };
   s.wheel = function(e) {
      e.preventDefault();
      if (e.deltaY)
         push(e, e.deltaY < 0 ? 1 : -1, false);
   };
   s.menu = function(e) { e.preventDefault(); };
   c.addEventListener('mousedown', s.down);
   window.addEventListener('mouseup', s.up);
   window.addEventListener('mousemove', s.move);
   c.addEventListener('wheel', s.wheel, { passive: false });
   c.addEventListener('contextmenu', s.menu);
   return 1;
})

EM_JS(void, web_mouse_unlisten, (void), {
   var s = Module.alwebMouse;
   s.canvas.removeEventListener('mousedown', s.down);
   window.removeEventListener('mouseup', s.up);
   window.removeEventListener('mousemove', s.move);
   s.canvas.removeEventListener('wheel', s.wheel);
   s.canvas.removeEventListener('contextmenu', s.menu);
   Module.alwebMouse = null;
})

EM_JS(int, web_mouse_next, (int *ev), {
   var s = Module.alwebMouse;
   if (!s || !s.queue.length)
      return 0;
   var e = s.queue.shift();
   for (var i = 0; i < 4; i++)
      HEAP32[(ev >> 2) + i] = e[i];
   return 1;
})



/* _web_mouse_drain:
 *  One callback for each event, in order: a press and its release that
 *  came between two wake-ups are both seen.
 */
void _web_mouse_drain(void)
{
   int ev[4];

   if (!mouse_on)
      return;

   while (web_mouse_next(ev)) {
      int x = ev[0] + (extended_range ? _web_scroll_x : 0);
      int y = ev[1] + (extended_range ? _web_scroll_y : 0);

      mickey_x += x - _mouse_x;
      mickey_y += y - _mouse_y;
      _mouse_x = CLAMP(min_x, x, max_x);
      _mouse_y = CLAMP(min_y, y, max_y);
      _mouse_b = ev[2];
      _mouse_z += ev[3];
      _handle_mouse_input();
   }
}



static int web_mouse_init(void)
{
   if (!web_mouse_listen()) {
      ustrzcpy(allegro_error, ALLEGRO_ERROR_SIZE, get_config_text("No canvas"));
      return -1;
   }
   mouse_on = TRUE;
   return 3;
}



static void web_mouse_exit(void)
{
   mouse_on = FALSE;
   web_mouse_unlisten();
}



static void web_mouse_position(int x, int y)
{
   /* A page cannot move the pointer: the game's cursor goes there until
    * the next move.
    */
   _mouse_x = x;
   _mouse_y = y;
   mickey_x = mickey_y = 0;
}



static void web_mouse_set_range(int x1, int y1, int x2, int y2)
{
   min_x = x1;
   min_y = y1;
   max_x = x2;
   max_y = y2;
   extended_range = (max_x >= SCREEN_W) || (max_y >= SCREEN_H);
   _mouse_x = CLAMP(min_x, _mouse_x, max_x);
   _mouse_y = CLAMP(min_y, _mouse_y, max_y);
}



static void web_mouse_get_mickeys(int *mx, int *my)
{
   *mx = mickey_x;
   *my = mickey_y;
   mickey_x = mickey_y = 0;
}



MOUSE_DRIVER mouse_web =
{
   MOUSE_WEB,
   empty_string,
   empty_string,
   "Web mouse",
   web_mouse_init,
   web_mouse_exit,
   NULL,   /* poll: events come in _web_wait */
   NULL,   /* timer_poll */
   web_mouse_position,
   web_mouse_set_range,
   NULL,   /* set_speed: the system's */
   web_mouse_get_mickeys,
   NULL,   /* analyse_data */
   NULL,   /* enable_hardware_cursor */
   NULL    /* select_system_cursor */
};
