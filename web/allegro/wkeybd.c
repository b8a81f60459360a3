/*
 *      Web keyboard driver: the canvas's key events, queued by the page
 *      and handed to the library in _web_wait.
 *
 *      See readme.txt for copyright information.
 */

#include <emscripten.h>

#include "allegro.h"
#include "allegro/internal/aintern.h"
#include "allegro/platform/aintweb.h"


/* Modifier bits as the page queues them. */
#define M_SHIFT    1
#define M_CTRL     2
#define M_ALT      4
#define M_META     8
#define M_ALTGR    16
#define M_CAPS     32
#define M_NUM      64
#define M_SCROLL   128

static int keyboard_on;

/* KeyboardEvent.code, where the key is on a PC keyboard. */
static const struct { const char *code; int scancode; } key_codes[] =
{
   { "KeyA", KEY_A }, { "KeyB", KEY_B }, { "KeyC", KEY_C }, { "KeyD", KEY_D },
   { "KeyE", KEY_E }, { "KeyF", KEY_F }, { "KeyG", KEY_G }, { "KeyH", KEY_H },
   { "KeyI", KEY_I }, { "KeyJ", KEY_J }, { "KeyK", KEY_K }, { "KeyL", KEY_L },
   { "KeyM", KEY_M }, { "KeyN", KEY_N }, { "KeyO", KEY_O }, { "KeyP", KEY_P },
   { "KeyQ", KEY_Q }, { "KeyR", KEY_R }, { "KeyS", KEY_S }, { "KeyT", KEY_T },
   { "KeyU", KEY_U }, { "KeyV", KEY_V }, { "KeyW", KEY_W }, { "KeyX", KEY_X },
   { "KeyY", KEY_Y }, { "KeyZ", KEY_Z },
   { "Digit0", KEY_0 }, { "Digit1", KEY_1 }, { "Digit2", KEY_2 }, { "Digit3", KEY_3 },
   { "Digit4", KEY_4 }, { "Digit5", KEY_5 }, { "Digit6", KEY_6 }, { "Digit7", KEY_7 },
   { "Digit8", KEY_8 }, { "Digit9", KEY_9 },
   { "Numpad0", KEY_0_PAD }, { "Numpad1", KEY_1_PAD }, { "Numpad2", KEY_2_PAD },
   { "Numpad3", KEY_3_PAD }, { "Numpad4", KEY_4_PAD }, { "Numpad5", KEY_5_PAD },
   { "Numpad6", KEY_6_PAD }, { "Numpad7", KEY_7_PAD }, { "Numpad8", KEY_8_PAD },
   { "Numpad9", KEY_9_PAD },
   { "F1", KEY_F1 }, { "F2", KEY_F2 }, { "F3", KEY_F3 }, { "F4", KEY_F4 },
   { "F5", KEY_F5 }, { "F6", KEY_F6 }, { "F7", KEY_F7 }, { "F8", KEY_F8 },
   { "F9", KEY_F9 }, { "F10", KEY_F10 }, { "F11", KEY_F11 }, { "F12", KEY_F12 },
   { "Escape", KEY_ESC }, { "Backquote", KEY_TILDE }, { "Minus", KEY_MINUS },
   { "Equal", KEY_EQUALS }, { "Backspace", KEY_BACKSPACE }, { "Tab", KEY_TAB },
   { "BracketLeft", KEY_OPENBRACE }, { "BracketRight", KEY_CLOSEBRACE },
   { "Enter", KEY_ENTER }, { "Semicolon", KEY_COLON }, { "Quote", KEY_QUOTE },
   { "Backslash", KEY_BACKSLASH }, { "IntlBackslash", KEY_BACKSLASH2 },
   { "Comma", KEY_COMMA }, { "Period", KEY_STOP }, { "Slash", KEY_SLASH },
   { "Space", KEY_SPACE }, { "Insert", KEY_INSERT }, { "Delete", KEY_DEL },
   { "Home", KEY_HOME }, { "End", KEY_END }, { "PageUp", KEY_PGUP },
   { "PageDown", KEY_PGDN }, { "ArrowLeft", KEY_LEFT }, { "ArrowRight", KEY_RIGHT },
   { "ArrowUp", KEY_UP }, { "ArrowDown", KEY_DOWN },
   { "NumpadDivide", KEY_SLASH_PAD }, { "NumpadMultiply", KEY_ASTERISK },
   { "NumpadSubtract", KEY_MINUS_PAD }, { "NumpadAdd", KEY_PLUS_PAD },
   { "NumpadDecimal", KEY_DEL_PAD }, { "NumpadEnter", KEY_ENTER_PAD },
   { "NumpadEqual", KEY_EQUALS_PAD }, { "PrintScreen", KEY_PRTSCR },
   { "Pause", KEY_PAUSE }, { "IntlRo", KEY_ABNT_C1 }, { "IntlYen", KEY_YEN },
   { "KanaMode", KEY_KANA }, { "Convert", KEY_CONVERT }, { "NonConvert", KEY_NOCONVERT },
   { "ShiftLeft", KEY_LSHIFT }, { "ShiftRight", KEY_RSHIFT },
   { "ControlLeft", KEY_LCONTROL }, { "ControlRight", KEY_RCONTROL },
   { "AltLeft", KEY_ALT }, { "AltRight", KEY_ALTGR },
   { "MetaLeft", KEY_LWIN }, { "MetaRight", KEY_RWIN },
   { "OSLeft", KEY_LWIN }, { "OSRight", KEY_RWIN },
   { "ContextMenu", KEY_MENU }, { "ScrollLock", KEY_SCRLOCK },
   { "NumLock", KEY_NUMLOCK }, { "CapsLock", KEY_CAPSLOCK }
};



