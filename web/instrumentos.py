"""instrumentos.py CFG OUT MIDI...: writes to OUT, as empacota.py's
DEST=SOURCE lines, the sample files of CFG (the synthesizer's patch list)
that the MIDI files play: each channel's programs (the piano until a
program change) and the drum notes of channel 10. The page fetches only
those: the other instruments would be bytes nobody hears."""

import os
import sys


def numero(dados, i):
    """A MIDI variable-length number at i: its value and where it ends."""
    valor = 0
    while True:
        valor = (valor << 7) | (dados[i] & 0x7F)
        i += 1
        if not dados[i - 1] & 0x80:
            return valor, i


def tocados(caminho):
    """(programs, drum notes) that a Standard MIDI File plays."""
    with open(caminho, "rb") as f:
        dados = f.read()
    programas, tambores = set(), set()
    i = 8 + int.from_bytes(dados[4:8], "big")  # past the header chunk
    while i + 8 <= len(dados):
        fim = i + 8 + int.from_bytes(dados[i + 4:i + 8], "big")
        if dados[i:i + 4] != b"MTrk":
            i = fim
            continue
        i += 8
        programa = [0] * 16
        status = 0
        while i < fim:
            _, i = numero(dados, i)
            if dados[i] & 0x80:
                status = dados[i]
                i += 1
            if status == 0xFF:
                tamanho, i = numero(dados, i + 1)
                i += tamanho
            elif status in (0xF0, 0xF7):
                tamanho, i = numero(dados, i)
                i += tamanho
            else:
                canal, tipo = status & 0x0F, status & 0xF0
                if tipo == 0xC0:
                    programa[canal] = dados[i]
                elif tipo == 0x90 and dados[i + 1] > 0:
                    if canal == 9:
                        tambores.add(dados[i])
                    else:
                        programas.add(programa[canal])
                i += 1 if tipo in (0xC0, 0xD0) else 2
        i = fim
    return programas, tambores


def lista(cfg):
    """The patch list's programs (0-based) and drum notes, each to its file."""
    programas, tambores = {}, {}
    atual = programas
    with open(cfg) as f:
        for linha in f:
            partes = linha.split()
            if not partes or partes[0].startswith("#"):
                continue
            if len(partes) > 1 and partes[1] == "begin_multipatch":
                atual = tambores
                continue
            n, arquivo = int(partes[0]), partes[1]
            atual[n - 1 if atual is programas else n] = arquivo
    return programas, tambores


cfg, saida, midis = sys.argv[1], sys.argv[2], sys.argv[3:]
por_programa, por_tambor = lista(cfg)
arquivos = set()
for midi in midis:
    programas, tambores = tocados(midi)
    arquivos |= {por_programa[p] for p in programas if p in por_programa}
    arquivos |= {por_tambor[n] for n in tambores if n in por_tambor}
pasta = os.path.dirname(os.path.abspath(cfg))
with open(saida, "w") as f:
    for nome in sorted(arquivos):
        f.write(f"patches/{nome}={os.path.join(pasta, nome)}\n")
