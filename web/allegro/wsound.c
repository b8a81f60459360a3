/*
 *      Web digital sound driver: the library's mixer, mixed at each
 *      wake-up, played by an AudioWorklet.
 *
 *      See readme.txt for copyright information.
 */

#include <emscripten.h>

#include "allegro.h"
#include "allegro/internal/aintern.h"
#include "allegro/platform/aintweb.h"


/* Frames mixed at a time, and how far ahead the mix keeps: wake-ups come
 * every 10-16 ms, and what is queued is what a change takes to be heard.
 */
#define CHUNK_FRAMES  512
#define AHEAD_MS      100

static int sound_on;
static short *mix_buf;



/* The worklet plays the queued blocks of interleaved signed 16-bit stereo
 * and silence when it runs out.
 */
EM_JS(int, web_audio_open, (void), {
   var AC = typeof window !== 'undefined' && (window.AudioContext || window.webkitAudioContext);
   if (!AC || typeof AudioWorkletNode === 'undefined')
      return 0;
   var ctx;
   try { ctx = new AC(); } catch (e) { return 0; }
   if (!ctx.audioWorklet) {
      ctx.close();
      return 0;
   }
   var code =
      "class AlwebMixer extends AudioWorkletProcessor {" +
      " constructor() { super(); this.q = []; this.at = 0;" +
      "  this.port.onmessage = (e) => this.q.push(new Int16Array(e.data)); }" +
      " process(inputs, outputs) {" +
      "  var l = outputs[0][0], r = outputs[0][1] || l;" +
      "  for (var i = 0; i < l.length; i++) {" +
      "   while (this.q.length && this.at >= this.q[0].length) { this.q.shift(); this.at = 0; }" +
      "   if (!this.q.length) { l[i] = r[i] = 0; continue; }" +
      "   var b = this.q[0]; l[i] = b[this.at] / 32768; r[i] = b[this.at + 1] / 32768; this.at += 2;" +
      "  }" +
      "  return true; } }" +
      "registerProcessor('alweb-mixer', AlwebMixer);";
   var url = URL.createObjectURL(new Blob([code], { type: 'application/javascript' }));
   var s = Module.alwebAudio = { ctx: ctx, node: null, end: 0 };
   ctx.audioWorklet.addModule(url).then(function() {
      if (Module.alwebAudio !== s)
         return;
      s.node = new AudioWorkletNode(ctx, 'alweb-mixer', { outputChannelCount: [2] });
      s.node.connect(ctx.destination);
   }, function(e) {
      err('alweb: no AudioWorklet: ' + e);
   });
   /* Browsers start the context suspended until the player does something. */
   s.resume = function() {
      if (ctx.state === 'suspended')
         ctx.resume();
   };
   window.addEventListener('pointerdown', s.resume, true);
   window.addEventListener('keydown', s.resume, true);
   return ctx.sampleRate;
})

EM_JS(void, web_audio_close, (void), {
   var s = Module.alwebAudio;
   window.removeEventListener('pointerdown', s.resume, true);
   window.removeEventListener('keydown', s.resume, true);
   if (s.node)
      s.node.disconnect();
   s.ctx.close();
   Module.alwebAudio = null;
})

/* Frames the queue lacks to reach ahead_ms, counted against the context's
 * clock: after a gap it starts again from now.
 */
EM_JS(int, web_audio_room, (int ahead_ms), {
   var s = Module.alwebAudio;
   if (!s || !s.node || s.ctx.state !== 'running')
      return 0;
   var now = s.ctx.currentTime * s.ctx.sampleRate;
   if (s.end < now)
      s.end = now;
   return Math.max(0, Math.floor(now + ahead_ms * s.ctx.sampleRate / 1000 - s.end));
})

EM_JS(void, web_audio_send, (short *buf, int frames), {
   var s = Module.alwebAudio;
   var a = HEAP16.slice(buf >> 1, (buf >> 1) + frames * 2);
   s.node.port.postMessage(a.buffer, [a.buffer]);
   s.end += frames;
})

EM_JS(int, web_audio_possible, (void), {
   return (typeof window !== 'undefined' && (window.AudioContext || window.webkitAudioContext) &&
           typeof AudioWorkletNode !== 'undefined') ? 1 : 0;
})



