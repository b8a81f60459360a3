// The patch list for the library's software MIDI synthesizer. It reads the
// timidity-style list of a sample set (Debian's freepats.cfg) and writes
// the list the synthesizer understands: melodic programs numbered 1 to 128,
// then "129 begin_multipatch" and the percussion notes, each file named
// relative to the list's own folder (the synthesizer ignores "dir" lines).
#pragma once

#include <filesystem>
#include <map>
#include <string>

namespace musica {

struct ConjuntoPatches {
    std::string pasta;                     // the "dir" of the list
    std::map<int, std::string> programas;  // GM program 0..127 -> file under pasta
    std::map<int, std::string> bateria;    // GM percussion note -> file under pasta
};

ConjuntoPatches leListaTimidity(const std::string& texto);

// The program that stands in for `programa` when the set lacks it: a
// named neighbour in sound, else the nearest one of its family of eight,
// else the piano. -1 when the set holds no melodic patch at all.
int programaSubstituto(int programa, const ConjuntoPatches& c);
// The named neighbour of a program, or -1 when it has none.
int vizinhoNomeado(int programa);
int percussaoSubstituta(int nota, const ConjuntoPatches& c);

// The file name a set's file gets in the generated folder: its relative
// path with the slashes flattened, so one folder holds every link.
std::string nomeLocal(const std::string& arquivo);

// The synthesizer's list covering all 128 programs and percussion notes
// 27 to 87 (the ones the set or a stand-in can play).
std::string escreveListaAllegro(const ConjuntoPatches& c);

// Reads the sample set's list at `lista`, links each of its installed
// files into `destino` (links to absolute paths, so a copy of the folder
// still finds them) and writes destino/zepko.cfg. A listed file that is not
// installed is left out, so its program falls back to a neighbour instead
// of playing silence. Returns "" or what went wrong.
std::string instalaPatches(const std::filesystem::path& lista, const std::filesystem::path& destino);

}  // namespace musica
