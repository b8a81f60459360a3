// A small GIF89a writer: one frame, a global colour table and, when the
// picture has magenta pixels, a transparent index for them.
#pragma once

#include <allegro.h>

#include <cstdint>
#include <string>
#include <vector>

// The file's bytes for a true-colour bitmap; throws when it holds more than
// 256 colours (255 when it has transparent pixels).
std::vector<uint8_t> codificaGif(BITMAP* figura);
void salvaGif(const std::string& arquivo, BITMAP* figura);
