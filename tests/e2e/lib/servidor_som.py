"""A sound server of the test's own, as a player's desktop has one: PipeWire
with its session manager (WirePlumber) and a private D-Bus session bus, in
a temporary runtime folder, with one null sink that plays in real time and
whose monitor a test can record. No system service is touched.

    with PipeWire() as pw, PipeWireGame(pw, config=...) as g:
        rec = pw.record(os.path.join(pw.dir, "sink.raw"))   # s16 stereo, 48 kHz
        ...

The game reaches it through ALSA's `pipewire` plugin (pipewire-alsa).
"""

import os
import shutil
import subprocess
import tempfile

from zepko_e2e import E2EError, Game, Started, environ, poll, stop

SINK = "zepko-nulo"
RATE = 48000
CHANNELS = 2
FRAME_BYTES = 2 * CHANNELS  # s16
# The game's ALSA default device: the server, straight to the null sink.
ASOUNDRC = """pcm.!default {
    type pipewire
    playback_node "%s"
}
ctl.!default {
    type pipewire
}
""" % SINK


class PipeWire(Started):
    def __init__(self):
        self.dir = None
        self.procs = []

    def _spawn(self, argv, name, **kw):
        log = open(os.path.join(self.dir, name + ".log"), "wb")
        p = subprocess.Popen(argv, env=self.env, stdin=subprocess.DEVNULL, stdout=kw.pop("stdout", log),
                             stderr=log, **kw)
        log.close()
        self.procs.append(p)
        return p

    def _open(self):
        self.dir = tempfile.mkdtemp(prefix="zepko-pipewire-")  # mode 0700, as a runtime folder must be
        # Nothing of the user's own: settings and state live in the folder too.
        self.env = environ(dict(XDG_RUNTIME_DIR=self.dir, PIPEWIRE_RUNTIME_DIR=self.dir,
                                HOME=self.dir, XDG_CONFIG_HOME=os.path.join(self.dir, "config"),
                                XDG_STATE_HOME=os.path.join(self.dir, "state")),
                           dict.fromkeys(("PIPEWIRE_REMOTE", "PULSE_SERVER", "DISPLAY", "WAYLAND_DISPLAY")))
        # WirePlumber 0.4 ends at once without a session bus.
        bus = os.path.join(self.dir, "bus")
        r, w = os.pipe()
        self._spawn(["dbus-daemon", "--session", f"--address=unix:path={bus}", "--nofork",
                     "--nopidfile", f"--print-address={w}"], "dbus", pass_fds=(w,))
        os.close(w)
        with os.fdopen(r) as f:
            address = f.readline().strip()
        if not address:
            raise E2EError("dbus-daemon did not start")
        self.env["DBUS_SESSION_BUS_ADDRESS"] = address
        self._spawn(["pipewire"], "pipewire")
        self._wait("the PipeWire server", lambda: os.path.exists(os.path.join(self.dir, "pipewire-0")))
        self._spawn(["wireplumber"], "wireplumber")
        subprocess.run(["pw-cli", "create-node", "adapter",
                        "{ factory.name=support.null-audio-sink node.name=%s media.class=Audio/Sink "
                        "object.linger=true audio.position=[FL FR] }" % SINK],
                       env=self.env, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        # Up once the session manager has made the sink the default.
        self._wait("the null sink as the default", self._sink_is_default)

    def _sink_is_default(self):
        r = subprocess.run(["wpctl", "inspect", "@DEFAULT_AUDIO_SINK@"], env=self.env,
                           capture_output=True, text=True)
        return r.returncode == 0 and f'node.name = "{SINK}"' in r.stdout

    def _wait(self, what, probe):
        # Hang guard only: the server and its session manager are up in a second.
        poll(what, probe, self._gone)

    def _gone(self, what):
        for p in self.procs:
            if p.poll() is not None:
                return f"{p.args[0]} exited with status {p.returncode} while waiting for {what}; see {self.dir}"
        return None

    def game_env(self):
        """What a game needs in its environment to reach this server."""
        return {k: self.env[k] for k in ("XDG_RUNTIME_DIR", "PIPEWIRE_RUNTIME_DIR")}

    def record(self, path):
        """Starts recording what the sink plays (raw s16 stereo at RATE) to
        `path`, as it plays: the file grows in real time. Returns a Recording."""
        # Raw samples on standard output: a WAV writer may hold them back.
        out = open(path, "wb")
        p = self._spawn(["pw-record", "--target", SINK, "-P", "{ stream.capture.sink=true }",
                         f"--rate={RATE}", f"--channels={CHANNELS}", "--format=s16", "-"],
                        "pw-record", stdout=out)
        out.close()
        return Recording(self, p, path)

    def close(self):
        for p in reversed(self.procs):
            stop(p)
        self.procs = []
        if self.dir and not os.environ.get("ZEPKO_E2E_KEEP"):
            shutil.rmtree(self.dir, ignore_errors=True)


class Recording:
    def __init__(self, server, proc, path):
        self.server, self.proc, self.path = server, proc, path
        server._wait("the sink's monitor to record", lambda: os.path.exists(path) and os.path.getsize(path) > 0)

    def size(self):
        return os.path.getsize(self.path) // FRAME_BYTES * FRAME_BYTES

    def read(self, start, end):
        with open(self.path, "rb") as f:
            f.seek(start)
            return f.read(end - start)

    def stop(self):
        if self.proc.poll() is None:
            self.proc.terminate()
            self.proc.wait()


class PipeWireGame(Game):
    """A Game whose ALSA default device is the PipeWire server's null sink."""

    def __init__(self, server, **kw):
        super().__init__(**kw)
        self.server = server
        self.env = dict(self.env, **server.game_env())

    def asoundrc(self):
        return ASOUNDRC
