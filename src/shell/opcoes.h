#pragma once

#include <optional>

// The command line, answered before the library starts: --version and
// --help print and end the program, anything else is refused. Gives the
// exit status, or nothing when there is no argument and the game starts.
std::optional<int> trataOpcoes(int argc, char* argv[]);
