#!/usr/bin/env python3
"""Every relative link of README.md, CONTRIBUTING.md and docs/*.md names a
file of the tree, and a #part names a heading of that file (or of the file
itself). Links into debian/ would break in the release tarball, which
leaves that folder out, so they count as broken too."""
import re
import sys
from pathlib import Path
from urllib.parse import unquote

raiz = Path(sys.argv[1] if len(sys.argv) > 1 else Path(__file__).resolve().parents[3])
paginas = [raiz / "README.md", raiz / "CONTRIBUTING.md"] + sorted((raiz / "docs").rglob("*.md"))

LIGACAO = re.compile(r"!?\[[^\]]*\]\(\s*<?([^)\s>]+)>?(?:\s+\"[^\"]*\")?\s*\)")


def texto_sem_codigo(caminho):
    """The page without fenced blocks and inline code, where brackets are no links."""
    linhas, cerca = [], False
    for linha in caminho.read_text(encoding="utf-8").splitlines():
        if linha.lstrip().startswith("```"):
            cerca = not cerca
            linhas.append("")
            continue
        linhas.append("" if cerca else re.sub(r"`[^`]*`", "", linha))
    return linhas


def ancoras(caminho):
    """The anchors GitHub gives the headings of a Markdown page."""
    vistas, resultado = {}, set()
    for linha in texto_sem_codigo(caminho):
        m = re.match(r"#{1,6}\s+(.*?)\s*#*\s*$", linha)
        if not m:
            continue
        titulo = re.sub(r"\[([^\]]*)\]\([^)]*\)", r"\1", m.group(1))
        base = re.sub(r"[^\w\- ]", "", titulo.lower()).replace(" ", "-")
        n = vistas.get(base, 0)
        vistas[base] = n + 1
        resultado.add(base if n == 0 else f"{base}-{n}")
    return resultado


erros = []
for pagina in paginas:
    if not pagina.exists():
        erros.append(f"{pagina.relative_to(raiz)}: missing")
        continue
    for numero, linha in enumerate(texto_sem_codigo(pagina), 1):
        for alvo in LIGACAO.findall(linha):
            if re.match(r"[a-z][a-z0-9+.-]*:", alvo):
                continue  # https:, mailto: and the like
            caminho, _, parte = unquote(alvo).partition("#")
            destino = (pagina.parent / caminho).resolve() if caminho else pagina
            onde = f"{pagina.relative_to(raiz)}:{numero}: {alvo}"
            try:
                relativo = destino.relative_to(raiz.resolve())
            except ValueError:
                erros.append(f"{onde}: outside the tree")
                continue
            if relativo.parts[:1] == ("debian",):
                erros.append(f"{onde}: debian/ is not in the release tarball")
            elif not destino.exists():
                erros.append(f"{onde}: no such file")
            elif parte and (destino.suffix != ".md" or parte not in ancoras(destino)):
                erros.append(f"{onde}: no heading #{parte} there")

for e in erros:
    print(e)
print(f"{len(paginas)} pages, {len(erros)} broken links")
sys.exit(1 if erros else 0)
