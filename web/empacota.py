"""empacota.py PACK DEST=SOURCE|@LIST...: packs files for the page into PACK
(their bytes one after another) and PACK.json (where each file lies in
it), the same bytes every time: files in sorted order, symbolic links
followed. Each SOURCE is a file or a folder, laid out under the game's
folder as DEST (a folder's files keep their names below it); @LIST reads
such pairs from the file LIST, one a line. The page
fetches the two and writes the files where the game finds them."""

import json
import os
import sys


def arquivos(destino, origem):
    if not os.path.isdir(origem):
        yield destino, origem
        return
    for pasta, subpastas, nomes in os.walk(origem, followlinks=True):
        subpastas.sort()
        for nome in sorted(nomes):
            caminho = os.path.join(pasta, nome)
            yield destino + "/" + os.path.relpath(caminho, origem), caminho


def pares(argumentos):
    for a in argumentos:
        if a.startswith("@"):
            with open(a[1:]) as f:
                yield from f.read().split()
        else:
            yield a


pacote = sys.argv[1]
lista = sorted(a for par in pares(sys.argv[2:]) for a in arquivos(*par.split("=", 1)))
indice, posicao = [], 0
with open(pacote, "wb") as saida:
    for destino, origem in lista:
        with open(origem, "rb") as f:
            dados = f.read()
        saida.write(dados)
        indice.append([destino, posicao, len(dados)])
        posicao += len(dados)
with open(pacote + ".json", "w") as f:
    json.dump({"tamanho": posicao, "arquivos": indice}, f, separators=(",", ":"))
    f.write("\n")
