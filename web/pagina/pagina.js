// The page around the game: it fetches the game's data with a progress bar,
// keeps the player's files in the browser's storage, shows the picture at a
// whole-number scale, the library's messages as a dialog, and the end.
'use strict';
(function () {
  // The game runs in a folder of its own with its data linked in, as the
  // Linux launcher lays it out; only the player's files there are kept.
  const PASTA = '/home/web_user/zepko';
  const DADOS = '/usr/share/zepko';
  const DADOS_LIGADOS = ['img', 'fonts', 'mid', 'patches'];
  const GUARDADOS = ['save.bin', 'config.txt'];
  const LARGURA = 800, ALTURA = 600;

  const $ = (id) => document.getElementById(id);
  const tela = $('tela');

  function mostraNota(texto) {
    $('nota').textContent = texto;
    $('nota').hidden = false;
  }

  // --- The player's files, in IndexedDB ---
  const BANCO = 'zepko', LOJA = 'arquivos';
  let banco = null;

  function abreBanco() {
    return new Promise((resolve) => {
      let pedido;
      try {
        pedido = indexedDB.open(BANCO, 1);
      } catch (e) {
        resolve(null);
        return;
      }
      pedido.onupgradeneeded = () => pedido.result.createObjectStore(LOJA);
      pedido.onsuccess = () => resolve(pedido.result);
      pedido.onerror = () => resolve(null);
      pedido.onblocked = () => resolve(null);
    });
  }

  function leGuardados(db) {
    return new Promise((resolve) => {
      const achados = {};
      if (!db) { resolve(achados); return; }
      try {
        const loja = db.transaction(LOJA, 'readonly').objectStore(LOJA);
        for (const nome of GUARDADOS)
          loja.get(nome).onsuccess = (e) => { if (e.target.result) achados[nome] = e.target.result; };
        loja.transaction.oncomplete = () => resolve(achados);
        loja.transaction.onerror = loja.transaction.onabort = () => resolve({});
      } catch (e) {
        resolve({});
      }
    });
  }

  let avisouFalha = false;
  function falhouGuardar() {
    if (avisouFalha) return;
    avisouFalha = true;
    mostraNota('O navegador não deixou guardar: o seu progresso não será mantido depois que fechar a página.');
  }

  // Each write is its own transaction, started as soon as the game has
  // written the file, so the newest bytes are the last to land.
  function guarda(nome, bytes) {
    if (!banco) return;
    try {
      const transacao = banco.transaction(LOJA, 'readwrite');
      transacao.objectStore(LOJA).put(bytes, nome);
      transacao.onerror = transacao.onabort = falhouGuardar;
    } catch (e) {
      falhouGuardar();
    }
  }

  // --- The data: a pack and its index (web/empacota.py) ---
  async function baixaPacote(nome, aoReceber) {
    const indice = await (await fetch(nome + '.json')).json();
    const resposta = await fetch(nome);
    if (!resposta.ok) throw new Error(nome + ': ' + resposta.status);
    const bytes = new Uint8Array(indice.tamanho);
    const leitor = resposta.body.getReader();
    let recebidos = 0;
    for (;;) {
      const { done, value } = await leitor.read();
      if (done) break;
      bytes.set(value.subarray(0, Math.max(0, indice.tamanho - recebidos)), recebidos);
      recebidos += value.length;
      aoReceber(Math.min(recebidos, indice.tamanho), indice.tamanho);
    }
    if (recebidos !== indice.tamanho) throw new Error(nome + ': ' + recebidos + ' de ' + indice.tamanho + ' bytes');
    return { indice, bytes };
  }

  function poeArquivos(FS, pacote) {
    for (const [caminho, inicio, tamanho] of pacote.indice.arquivos) {
      const completo = DADOS + '/' + caminho;
      FS.mkdirTree(completo.slice(0, completo.lastIndexOf('/')));
      FS.writeFile(completo, pacote.bytes.subarray(inicio, inicio + tamanho));
    }
  }

  // The game's folder: the data linked in, config.txt copied once, the
  // player's kept files written back; then every file the game closes
  // after writing, or renames into place, that is one of them is kept.
  function preparaPasta(FS, guardados) {
    FS.mkdirTree(PASTA);
    for (const nome of DADOS_LIGADOS)
      if (FS.analyzePath(DADOS + '/' + nome).exists) FS.symlink(DADOS + '/' + nome, PASTA + '/' + nome);
    if (!guardados['config.txt']) guardados['config.txt'] = FS.readFile(DADOS + '/config.txt');
    for (const nome in guardados) FS.writeFile(PASTA + '/' + nome, guardados[nome]);
    FS.chdir(PASTA);

    const guardaSeFor = (caminho) => {
      const completo = caminho.startsWith('/') ? caminho : PASTA + '/' + caminho;
      const barra = completo.lastIndexOf('/');
      const nome = completo.slice(barra + 1);
      if (completo.slice(0, barra) === PASTA && GUARDADOS.includes(nome)) {
        try {
          guarda(nome, FS.readFile(completo));
        } catch (e) { /* renamed away or removed since */ }
      }
    };
    const fecha = FS.close;
    FS.close = function (stream) {
      const escreveu = (stream.flags & 3) !== 0;  // O_WRONLY or O_RDWR
      const caminho = stream.path;
      const resultado = fecha.apply(this, arguments);
      if (escreveu && caminho) guardaSeFor(caminho);
      return resultado;
    };
    const renomeia = FS.rename;
    FS.rename = function (de, para) {
      const resultado = renomeia.apply(this, arguments);
      guardaSeFor(para);
      return resultado;
    };
  }

  // --- The picture: the largest whole number of device pixels per game
  // pixel that fits, so it is never blurred; smaller than the game only
  // where nothing else fits. ---
  function ajustaEscala() {
    const densidade = window.devicePixelRatio || 1;
    const livre = Math.min(window.innerWidth * densidade / LARGURA, window.innerHeight * densidade / ALTURA);
    const escala = livre >= 1 ? Math.floor(livre) : livre;
    tela.style.width = (LARGURA * escala / densidade) + 'px';
    tela.style.height = (ALTURA * escala / densidade) + 'px';
  }
  window.addEventListener('resize', ajustaEscala);
  ajustaEscala();

  $('telaCheia').addEventListener('click', () => {
    const jogo = $('jogo');
    if (jogo.requestFullscreen) jogo.requestFullscreen().catch(() => {}).finally(() => tela.focus());
  });
  document.addEventListener('fullscreenchange', ajustaEscala);

  // The game has the keyboard when the page opens and when it is clicked.
  tela.addEventListener('mousedown', () => tela.focus());

  // --- Messages and the end ---
  function mensagem(texto) {
    return new Promise((resolve) => {
      const dialogo = $('mensagem');
      $('mensagemTexto').textContent = texto;
      dialogo.addEventListener('close', () => { tela.focus(); resolve(); }, { once: true });
      dialogo.showModal();
    });
  }

  function termina(texto, status) {
    if (document.fullscreenElement) document.exitFullscreen().catch(() => {});
    $('fimTexto').textContent = texto;
    $('fim').dataset.status = status;
    $('fim').hidden = false;
    $('deNovo').focus();
  }
  $('deNovo').addEventListener('click', () => location.reload());

  function barra(recebidos, total) {
    $('progresso').firstElementChild.style.width = (100 * recebidos / total) + '%';
  }

  // Fetched while the game's code compiles.
  const carga = Promise.all([
    baixaPacote('dados.bin', barra),
    abreBanco().then((db) => { banco = db; return leGuardados(db); }),
  ]);

  // The instruments come after the rest, while the title shows; a piece
  // that starts before they are in waits for them, and the page says why.
  let instrumentos = 0;
  function esperaInstrumentos(esperando) {
    $('instrumentos').hidden = !esperando;
  }
  function instrumentosChegando(recebidos, total) {
    instrumentos = Math.floor(100 * recebidos / total);
    $('instrumentosTexto').textContent = 'Carregando os instrumentos da música: ' + instrumentos + '%';
  }
  function buscaInstrumentos() {
    baixaPacote('instrumentos.bin', instrumentosChegando)
      .then((pacote) => {
        poeArquivos(Module.FS, pacote);
        Module.zepkoInstrumentosProntos = true;
      })
      .catch(() => {
        $('instrumentosTexto').textContent = 'Não foi possível carregar os instrumentos da música.';
        setTimeout(buscaInstrumentos, 5000);
      });
  }

  const Module = window.Module = {
    canvas: tela,
    zepkoMensagem: mensagem,
    zepkoInstrumentosProntos: false,
    zepkoEsperaInstrumentos: esperaInstrumentos,
    print: (texto) => console.log(texto),
    printErr: (texto) => console.warn(texto),
    onExit: (status) => termina(status === 0 ? 'O jogo terminou.' : 'O jogo terminou por causa de um erro.', status),
    onAbort: () => termina('O jogo parou por causa de um erro.', -1),
    preRun: [() => {
      // Tests set the game's test switches in the page's address.
      for (const [nome, valor] of new URLSearchParams(location.search))
        if (nome.startsWith('ZEPKO_TEST_')) Module.ENV[nome] = valor;
      Module.addRunDependency('zepko-dados');
      carga.then(([pacote, guardados]) => {
          if (!banco) falhouGuardar();
          poeArquivos(Module.FS, pacote);
          preparaPasta(Module.FS, guardados);
          $('carregando').hidden = true;
          tela.focus();
          Module.removeRunDependency('zepko-dados');
          buscaInstrumentos();
        })
        .catch((erro) => {
          $('estado').textContent = 'Não foi possível carregar o jogo: ' + erro.message;
        });
    }],
  };

  const script = document.createElement('script');
  script.src = 'zepko.js';
  script.onerror = () => { $('estado').textContent = 'Não foi possível carregar o jogo.'; };
  document.body.appendChild(script);
})();
