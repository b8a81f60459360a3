#!/usr/bin/env python3
"""The folders of src/ are layers: a file includes only its own folder's
headers and those of the folders below it. Prints the include edges between
folders and fails on one that runs upward or on a circle of includes. The
tests follow the sources: a unit or render test y_test.cpp of
tests/<tier>/x/ tests src/x/y.cpp (tools/x/y.cpp for tests/<tier>/tools/x/),
and the unit tier does without Allegro."""
import re
import sys
from pathlib import Path

# Top to bottom.
CAMADAS = ["src", "src/menus", "src/play", "src/shell", "src/screen", "src/gif", "src/base"]

raiz = Path(sys.argv[1] if len(sys.argv) > 1 else Path(__file__).resolve().parents[3])
src = raiz / "src"
arquivos = sorted(p for p in src.rglob("*") if p.suffix in (".h", ".cpp"))
por_nome = {}
for p in arquivos:
    por_nome.setdefault(p.name, []).append(p)

erros = []
inclui = {}  # file -> files it includes
arestas = {}  # (folder, folder) -> count
for p in arquivos:
    inclui[p] = []
    for linha in p.read_text(encoding="utf-8").splitlines():
        m = re.match(r'\s*#\s*include\s+"([^"]+)"', linha)
        if not m:
            continue
        alvos = por_nome.get(Path(m.group(1)).name, [])
        if len(alvos) != 1:
            erros.append(f"{p.relative_to(raiz)}: \"{m.group(1)}\" names {len(alvos)} files in src/")
            continue
        alvo = alvos[0]
        inclui[p].append(alvo)
        de = p.parent.relative_to(raiz).as_posix()
        para = alvo.parent.relative_to(raiz).as_posix()
        if de != para:
            arestas[(de, para)] = arestas.get((de, para), 0) + 1
            if de not in CAMADAS or para not in CAMADAS or CAMADAS.index(para) < CAMADAS.index(de):
                erros.append(f"{p.relative_to(raiz)} includes {alvo.relative_to(raiz)}: upward")

for (de, para), n in sorted(arestas.items(), key=lambda a: (CAMADAS.index(a[0][0]) if a[0][0] in CAMADAS else 99, a[0][1])):
    print(f"{de} -> {para}  ({n})")

# A circle of includes between files, found by depth-first search.
estado = {}
def visita(p, caminho):
    estado[p] = 1
    for q in inclui[p]:
        if estado.get(q) == 1:
            ciclo = caminho[caminho.index(q):] + [q]
            erros.append("circle: " + " -> ".join(c.relative_to(raiz).as_posix() for c in ciclo))
        elif q not in estado:
            visita(q, caminho + [q])
    estado[p] = 2
for p in arquivos:
    if p not in estado:
        visita(p, [p])

# Tests of several files, named for what they check.
VARIOS = {"render/screen/sessao_test.cpp", "unit/tools/musica/musicas_test.cpp"}
for teste in sorted((raiz / "tests").glob("*/**/*_test.cpp")):
    camada, *pasta, nome = teste.relative_to(raiz / "tests").parts
    fonte = raiz / ("." if pasta[:1] == ["tools"] else "src") / Path(*pasta) / nome.replace("_test.cpp", ".cpp")
    if camada in ("unit", "render") and "/".join([camada, *pasta, nome]) not in VARIOS and not fonte.exists():
        erros.append(f"{teste.relative_to(raiz)}: tests no {fonte.relative_to(raiz)}")
for p in sorted((raiz / "tests" / "unit").rglob("*")):
    if p.suffix in (".h", ".cpp") and re.search(r"#\s*include\s*<allegro", p.read_text(encoding="utf-8")):
        erros.append(f"{p.relative_to(raiz)}: Allegro in the unit tier")

for e in erros:
    print(e, file=sys.stderr)
sys.exit(1 if erros else 0)
