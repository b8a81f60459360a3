/*
 *      Web platform: what the drivers share.
 *
 *      See readme.txt for copyright information.
 */

#ifndef AINTWEB_H
#define AINTWEB_H

/* The one place the program gives the browser its turn: puts the changed
 * screen rows on the canvas, sleeps ms milliseconds (0: just yields), then
 * hands on the input that came meanwhile, runs the timers for the time that
 * passed and tops up the sound.
 */
AL_FUNC(void, _web_wait, (int ms));

/* Milliseconds since _web_wait last returned. */
AL_FUNC(double, _web_since_wake, (void));

/* Called by _web_wait; each does nothing when its driver is not installed. */
AL_FUNC(void, _web_gfx_present, (void));
AL_FUNC(void, _web_keyboard_drain, (void));
AL_FUNC(void, _web_mouse_drain, (void));
AL_FUNC(void, _web_timer_advance, (double ms));
AL_FUNC(void, _web_sound_poll, (void));

/* Makes the library's synthesizer wait for a page's instruments. */
AL_FUNC(void, _web_midi_setup, (void));

/* The visible part of the screen, for the mouse's extended range. */
AL_VAR(int, _web_scroll_x);
AL_VAR(int, _web_scroll_y);

#endif