/* The page's side: each event becomes [down, scancode, character,
 * modifiers] in a queue. The browser's own repeats are dropped: the library
 * repeats held keys itself. A release is queued only for a press that was,
 * and leaving the page releases every key held.
 */
EM_JS(int, web_keyboard_listen, (void), {
   var c = Module['canvas'];
   if (!c || !c.addEventListener)
      return 0;
   var s = Module.alwebKeys = { queue: [], map: {}, held: {} };
   var mods = function(e) {
      var m = 0, g = function(k) { return e.getModifierState && e.getModifierState(k); };
      if (e.shiftKey) m |= 1;
      if (e.ctrlKey) m |= 2;
      if (e.altKey) m |= 4;
      if (e.metaKey) m |= 8;
      if (g('AltGraph')) m |= 16;
      if (g('CapsLock')) m |= 32;
      if (g('NumLock')) m |= 64;
      if (g('ScrollLock')) m |= 128;
      return m;
   };
   var named = { Enter: 13, Backspace: 8, Tab: 9, Escape: 27, Delete: 127 };
   var chr = function(e) {
      var k = e.key;
      if (k.length === 1) {
         var u = k.charCodeAt(0);
         if (u > 0xFF)
            return 0;
         if (e.ctrlKey && !e.altKey && ((u | 32) >= 97 && (u | 32) <= 122))
            return u & 31;
         return u;
      }
      return named[k] || 0;
   };
   var own = function(e) {
      /* The browser keeps reload, full screen, its tools and shortcuts. */
      return !(e.code === 'F5' || e.code === 'F11' || e.code === 'F12' || e.ctrlKey || e.metaKey);
   };
   s.down = function(e) {
      var sc = s.map[e.code];
      if (!sc)
         return;
      if (own(e))
         e.preventDefault();
      if (e.repeat)
         return;
      s.held[e.code] = sc;
      s.queue.push([1, sc, chr(e), mods(e)]);
   };
   s.up = function(e) {
      var sc = s.held[e.code];
      if (s.map[e.code] && own(e))
         e.preventDefault();
      if (!sc)
         return;
      delete s.held[e.code];
      s.queue.push([0, sc, 0, mods(e)]);
   };
   s.blur = function() {
      for (var code in s.held)
         s.queue.push([0, s.held[code], 0, -1]);
      s.held = {};
   };
   s.canvas = c;
   c.addEventListener('keydown', s.down);
   c.addEventListener('keyup', s.up);
   c.addEventListener('blur', s.blur);
   window.addEventListener('blur', s.blur);
   return 1;
})

