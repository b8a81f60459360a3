"""The page in headless Firefox ESR, driven over WebDriver BiDi: it loads
to the game's title screen."""

import os
import shutil
import subprocess
import tempfile
import time
import unittest

import websocket

from jogo_web import Remote, StaticServer
from zepko_e2e import E2EError, poll

SITE = os.environ["ZEPKO_WEB_SITE"]
FIREFOX = "/usr/bin/firefox-esr"
# Nothing fetched from the network at start, which a machine without one
# would refuse many times over.
PREFS = """
user_pref("app.update.enabled", false);
user_pref("browser.shell.checkDefaultBrowser", false);
user_pref("datareporting.policy.dataSubmissionEnabled", false);
user_pref("toolkit.telemetry.enabled", false);
user_pref("network.captive-portal-service.enabled", false);
user_pref("network.connectivity-service.enabled", false);
user_pref("browser.safebrowsing.update.enabled", false);
user_pref("extensions.update.enabled", false);
user_pref("media.autoplay.default", 0);
"""


class Firefox(Remote):
    NAME = "Firefox"

    def __init__(self, profile):
        with open(os.path.join(profile, "user.js"), "w") as f:
            f.write(PREFS)
        self.log = open(os.path.join(profile, "firefox.log"), "w+")
        self.proc = subprocess.Popen(
            [FIREFOX, "--headless", "--no-remote", "--profile", profile, "--remote-debugging-port", "0",
             "about:blank"], stdout=self.log, stderr=subprocess.STDOUT, stdin=subprocess.DEVNULL,
            env=dict(os.environ, HOME=profile, MOZ_CRASHREPORTER_DISABLE="1"))
        address = poll("Firefox's WebDriver BiDi address", self._address, self._gone, 60)
        self.ws = websocket.create_connection(address + "/session", suppress_origin=True)
        self.next_id = 0
        self.events = []
        self.send("session.new", capabilities={})
        self.context = self.send("browsingContext.getTree")["contexts"][0]["context"]

    def _address(self):
        self.log.seek(0)
        for line in self.log:
            if "WebDriver BiDi listening on " in line:
                return line.split("listening on ")[1].strip()
        return None

    def js(self, expression):
        r = self.send("script.evaluate", expression=expression, awaitPromise=True,
                      target={"context": self.context}, resultOwnership="none")
        if r.get("type") == "exception":
            raise E2EError(f"{expression[:80]}: {r['exceptionDetails']['text']}")
        return r["result"].get("value")

    def close(self):
        try:
            self.send("browser.close")
            self.proc.wait(20)
        except Exception:
            self.proc.kill()
            self.proc.wait()
        self.log.close()


class NoFirefox(unittest.TestCase):
    def test_carrega_ate_o_titulo(self):
        server = StaticServer(SITE)
        self.addCleanup(server.close)
        profile = tempfile.mkdtemp(prefix="zepko-firefox-")
        self.addCleanup(shutil.rmtree, profile, True)
        firefox = Firefox(profile)
        self.addCleanup(firefox.close)
        firefox.send("browsingContext.navigate", context=firefox.context, url=server.url, wait="complete")
        # The title screen's credit bar, drawn in every frame.
        poll("the game's title screen", lambda: firefox.js(
            "!!window.Module && !!Module.calledRun && document.getElementById('carregando').hidden && "
            "[0, 400, 799].every((x) => String(Module.canvas.getContext('2d').getImageData(x, 590, 1, 1).data"
            ".slice(0, 3)) === '30,30,30')"), firefox._gone, 60)
        time.sleep(0.5)
        self.assertEqual(firefox.js("document.getElementById('fim').hidden"), True)


if __name__ == "__main__":
    unittest.main()
