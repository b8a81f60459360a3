"""The page's cost, bytes and start in headless Chromium, printed as one
table: the browser figures of docs/performance.md.

    make bench-web        (or: ZEPKO_WEB_BUILD=build-web/game /usr/bin/python3 bench/web/medidas.py)

The cost is the page's main-thread busy time (DevTools' TaskDuration) and
the processor time of all its browser's processes, over the same seconds
for the still title screen, a still level 1 and the floor (piso_web.cpp:
the game's mode, timer and wait loop, drawing nothing), each in a browser
of its own, round after round; ratios are the medians of the rounds'.
Then the title screen is hidden behind another tab and brought back; and
the page is opened afresh on a link slowed by DevTools, whose responses
give the bytes (gzip -9 figures: the same files compressed here).
"""

import gzip
import os
import shutil
import statistics
import sys
import tempfile
import time

AQUI = os.path.dirname(os.path.abspath(__file__))
TESTS = os.path.join(AQUI, "..", "..", "tests")
sys.path[:0] = [os.path.join(TESTS, "web"), os.path.join(TESTS, "e2e", "lib"), os.path.join(TESTS, "e2e", "menus")]
from jogo_web import Chromium, StaticServer, WebGame  # noqa: E402
from zepko_e2e import poll, progress  # noqa: E402
import telas  # noqa: E402

WEB = os.environ.get("ZEPKO_WEB_BUILD", os.path.join(AQUI, "..", "..", "build-web", "game"))
SITE, PISO = os.path.join(WEB, "site"), os.path.join(WEB, "piso")
TICKS = os.sysconf("SC_CLK_TCK")
ROUNDS = 7
ROUND_SECONDS = 4.0
HIDDEN_SECONDS = 5.0
LINK = dict(offline=False, latency=40, downloadThroughput=10e6 / 8, uploadThroughput=10e6 / 8)
LINK_RUNS = 3
LONG = 600.0  # a wait's bound on a slow link, not a limit

# Set before the page's scripts run: notes each presentation, the first one
# with the title's credit bar, the instruments' arrival, visibility changes.
GANCHO = """(() => {
  const m = window.zepkoMedidas = { quadros: [], visivel: [] };
  const barra = (c) => [0, 400, 799].every((x) => {
    const p = c.getContext('2d').getImageData(x, 590, 1, 1).data;
    return p[0] === 30 && p[1] === 30 && p[2] === 30;
  });
  let modulo;
  Object.defineProperty(window, 'Module', { configurable: true, get: () => modulo, set: (v) => {
    modulo = v;
    if (!v || v.zepkoQuadro) return;
    v.zepkoQuadro = () => {
      const t = performance.now();
      m.quadros.push(t);
      if (m.titulo === undefined && barra(v.canvas)) m.titulo = t;
    };
    let prontos = v.zepkoInstrumentosProntos;
    Object.defineProperty(v, 'zepkoInstrumentosProntos', { get: () => prontos, set: (x) => {
      prontos = x;
      if (x && m.instrumentos === undefined) m.instrumentos = performance.now();
    } });
  } });
  document.addEventListener('visibilitychange',
    () => m.visivel.push([performance.now(), document.visibilityState]));
})();"""


def cpu_seconds(pid):
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / TICKS


def arvore(raiz):
    """The process and all its descendants."""
    filhos = {}
    for p in os.listdir("/proc"):
        try:
            with open(f"/proc/{p}/stat") as f:
                filhos.setdefault(int(f.read().rsplit(")", 1)[1].split()[1]), []).append(int(p))
        except (ValueError, OSError):
            pass
    todos, fila = [], [raiz]
    while fila:
        todos.append(fila.pop())
        fila += filhos.get(todos[-1], [])
    return todos


def gasto(b):
    """(main-thread busy seconds, processor seconds of the whole browser)."""
    metricas = {m["name"]: m["value"] for m in b.send("Performance.getMetrics")["metrics"]}
    total = 0.0
    for pid in arvore(b.proc.pid):
        try:
            total += cpu_seconds(pid)
        except OSError:
            pass
    return metricas["TaskDuration"], total