EM_JS(void, web_keyboard_map, (const char *code, int scancode), {
   Module.alwebKeys.map[UTF8ToString(code)] = scancode;
})

EM_JS(void, web_keyboard_unlisten, (void), {
   var s = Module.alwebKeys;
   s.canvas.removeEventListener('keydown', s.down);
   s.canvas.removeEventListener('keyup', s.up);
   s.canvas.removeEventListener('blur', s.blur);
   window.removeEventListener('blur', s.blur);
   Module.alwebKeys = null;
})

EM_JS(int, web_keyboard_next, (int *ev), {
   var s = Module.alwebKeys;
   if (!s || !s.queue.length)
      return 0;
   var e = s.queue.shift();
   for (var i = 0; i < 4; i++)
      HEAP32[(ev >> 2) + i] = e[i];
   return 1;
})



static int shifts_of(int m)
{
   int f = 0;

   if (m & M_SHIFT) f |= KB_SHIFT_FLAG;
   if (m & M_CTRL) f |= KB_CTRL_FLAG;
   if (m & M_ALT) f |= KB_ALT_FLAG;
   if (m & M_META) f |= KB_LWIN_FLAG | KB_RWIN_FLAG;
   if (m & M_ALTGR) f |= KB_MENU_FLAG;
   if (m & M_CAPS) f |= KB_CAPSLOCK_FLAG;
   if (m & M_NUM) f |= KB_NUMLOCK_FLAG;
   if (m & M_SCROLL) f |= KB_SCROLOCK_FLAG;
   return f;
}



void _web_keyboard_drain(void)
{
   int ev[4];

   if (!keyboard_on)
      return;

   while (web_keyboard_next(ev)) {
      int down = ev[0], scancode = ev[1], c = ev[2];

      /* After a blur no event tells the modifiers: only the locks stay. */
      if (ev[3] >= 0)
         _key_shifts = shifts_of(ev[3]);
      else
         _key_shifts &= KB_CAPSLOCK_FLAG | KB_NUMLOCK_FLAG | KB_SCROLOCK_FLAG;

      /* Pause has no release: each press toggles it, as on X11. */
      if (scancode == KEY_PAUSE) {
         if (!down)
            continue;
         if (key[KEY_PAUSE]) {
            _handle_key_release(KEY_PAUSE);
            continue;
         }
      }

      if (!down) {
         _handle_key_release(scancode);
         continue;
      }

      /* As X11 does: modifiers are not typed, and Alt gives the scancode
       * alone.
       */
      if (scancode >= KEY_MODIFIERS)
         c = -1;
      else if (_key_shifts & KB_ALT_FLAG)
         c = 0;
      _handle_key_press(c, scancode);
   }
}



static int web_keyboard_init(void)
{
   unsigned i;

   if (!web_keyboard_listen()) {
      ustrzcpy(allegro_error, ALLEGRO_ERROR_SIZE, get_config_text("No canvas"));
      return -1;
   }
   for (i = 0; i < sizeof(key_codes) / sizeof(key_codes[0]); i++)
      web_keyboard_map(key_codes[i].code, key_codes[i].scancode);
   keyboard_on = TRUE;
   return 0;
}



static void web_keyboard_exit(void)
{
   keyboard_on = FALSE;
   web_keyboard_unlisten();
}



static AL_CONST char *web_scancode_to_name(int scancode)
{
   unsigned i;

   for (i = 0; i < sizeof(key_codes) / sizeof(key_codes[0]); i++)
      if (key_codes[i].scancode == scancode)
         return key_codes[i].code;
   return "(none)";
}



/* autorepeat TRUE: keyboard.c repeats a held key itself, with its own
 * delay and rate, since the browser's repeats are dropped.
 */
KEYBOARD_DRIVER keyboard_web =
{
   KEYBOARD_WEB,
   empty_string,
   empty_string,
   "Web keyboard",
   TRUE,
   web_keyboard_init,
   web_keyboard_exit,
   NULL,   /* poll: events come in _web_wait */
   NULL,   /* set_leds */
   NULL,   /* set_rate: keyboard.c's */
   NULL,   /* wait_for_input */
   NULL,   /* stop_waiting_for_input */
   NULL,   /* scancode_to_ascii */
   web_scancode_to_name
};
