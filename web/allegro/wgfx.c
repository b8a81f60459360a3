/*
 *      Web graphics driver: a memory screen whose changed rows go to the
 *      page's canvas each time the program waits.
 *
 *      See readme.txt for copyright information.
 */

#include <limits.h>
#include <string.h>
#include <emscripten.h>

#include "allegro.h"
#include "allegro/internal/aintern.h"
#include "allegro/platform/aintweb.h"


/* A program that draws without ever waiting still shows about this often. */
#define YIELD_MS  16

int _web_scroll_x;
int _web_scroll_y;

static unsigned char *screen_data;  /* the virtual screen, rows of vw pixels */
static uint32_t *rgba;              /* the visible rows in the canvas's order */
static int scr_w, scr_h, virt_w, virt_h;
static int dirty_top, dirty_bottom; /* virtual rows, empty when top > bottom */

static GFX_VTABLE orig;             /* the library's vtable for the depth */



static INLINE void mark_rows(int top, int bottom)
{
   if (top < dirty_top)
      dirty_top = top;
   if (bottom > dirty_bottom)
      dirty_bottom = bottom;
}



/* web_write_line:
 *  Every drawing routine selects each row it writes through here, as with
 *  bank switching: the row becomes dirty.
 */
static uintptr_t web_write_line(BITMAP *bmp, int line)
{
   int row = line + bmp->y_ofs;

   if (row < dirty_top)
      dirty_top = row;
   if (row > dirty_bottom)
      dirty_bottom = row;
   return (uintptr_t)bmp->line[line];
}



static void web_unwrite_line(BITMAP *bmp)
{
   (void)bmp;
}



EM_JS(int, web_canvas_open, (int w, int h), {
   var c = Module['canvas'];
   if (!c || !c.getContext)
      return 0;
   c.width = w;
   c.height = h;
   var ctx = c.getContext('2d', { alpha: false });
   if (!ctx)
      return 0;
   Module.alwebContext = ctx;
   return 1;
})

EM_JS(void, web_canvas_put, (uint32_t *pixels, int w, int y, int rows), {
   var bytes = new Uint8ClampedArray(HEAPU8.buffer, pixels, w * rows * 4);
   Module.alwebContext.putImageData(new ImageData(bytes, w, rows), 0, y);
   if (typeof Module['zepkoQuadro'] === 'function')
      Module['zepkoQuadro']();
})



/* _web_gfx_present:
 *  Puts the dirty rows that are visible on the canvas.
 */
void _web_gfx_present(void)
{
   int top, bottom, y, x;

   if (!screen_data || dirty_top > dirty_bottom)
      return;

   top = MAX(dirty_top, _web_scroll_y);
   bottom = MIN(dirty_bottom, _web_scroll_y + scr_h - 1);
   dirty_top = INT_MAX;
   dirty_bottom = INT_MIN;
   if (top > bottom)
      return;

   /* 0x00RRGGBB is B, G, R, 0 in memory; the canvas wants R, G, B, 255. */
   for (y = top; y <= bottom; y++) {
      uint32_t *src = (uint32_t *)screen_data + y * virt_w + _web_scroll_x;
      uint32_t *dst = rgba + (y - top) * scr_w;
      for (x = 0; x < scr_w; x++) {
         uint32_t p = src[x];
         dst[x] = 0xFF000000 | ((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF);
      }
   }

   web_canvas_put(rgba, scr_w, top - _web_scroll_y, bottom - top + 1);
}



/* maybe_yield:
 *  After drawing into the visible screen: a program busy presenting
 *  pictures gets them shown, and the page stays alive.
 */
static void maybe_yield(BITMAP *dst)
{
   int top = dst->y_ofs + (dst->clip ? dst->ct : 0);
   int bottom = dst->y_ofs + (dst->clip ? dst->cb : dst->h) - 1;

   if (bottom < _web_scroll_y || top >= _web_scroll_y + scr_h)
      return;
   if (_web_since_wake() >= YIELD_MS)
      _web_wait(0);
}



#define WRAP_DST(name, params, args)           \
   static void web_##name params               \
   {                                           \
      orig.name args;                          \
      maybe_yield(bmp);                        \
   }

#define WRAP_BLIT(name)                                                    \
   static void web_##name(BITMAP *src, BITMAP *bmp, int sx, int sy,        \
                          int dx, int dy, int w, int h)                    \
   {                                                                       \
      orig.name(src, bmp, sx, sy, dx, dy, w, h);                           \
      maybe_yield(bmp);                                                    \
   }

