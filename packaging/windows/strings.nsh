; The installer's own texts; the rest of its pages come with NSIS's Modern UI.

LangString GameDescription ${LANG_ENGLISH} "The game, with its pictures, fonts and music."
LangString GameDescription ${LANG_PORTUGUESEBR} "O jogo, com suas imagens, fontes e músicas."
LangString GameDescription ${LANG_PORTUGUESE} "O jogo, com as suas imagens, tipos de letra e músicas."

LangString DesktopShortcut ${LANG_ENGLISH} "Desktop shortcut"
LangString DesktopShortcut ${LANG_PORTUGUESEBR} "Atalho na área de trabalho"
LangString DesktopShortcut ${LANG_PORTUGUESE} "Atalho no ambiente de trabalho"

LangString DesktopDescription ${LANG_ENGLISH} "A shortcut to Zepko on the desktop, beside the one in the Start menu."
LangString DesktopDescription ${LANG_PORTUGUESEBR} "Um atalho para o Zepko na área de trabalho, além do que fica no menu Iniciar."
LangString DesktopDescription ${LANG_PORTUGUESE} "Um atalho para o Zepko no ambiente de trabalho, além do que fica no menu Iniciar."

LangString RemoveProgress ${LANG_ENGLISH} "My progress and settings"
LangString RemoveProgress ${LANG_PORTUGUESEBR} "Meu progresso e minhas configurações"
LangString RemoveProgress ${LANG_PORTUGUESE} "O meu progresso e as minhas definições"

LangString RemoveProgressDescription ${LANG_ENGLISH} "Also removes save.bin (the levels you have opened) and config.txt. Left unticked, they stay in the game's folder for when you install it again."
LangString RemoveProgressDescription ${LANG_PORTUGUESEBR} "Apaga também o save.bin (as fases que você já abriu) e o config.txt. Sem a marca, eles ficam na pasta do jogo para quando você o instalar de novo."
LangString RemoveProgressDescription ${LANG_PORTUGUESE} "Apaga também o save.bin (os níveis que já abriu) e o config.txt. Sem o visto, ficam na pasta do jogo para quando o voltar a instalar."

LangString FolderNotWritable ${LANG_ENGLISH} "You may not write to this folder:$\r$\n$INSTDIR$\r$\n$\r$\nZepko keeps your progress and settings beside itself, so it needs a folder of your own, such as $LOCALAPPDATA\Programs\Zepko. Folders such as Program Files need administrator rights."
LangString FolderNotWritable ${LANG_PORTUGUESEBR} "Você não tem permissão para gravar nesta pasta:$\r$\n$INSTDIR$\r$\n$\r$\nO Zepko guarda seu progresso e suas configurações junto de si, então precisa de uma pasta sua, como $LOCALAPPDATA\Programs\Zepko. Pastas como Arquivos de Programas exigem direitos de administrador."
LangString FolderNotWritable ${LANG_PORTUGUESE} "Não tem permissão para escrever nesta pasta:$\r$\n$INSTDIR$\r$\n$\r$\nO Zepko guarda o seu progresso e as suas definições junto de si, por isso precisa de uma pasta sua, como $LOCALAPPDATA\Programs\Zepko. Pastas como Programas exigem direitos de administrador."

LangString GameRunning ${LANG_ENGLISH} "Zepko is running. Close the game, then click Retry; Cancel stops without changing anything."
LangString GameRunning ${LANG_PORTUGUESEBR} "O Zepko está aberto. Feche o jogo e clique em Repetir; Cancelar encerra sem mudar nada."
LangString GameRunning ${LANG_PORTUGUESE} "O Zepko está aberto. Feche o jogo e clique em Repetir; Cancelar termina sem alterar nada."

LangString OlderStays ${LANG_ENGLISH} "The installed version of Zepko could not be removed, so this one was not installed. Close the game and try again."
LangString OlderStays ${LANG_PORTUGUESEBR} "Não foi possível remover a versão instalada do Zepko, por isso esta não foi instalada. Feche o jogo e tente de novo."
LangString OlderStays ${LANG_PORTUGUESE} "Não foi possível remover a versão instalada do Zepko, por isso esta não foi instalada. Feche o jogo e tente de novo."

LangString FilesStay ${LANG_ENGLISH} "Some of Zepko's files could not be removed, so Zepko stays in Apps & features. Close the game and uninstall it again."
LangString FilesStay ${LANG_PORTUGUESEBR} "Alguns arquivos do Zepko não puderam ser apagados, por isso ele continua em Aplicativos e recursos. Feche o jogo e desinstale de novo."
LangString FilesStay ${LANG_PORTUGUESE} "Alguns ficheiros do Zepko não puderam ser apagados, por isso continua em Aplicações e funcionalidades. Feche o jogo e desinstale-o de novo."
