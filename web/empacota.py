"""empacota.py PACK DEST=SOURCE...: packs files for the page into PACK
(their bytes one after another) and PACK.json (where each file lies in
it), the same bytes every time: files in sorted order, symbolic links
followed. Each SOURCE is a file or a folder, laid out under the game's
folder as DEST (a folder's files keep their names below it). The page
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


pacote, pares = sys.argv[1], sys.argv[2:]
lista = sorted(a for par in pares for a in arquivos(*par.split("=", 1)))
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