WRAP_DST(rectfill, (BITMAP *bmp, int x1, int y1, int x2, int y2, int c), (bmp, x1, y1, x2, y2, c))
WRAP_DST(clear_to_color, (BITMAP *bmp, int c), (bmp, c))
WRAP_DST(draw_sprite, (BITMAP *bmp, BITMAP *s, int x, int y), (bmp, s, x, y))
WRAP_DST(draw_sprite_ex, (BITMAP *bmp, BITMAP *s, int x, int y, int m, int f), (bmp, s, x, y, m, f))
WRAP_DST(draw_256_sprite, (BITMAP *bmp, BITMAP *s, int x, int y), (bmp, s, x, y))
WRAP_DST(draw_sprite_v_flip, (BITMAP *bmp, BITMAP *s, int x, int y), (bmp, s, x, y))
WRAP_DST(draw_sprite_h_flip, (BITMAP *bmp, BITMAP *s, int x, int y), (bmp, s, x, y))
WRAP_DST(draw_sprite_vh_flip, (BITMAP *bmp, BITMAP *s, int x, int y), (bmp, s, x, y))
WRAP_DST(draw_trans_sprite, (BITMAP *bmp, BITMAP *s, int x, int y), (bmp, s, x, y))
WRAP_DST(draw_trans_rgba_sprite, (BITMAP *bmp, BITMAP *s, int x, int y), (bmp, s, x, y))
WRAP_DST(draw_lit_sprite, (BITMAP *bmp, BITMAP *s, int x, int y, int c), (bmp, s, x, y, c))
WRAP_DST(draw_rle_sprite, (BITMAP *bmp, AL_CONST RLE_SPRITE *s, int x, int y), (bmp, s, x, y))
WRAP_DST(draw_trans_rle_sprite, (BITMAP *bmp, AL_CONST RLE_SPRITE *s, int x, int y), (bmp, s, x, y))
WRAP_DST(draw_trans_rgba_rle_sprite, (BITMAP *bmp, AL_CONST RLE_SPRITE *s, int x, int y), (bmp, s, x, y))
WRAP_DST(draw_lit_rle_sprite, (BITMAP *bmp, AL_CONST RLE_SPRITE *s, int x, int y, int c), (bmp, s, x, y, c))
WRAP_BLIT(blit_from_memory)
WRAP_BLIT(blit_from_system)
WRAP_BLIT(blit_to_self)
WRAP_BLIT(blit_to_self_forward)
WRAP_BLIT(blit_to_self_backward)
WRAP_BLIT(masked_blit)

static void web_do_stretch_blit(BITMAP *src, BITMAP *bmp, int sx, int sy, int sw, int sh,
                                int dx, int dy, int dw, int dh, int masked)
{
   orig.do_stretch_blit(src, bmp, sx, sy, sw, sh, dx, dy, dw, dh, masked);
   maybe_yield(bmp);
}



static void replace_vtable(GFX_VTABLE *v)
{
   orig = *v;
#define SET(name)  v->name = web_##name
   SET(rectfill);
   SET(clear_to_color);
   SET(draw_sprite);
   SET(draw_sprite_ex);
   SET(draw_256_sprite);
   SET(draw_sprite_v_flip);
   SET(draw_sprite_h_flip);
   SET(draw_sprite_vh_flip);
   SET(draw_trans_sprite);
   SET(draw_trans_rgba_sprite);
   SET(draw_lit_sprite);
   SET(draw_rle_sprite);
   SET(draw_trans_rle_sprite);
   SET(draw_trans_rgba_rle_sprite);
   SET(draw_lit_rle_sprite);
   SET(blit_from_memory);
   SET(blit_from_system);
   SET(blit_to_self);
   SET(blit_to_self_forward);
   SET(blit_to_self_backward);
   SET(masked_blit);
   SET(do_stretch_blit);
#undef SET
}