def rodadas(navegadores):
    """Each browser's main-thread and whole shares over the same seconds,
    round after round: {name: [(main, whole) per round]}."""
    result = {n: [] for n in navegadores}
    for _ in range(ROUNDS):
        antes, t0 = {n: gasto(b) for n, b in navegadores.items()}, time.monotonic()
        time.sleep(ROUND_SECONDS)
        dt = time.monotonic() - t0
        for n, b in navegadores.items():
            depois = gasto(b)
            result[n].append(tuple((d - a) / dt for a, d in zip(antes[n], depois)))
    return result


def custos():
    server = StaticServer(PISO)
    piso = Chromium(tempfile.mkdtemp(prefix="zepko-piso-"))  # its own browser
    try:
        with WebGame(SITE, save=progress(1)) as titulo, WebGame(SITE, save=progress(1)) as fase:
            piso.open(server.url)
            poll("the floor page", lambda: piso.js("!!window.Module && !!Module.calledRun"), lambda w: None)
            for g in (titulo, fase):
                g.wait_window()
            telas.wait_title(titulo)
            telas.enter_level(fase, telas.LEVEL_1)
            navegadores = {"title": titulo.b, "level": fase.b, "floor": piso}
            for b in navegadores.values():
                b.send("Performance.enable")
            time.sleep(1.5)  # any burst of the entry past
            musica = rodadas(navegadores)
            fase.tap("F1")
            silencio = rodadas(navegadores)
            return musica, silencio, volta(titulo.b)
    finally:
        piso.close()
        server.close()
        shutil.rmtree(piso.profile, ignore_errors=True)


def volta(b):
    """Presentations in the first second after the page comes back from
    HIDDEN_SECONDS behind another tab (hidden: its timers wake once a
    second), and a second's worth of the three before it went."""
    b.js("window.zepkoMedidas = { quadros: [], visivel: [] };"
         "Module.zepkoQuadro = () => zepkoMedidas.quadros.push(performance.now());"
         "document.addEventListener('visibilitychange', () => "
         "zepkoMedidas.visivel.push([performance.now(), document.visibilityState])); true")
    time.sleep(3.5)
    eu = b.send("Target.getTargetInfo")["targetInfo"]["targetId"]
    outra = b.send("Target.createTarget", url="about:blank")["targetId"]
    time.sleep(HIDDEN_SECONDS)
    b.send("Target.activateTarget", targetId=eu)
    time.sleep(2)
    b.send("Target.closeTarget", targetId=outra)
    m = b.js("zepkoMedidas")
    (escondeu, oculta), (voltou, visivel) = m["visivel"]
    assert (oculta, visivel) == ("hidden", "visible"), m["visivel"]
    normal = sum(escondeu - 3000 <= t < escondeu for t in m["quadros"]) / 3
    oculta = 1000 * sum(escondeu <= t < voltou for t in m["quadros"]) / (voltou - escondeu)
    return sum(voltou <= t < voltou + 1000 for t in m["quadros"]), normal, oculta


