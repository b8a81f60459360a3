; The installer's own texts; the rest of its pages come with NSIS's Modern UI.

LangString GameDescription ${LANG_ENGLISH} "The game, with its pictures, fonts and music."
LangString GameDescription ${LANG_PORTUGUESEBR} "O jogo, com suas imagens, fontes e músicas."

LangString DesktopShortcut ${LANG_ENGLISH} "Desktop shortcut"
LangString DesktopShortcut ${LANG_PORTUGUESEBR} "Atalho na área de trabalho"

LangString DesktopDescription ${LANG_ENGLISH} "A shortcut to Zepko on the desktop, beside the one in the Start menu."
LangString DesktopDescription ${LANG_PORTUGUESEBR} "Um atalho para o Zepko na área de trabalho, além do que fica no menu Iniciar."

LangString RemoveProgress ${LANG_ENGLISH} "My progress and settings"
LangString RemoveProgress ${LANG_PORTUGUESEBR} "Meu progresso e minhas configurações"

LangString RemoveProgressDescription ${LANG_ENGLISH} "Also removes save.bin (the levels you have opened) and config.txt. Left unticked, they stay in the game's folder for when you install it again."
LangString RemoveProgressDescription ${LANG_PORTUGUESEBR} "Apaga também o save.bin (as fases que você já abriu) e o config.txt. Sem a marca, eles ficam na pasta do jogo para quando você o instalar de novo."
