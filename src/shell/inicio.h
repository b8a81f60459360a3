// Start-up and shutdown of the library and its services.
#pragma once

// Settings read from config.txt; volume and vSync are written back at exit.
extern int volume;
extern int vSync;
extern int resolucaoX;
extern int resolucaoY;

void inicia_allegro();
void deinicia_allegro();

void BotaoFechar();
void funcFPS();
void funcTempo();