def chegada():
    """A first visit on the slow link: the milliseconds from navigation to
    the title and to the instruments, and each response's body bytes, all
    and those finished before the title showed: {url: bytes} twice; and
    the rate the largest one came at, in bits a second."""
    server = StaticServer(SITE)
    b = Chromium(tempfile.mkdtemp(prefix="zepko-rede-"))
    try:
        b.send("Network.enable")
        b.send("Network.emulateNetworkConditions", **LINK)
        b.send("Page.addScriptToEvaluateOnNewDocument", source=GANCHO)
        b.open(server.url)
        m = poll("the title and the instruments", lambda: b.js(
            "(m => m && m.titulo && m.instrumentos ? { titulo: m.titulo, instrumentos: m.instrumentos, "
            "origem: performance.timeOrigin } : null)(window.zepkoMedidas)"), lambda w: b._gone(w), LONG)
        time.sleep(0.5)
        b.js("true")  # the last network events read
    finally:
        b.close()
        server.close()
        shutil.rmtree(b.profile, ignore_errors=True)
    # Network events keep a monotonic clock, and give the wall clock of each request.
    urls, corpos, inicio, fim, relogio = {}, {}, {}, {}, None
    for e in b.events:
        p = e.get("params", {})
        if e.get("method") == "Network.requestWillBeSent":
            urls[p["requestId"]] = p["request"]["url"]
            relogio = p["wallTime"] - p["timestamp"]
        elif e.get("method") == "Network.responseReceived":
            inicio[p["requestId"]] = p["timestamp"]
        elif e.get("method") == "Network.dataReceived":
            corpos[p["requestId"]] = corpos.get(p["requestId"], 0) + p["dataLength"]
        elif e.get("method") == "Network.loadingFinished":
            fim[p["requestId"]] = p["timestamp"]
    titulo = (m["origem"] + m["titulo"]) / 1000 - relogio
    todos = {urls[r]: n for r, n in corpos.items()}
    antes = {urls[r]: n for r, n in corpos.items() if fim.get(r, titulo) < titulo}
    maior = max(corpos, key=corpos.get)
    return m["titulo"], m["instrumentos"], antes, todos, 8 * corpos[maior] / (fim[maior] - inicio[maior])


def comprimidos(respostas):
    total = 0
    for url in respostas:
        caminho = url.split("/", 3)[3].split("?")[0] or "index.html"
        with open(os.path.join(SITE, caminho), "rb") as f:
            total += len(gzip.compress(f.read(), 9))
    return total


def mb(n):
    return f"{n / 1e6:.2f} MB"


def main():
    musica, silencio, (depois, normal, oculta) = custos()
    chegadas = [chegada() for _ in range(LINK_RUNS)]
    antes, todos = chegadas[0][2:4]

    def razao(rodada, nome, i):
        return f"{statistics.median(r[i] / f[i] for r, f in zip(rodada[nome], rodada['floor'])):.2f}"

    def pct(rodada, nome, i):
        return f"{100 * statistics.median(r[i] for r in rodada[nome]):.1f} %"

    def segundos(i):
        return f"{statistics.median(c[i] for c in chegadas) / 1000:.1f} s"

    rows = []
    for i, qual in ((0, "main-thread busy time"), (1, "CPU time of all the browser's processes")):
        rows += [
            (f"{qual} ÷ the floor's, still title screen", razao(musica, "title", i), "≤ 1.2" if i == 0 else ""),
            (f"{qual} ÷ the floor's, still level 1, music playing", razao(musica, "level", i),
             "≤ 1.2" if i == 0 else ""),
            (f"{qual} ÷ the floor's, still level 1, music paused (F1)", razao(silencio, "level", i), ""),
            (f"{qual}: title / level 1 / music paused / floor",
             f"{pct(musica, 'title', i)} / {pct(musica, 'level', i)} / {pct(silencio, 'level', i)} / "
             f"{pct(musica, 'floor', i)} of a core", ""),
        ]
    rows += [
        (f"presentations in the first second back from {HIDDEN_SECONDS:.0f} s behind another tab "
         "÷ in a second before, title screen",
         f"{depois / normal:.2f} ({depois} / {normal:.1f}; hidden: {oculta:.1f} a second)", "≈ 1"),
        ("bytes before the title shows: as served / gzip -9", f"{mb(sum(antes.values()))} / {mb(comprimidos(antes))}",
         ""),
        ("bytes in all, instruments in: as served / gzip -9", f"{mb(sum(todos.values()))} / {mb(comprimidos(todos))}",
         ""),
        (f"navigation to the title, {LINK['downloadThroughput'] * 8 / 1e6:.0f} Mbit/s, {LINK['latency']} ms",
         segundos(0), ""),
        ("navigation to the instruments in, the same link", segundos(1), ""),
        ("the emulated link's rate, as instrumentos.bin came",
         f"{statistics.median(c[4] for c in chegadas) / 1e6:.1f} Mbit/s", ""),
    ]
    print("| measure | result | target |")
    print("|---|---|---|")
    for r in rows:
        print("| " + " | ".join(r) + " |")


if __name__ == "__main__":
    main()