void _web_sound_poll(void)
{
   if (!sound_on)
      return;

   while (web_audio_room(AHEAD_MS) >= CHUNK_FRAMES) {
      _mix_some_samples((uintptr_t)mix_buf, 0, TRUE);
      web_audio_send(mix_buf, CHUNK_FRAMES);
   }
}



static int web_digi_detect(int input)
{
   if (input)
      return FALSE;
   return web_audio_possible();
}



static int web_digi_init(int input, int voices)
{
   int rate;

   if (input) {
      ustrzcpy(allegro_error, ALLEGRO_ERROR_SIZE, get_config_text("Input is not supported"));
      return -1;
   }

   rate = web_audio_open();
   if (!rate) {
      ustrzcpy(allegro_error, ALLEGRO_ERROR_SIZE, get_config_text("No Web Audio AudioWorklet"));
      return -1;
   }

   _sound_bits = 16;
   _sound_stereo = TRUE;
   _sound_freq = rate;
   digi_web.voices = voices;

   mix_buf = _AL_MALLOC_ATOMIC(CHUNK_FRAMES * 2 * sizeof(short));
   if (!mix_buf || _mixer_init(CHUNK_FRAMES * 2, rate, TRUE, TRUE, &digi_web.voices) != 0) {
      _AL_FREE(mix_buf);
      mix_buf = NULL;
      web_audio_close();
      ustrzcpy(allegro_error, ALLEGRO_ERROR_SIZE, get_config_text("Not enough memory"));
      return -1;
   }

   sound_on = TRUE;
   return 0;
}



static void web_digi_exit(int input)
{
   if (input || !sound_on)
      return;
   sound_on = FALSE;
   web_audio_close();
   _mixer_exit();
   _AL_FREE(mix_buf);
   mix_buf = NULL;
}



static int web_digi_buffer_size(void)
{
   return CHUNK_FRAMES;
}



DIGI_DRIVER digi_web =
{
   DIGI_WEB,
   empty_string,
   empty_string,
   "Web Audio",
   0,
   0,
   MIXER_MAX_SFX,
   MIXER_DEF_SFX,

   web_digi_detect,
   web_digi_init,
   web_digi_exit,
   NULL,   /* set_mixer_volume */
   NULL,   /* get_mixer_volume */

   NULL,
   NULL,
   web_digi_buffer_size,
   _mixer_init_voice,
   _mixer_release_voice,
   _mixer_start_voice,
   _mixer_stop_voice,
   _mixer_loop_voice,

   _mixer_get_position,
   _mixer_set_position,

   _mixer_get_volume,
   _mixer_set_volume,
   _mixer_ramp_volume,
   _mixer_stop_volume_ramp,

   _mixer_get_frequency,
   _mixer_set_frequency,
   _mixer_sweep_frequency,
   _mixer_stop_frequency_sweep,

   _mixer_get_pan,
   _mixer_set_pan,
   _mixer_sweep_pan,
   _mixer_stop_pan_sweep,

   _mixer_set_echo,
   _mixer_set_tremolo,
   _mixer_set_vibrato,
   0, 0,
   NULL, NULL, NULL, NULL, NULL, NULL   /* no recording */
};



/* The library's synthesizer, except that a page still fetching the
 * instrument samples (Module.zepkoInstrumentosProntos false) makes a piece
 * wait for them: a piece that started without them would lack its
 * instruments for good. The page hears when the wait starts and ends. The
 * driver itself keeps its place (its functions read their own fields).
 */
static int (*digmid_load_patches)(AL_CONST char *patches, AL_CONST char *drums);

EM_JS(int, web_instruments_wait, (int waiting), {
   var pending = Module['zepkoInstrumentosProntos'] === false;
   if (Module['zepkoEsperaInstrumentos'])
      Module['zepkoEsperaInstrumentos'](waiting && pending);
   return pending ? 1 : 0;
})

static int web_midi_load_patches(AL_CONST char *patches, AL_CONST char *drums)
{
   if (web_instruments_wait(TRUE)) {
      do
         _web_wait(50);
      while (web_instruments_wait(TRUE));
      web_instruments_wait(FALSE);
   }
   return digmid_load_patches(patches, drums);
}

void _web_midi_setup(void)
{
   if (!digmid_load_patches) {
      digmid_load_patches = midi_digmid.load_patches;
      midi_digmid.load_patches = web_midi_load_patches;
   }
}
