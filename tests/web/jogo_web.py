"""Drives the game's page in headless Chromium for the browser's tests.

    with WebGame(site, save=progress(1)) as g:     # site: make web's folder
        g.wait_window()                             # the game's first picture
        g.click(120, 80)                            # game pixels, at any scale
        g.tap("Return"); g.hold("Right", 0.5)       # X keysym names, as natively
        shot = g.screenshot()                       # the canvas's own pixels
        g.wait_message().dismiss()                  # the page's message dialog
        res = g.wait_exit()                         # the page's end screen

WebGame offers what zepko_e2e.Game offers, so a session written for the
native game plays the page too. Input goes through the DevTools protocol's
real input events, which the browser treats as a player's. The page is
served by a plain static server on 127.0.0.1; each WebGame has a browser
profile of its own, which a later WebGame may take over (`profile`, and the
same `server`) to see what a restart of the browser keeps.
"""

import base64
import functools
import http.server
import json
import os
import shutil
import subprocess
import sys
import tempfile
import threading
import time
import urllib.parse
import urllib.request

import websocket

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e", "lib"))
from zepko_e2e import TAP_SECONDS, E2EError, Result, Shot, Started, e2e_folders, poll  # noqa: E402

e2e_folders("completo")
from jogador import Player  # noqa: E402

CHROMIUM = "/usr/bin/chromium"
# Without the network flags Chromium reaches for Google's hosts at start,
# which a machine with no network refuses many times over; without
# --disable-extensions, run as root it makes a folder under /usr/lib/chromium.
FLAGS = ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
         "--disable-background-networking", "--disable-component-update", "--disable-sync",
         "--disable-extensions",
         "--remote-debugging-port=0"]
WIDTH, HEIGHT = 800, 600
WAIT_SECONDS = 60.0

# X keysym names as the native tests use them -> (code, key, Windows key code).
KEYS = {
    "Escape": ("Escape", "Escape", 27), "Return": ("Enter", "Enter", 13),
    "space": ("Space", " ", 32), "Left": ("ArrowLeft", "ArrowLeft", 37),
    "Up": ("ArrowUp", "ArrowUp", 38), "Right": ("ArrowRight", "ArrowRight", 39),
    "Down": ("ArrowDown", "ArrowDown", 40), "Prior": ("PageUp", "PageUp", 33),
    "Next": ("PageDown", "PageDown", 34), "BackSpace": ("Backspace", "Backspace", 8),
}
KEYS.update({f"F{n}": (f"F{n}", f"F{n}", 111 + n) for n in range(1, 13)})
KEYS.update({c: (f"Key{c.upper()}", c, ord(c.upper())) for c in "abcdefghijklmnopqrstuvwxyz"})