static void web_gfx_exit(BITMAP *bmp)
{
   (void)bmp;
   _AL_FREE(screen_data);
   _AL_FREE(rgba);
   screen_data = NULL;
   rgba = NULL;
}



static BITMAP *web_gfx_init(int w, int h, int vw, int vh, int depth)
{
   BITMAP *bmp;

   if (w == 0 && h == 0) {
      w = 320;
      h = 200;
   }
   if (vw < w)
      vw = w;
   if (vh < h)
      vh = h;

   if (depth != 32) {
      ustrzcpy(allegro_error, ALLEGRO_ERROR_SIZE, get_config_text("Unsupported color depth"));
      return NULL;
   }
   if (!web_canvas_open(w, h)) {
      ustrzcpy(allegro_error, ALLEGRO_ERROR_SIZE, get_config_text("No canvas"));
      return NULL;
   }

   screen_data = _AL_MALLOC_ATOMIC(vw * vh * 4);
   rgba = _AL_MALLOC_ATOMIC(w * h * 4);
   if (!screen_data || !rgba) {
      web_gfx_exit(NULL);
      ustrzcpy(allegro_error, ALLEGRO_ERROR_SIZE, get_config_text("Not enough memory"));
      return NULL;
   }
   memset(screen_data, 0, vw * vh * 4);

   /* The X11 driver's pixels on a 24-bit visual; the library's default
    * would put red where the others have blue.
    */
   _rgb_r_shift_32 = 16;
   _rgb_g_shift_32 = 8;
   _rgb_b_shift_32 = 0;

   bmp = _make_bitmap(vw, vh, (uintptr_t)screen_data, &gfx_web, 32, vw * 4);
   if (!bmp) {
      web_gfx_exit(NULL);
      ustrzcpy(allegro_error, ALLEGRO_ERROR_SIZE, get_config_text("Not enough memory"));
      return NULL;
   }

   scr_w = w;
   scr_h = h;
   virt_w = vw;
   virt_h = vh;
   _web_scroll_x = _web_scroll_y = 0;
   dirty_top = 0;
   dirty_bottom = h - 1;

   gfx_web.w = bmp->cr = w;
   gfx_web.h = bmp->cb = h;
   gfx_web.vid_mem = vw * vh * 4;

   bmp->write_bank = web_write_line;
   bmp->vtable->unwrite_bank = web_unwrite_line;
   replace_vtable(bmp->vtable);

   _set_current_refresh_rate(60);

   return bmp;
}



static int web_scroll(int x, int y)
{
   if (x < 0)
      x = 0;
   else if (x > virt_w - scr_w)
      x = virt_w - scr_w;
   if (y < 0)
      y = 0;
   else if (y > virt_h - scr_h)
      y = virt_h - scr_h;
   if (x == _web_scroll_x && y == _web_scroll_y)
      return 0;

   _web_scroll_x = x;
   _web_scroll_y = y;
   mark_rows(y, y + scr_h - 1);

   if (_web_since_wake() >= YIELD_MS)
      _web_wait(0);
   return 0;
}



/* web_vsync:
 *  As the X11 driver's: the next simulated retrace when the timer runs.
 */
static void web_vsync(void)
{
   if (_timer_installed) {
      int prev = retrace_count;

      do {
         rest(1);
      } while (retrace_count == prev);
   }
   else
      _web_wait(0);
}



GFX_DRIVER gfx_web =
{
   GFX_WEB,
   empty_string,
   empty_string,
   "Web canvas",
   web_gfx_init,
   web_gfx_exit,
   web_scroll,
   web_vsync,
   NULL,        /* set_palette: 32 bits only */
   NULL, NULL, NULL,   /* request_scroll, poll_scroll, enable_triple_buffer */
   NULL, NULL, NULL, NULL,   /* video bitmaps: the library's, in the virtual screen */
   NULL, NULL,  /* system bitmaps: the library's */
   NULL, NULL, NULL, NULL,   /* no hardware cursor: the game draws its own */
   NULL,        /* drawing_mode */
   NULL, NULL,  /* save_video_state, restore_video_state */
   NULL,        /* set_blender_mode */
   NULL,        /* fetch_mode_list */
   320, 200,
   TRUE,        /* linear */
   0, 0,
   0x10000,
   0,
   TRUE         /* windowed */
};