class _Quiet(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


class StaticServer:
    """A plain static server of `folder` on 127.0.0.1, as any host serves the page."""

    def __init__(self, folder):
        handler = functools.partial(_Quiet, directory=folder)
        self.httpd = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
        self.url = f"http://127.0.0.1:{self.httpd.server_address[1]}/"
        threading.Thread(target=self.httpd.serve_forever, daemon=True).start()

    def close(self):
        self.httpd.shutdown()
        self.httpd.server_close()


class Remote:
    """A browser process (`proc`) driven over a websocket (`ws`) of JSON
    messages, as the DevTools protocol and WebDriver BiDi both are; what
    comes unasked is kept in `events`."""

    NAME = "the browser"

    def _gone(self, what):
        if self.proc.poll() is not None:
            return f"{self.NAME} exited with status {self.proc.returncode} while waiting for {what}"
        return None

    def send(self, method, **params):
        self.next_id += 1
        self.ws.send(json.dumps({"id": self.next_id, "method": method, "params": params}))
        while True:
            reply = json.loads(self.ws.recv())
            if reply.get("id") == self.next_id:
                if "error" in reply:
                    raise E2EError(f"{method}: {reply['error']} {reply.get('message', '')}")
                return reply.get("result", {})
            self.events.append(reply)


class Chromium(Remote):
    """Headless Chromium with a profile folder, and one page driven over the DevTools protocol."""

    NAME = "Chromium"

    def __init__(self, profile, window=(1024, 768)):
        self.profile = profile
        port_file = os.path.join(profile, "DevToolsActivePort")
        if os.path.exists(port_file):
            os.remove(port_file)
        self.log = open(os.path.join(profile, "chromium.log"), "ab")
        self.proc = subprocess.Popen([CHROMIUM, *FLAGS, f"--user-data-dir={profile}",
                                      "--window-size=%d,%d" % window, "about:blank"],
                                     stdout=self.log, stderr=self.log, stdin=subprocess.DEVNULL)
        port = poll("Chromium's DevTools port", lambda: self._read(port_file), self._gone).split()[0]
        targets = json.load(urllib.request.urlopen(f"http://127.0.0.1:{port}/json/list"))
        page = next(t for t in targets if t["type"] == "page")
        self.ws = websocket.create_connection(page["webSocketDebuggerUrl"], suppress_origin=True)
        self.next_id = 0
        self.events = []
        for domain in ("Page", "Runtime"):
            self.send(f"{domain}.enable")

    @staticmethod
    def _read(path):
        try:
            with open(path) as f:
                text = f.read()
            return text if "\n" in text else None
        except FileNotFoundError:
            return None

    def js(self, expression):
        """The value of a JavaScript expression in the page (a promise is awaited)."""
        r = self.send("Runtime.evaluate", expression=expression, awaitPromise=True, returnByValue=True)
        if "exceptionDetails" in r:
            raise E2EError(f"{expression[:80]}: {r['exceptionDetails']}")
        return r["result"].get("value")

    def open(self, url):
        self.send("Page.navigate", url=url)

    def console(self, levels):
        """The text of what the page logged at `levels`, in order."""
        lines = []
        for e in self.events:
            if e.get("method") == "Runtime.consoleAPICalled" and e["params"]["type"] in levels:
                lines.append(" ".join(str(a.get("value", "")) for a in e["params"]["args"]))
        return "".join(line + "\n" for line in lines)

    def close(self):
        try:
            self.send("Browser.close")
            self.proc.wait(10)
        except Exception:
            self.proc.kill()
            self.proc.wait()
        self.ws.close()
        self.log.close()


# The player's files as the page keeps them (IndexedDB "zepko", store "arquivos").
_STORE = """
new Promise((done, fail) => {
  const r = indexedDB.open('zepko', 1);
  r.onupgradeneeded = () => r.result.createObjectStore('arquivos');
  r.onerror = () => fail(r.error);
  r.onsuccess = () => {
    const t = r.result.transaction('arquivos', 'readwrite'), s = t.objectStore('arquivos');
    %s
    t.oncomplete = () => { r.result.close(); done(result); };
  };
})"""


class Message:
    """The page's message dialog."""

    def __init__(self, game, text):
        self._game = game
        self.text = text

    def dismiss(self):
        x, y = self._game.b.js("(() => { const r = document.querySelector('#mensagem button')"
                               ".getBoundingClientRect(); return [r.x + r.width / 2, r.y + r.height / 2]; })()")
        self._game._mouse("mousePressed", x, y, clicks=1)
        self._game._mouse("mouseReleased", x, y, clicks=1)


class WebPlayer(Player):
    """jogador.Player's way of playing, with the page's input and pixels."""

    def __init__(self, game, tol=0):
        self.g = game
        self.tol = tol

    def key(self, name, down):
        (self.g.key_down if down else self.g.key_up)(name)

    def pointer(self, x, y):
        self.g.move(x, y)

    def button(self, down, number=1):
        self.g._button(down)

    def area_rgb(self, box):
        return self.g.screenshot(box).rgb

    area = area_rgb


class WebGame(Started):
    PLAYER = WebPlayer

    def __init__(self, site, config=None, save=None, profile=None, server=None, window=(1024, 768),
                 before=None, env=None):
        """`window`: the browser window's size; `before`: a script run in
        each document before the page's own; `env`: the game's test
        switches (ZEPKO_TEST_...), which the page takes from its address."""
        self.site = site
        self.env = env or {}
        self.window = window
        self.before = before
        self.config = config
        self.save = save
        self.profile = profile
        self.own_profile = profile is None
        # The browser keeps a site's storage by its address: a restart that
        # is to find it serves the page at the same port (`server`).
        self.server = server
        self.own_server = server is None
        self.b = None
        self._buttons = 0
        self.result = None

    def _open(self):
        if self.own_server:
            self.server = StaticServer(self.site)
        if self.own_profile:
            self.profile = tempfile.mkdtemp(prefix="zepko-web-")
        self.b = Chromium(self.profile, self.window)
        if self.before:
            self.b.send("Page.addScriptToEvaluateOnNewDocument", source=self.before)
        if self.config is not None or self.save is not None:
            # Laid in the page's storage from a page of the same site that
            # does not start the game.
            self.b.open(self.server.url + "LICENSES/LICENSE.txt")
            self._wait("a page of the site", lambda: self.b.js("document.readyState") == "complete")
            puts = "".join(f"s.put(new Uint8Array({list(data)}), '{name}');"
                           for name, data in (("config.txt", self.config and self.config.encode("latin-1")),
                                              ("save.bin", self.save)) if data is not None)
            self.b.js(_STORE % (puts + "const result = true;"))
        self.b.open(self.server.url + ("?" + urllib.parse.urlencode(self.env) if self.env else ""))

    def close(self):
        if self.b:
            self.b.close()
        if self.own_server and self.server:
            self.server.close()
        if self.own_profile and self.profile:
            shutil.rmtree(self.profile, ignore_errors=True)

    def _gone(self, what):
        if self.b.proc.poll() is not None:
            return f"Chromium exited while waiting for {what}"
        if what != "exit" and not self.running():
            return f"the game ended while waiting for {what}; its output:\n{self.b.console(('log', 'warning'))}"
        return None

    def _wait(self, what, probe, timeout=WAIT_SECONDS):
        return poll(what, probe, lambda w: self.b._gone(w) if self.b else None, timeout)

    def wait_for(self, what, probe, timeout=WAIT_SECONDS):
        return poll(what, probe, self._gone, timeout)

    # --- the page -------------------------------------------------------------

    def wait_window(self, settle=0.2):
        """Waits until the game runs and has drawn into the canvas."""
        self._wait("the game to start", lambda: self.b.js(
            "!!window.Module && !!Module.calledRun && document.getElementById('carregando').hidden"))
        time.sleep(settle)

    def running(self):
        return not self.b.js("!document.getElementById('fim').hidden")

    def find_message(self):
        text = self.b.js("document.getElementById('mensagem').open ? "
                         "document.getElementById('mensagemTexto').textContent : null")
        return Message(self, text) if text is not None else None

    def wait_message(self, timeout=WAIT_SECONDS):
        return self.wait_for("a message dialog", self.find_message, timeout)

    def wait_exit(self, timeout=WAIT_SECONDS):
        self._wait("the end screen", lambda: not self.running(), timeout)
        status = int(self.b.js("document.getElementById('fim').dataset.status"))
        self.result = Result(status, self.b.console(("log",)), self.b.console(("warning", "error")))
        return self.result

    def path(self, rel):
        """A file of the game's data as the native build made it: the page carries the same bytes."""
        return os.path.join(os.environ["ZEPKO_RUN_DIR"], rel)

    def read_bytes(self, rel):
        """A player's file as the page keeps it in the browser's storage."""
        data = self.b.js(_STORE % f"const g = s.get('{rel}'); let result = null;"
                                  "g.onsuccess = () => { result = g.result ? Array.from(g.result) : null; };")
        if data is None:
            raise FileNotFoundError(rel)
        return bytes(data)

    def read_text(self, rel):
        return self.read_bytes(rel).decode("latin-1")

    # --- input --------------------------------------------------------------

    def _page_point(self, x, y):
        """The page's CSS point over pixel (x, y) of the game, at whatever scale it is shown."""
        r = self.b.js("(() => { const r = Module.canvas.getBoundingClientRect(); "
                      "return [r.x, r.y, r.width, r.height]; })()")
        return r[0] + (x + 0.5) * r[2] / WIDTH, r[1] + (y + 0.5) * r[3] / HEIGHT

    def _mouse(self, kind, px, py, clicks=0):
        params = {"type": kind, "x": px, "y": py, "buttons": self._buttons}
        if kind != "mouseMoved":
            params.update(button="left", clickCount=clicks)
        self.b.send("Input.dispatchMouseEvent", **params)

    def move(self, x, y):
        self._at = self._page_point(x, y)
        self._mouse("mouseMoved", *self._at)

    def _button(self, down):
        self._buttons = 1 if down else 0
        self._mouse("mousePressed" if down else "mouseReleased", *self._at, clicks=1)

    def click(self, x, y, hold=TAP_SECONDS, button=1):
        self.move(x, y)
        time.sleep(0.05)
        self._button(True)
        time.sleep(hold)
        self._button(False)

    def quick_click(self, x, y):
        self.move(x, y)
        self._button(True)
        self._button(False)

    def key_down(self, name):
        code, key, vk = KEYS[name]
        event = {"type": "keyDown", "code": code, "key": key, "windowsVirtualKeyCode": vk}
        if len(key) == 1:
            event.update(type="keyDown", text=key)
        self.b.send("Input.dispatchKeyEvent", **event)

    def key_up(self, name):
        code, key, vk = KEYS[name]
        self.b.send("Input.dispatchKeyEvent", type="keyUp", code=code, key=key, windowsVirtualKeyCode=vk)

    def hold(self, name, seconds):
        self.key_down(name)
        time.sleep(seconds)
        self.key_up(name)

    def tap(self, name):
        self.hold(name, TAP_SECONDS)

    def quick_key(self, name):
        self.key_down(name)
        self.key_up(name)

    # --- output -------------------------------------------------------------

    def screenshot(self, box=None):
        """The canvas's own pixels (not the scaled picture on the screen), or
        those of box=(x, y, w, h)."""
        x, y, w, h = box or (0, 0, WIDTH, HEIGHT)
        data = self.b.js(f"""(() => {{
            const d = Module.canvas.getContext('2d').getImageData({x}, {y}, {w}, {h}).data;
            const rgb = new Uint8Array(d.length / 4 * 3);
            for (let i = 0, j = 0; i < d.length; i += 4, j += 3) {{
                rgb[j] = d[i]; rgb[j + 1] = d[i + 1]; rgb[j + 2] = d[i + 2];
            }}
            let s = '';
            for (let i = 0; i < rgb.length; i += 0x8000) s += String.fromCharCode.apply(null, rgb.subarray(i, i + 0x8000));
            return btoa(s);
        }})()""")
        return Shot(w, h, base64.b64decode(data))
