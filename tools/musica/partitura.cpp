#include "partitura.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <memory>
#include <set>
#include <sstream>

namespace musica {

namespace {

// General MIDI percussion, two letters each so a duration can follow.
const std::map<std::string, int> kBateria = {
    {"bd", 36}, {"ri", 37}, {"sd", 38}, {"cp", 39}, {"lt", 41}, {"hh", 42}, {"hp", 44},
    {"mt", 45}, {"ho", 46}, {"ht", 48}, {"cr", 49}, {"rd", 51}, {"rb", 53}, {"tb", 54},
    {"sp", 55}, {"cb", 56}, {"bh", 60}, {"bl", 61}, {"cm", 62}, {"ch", 63}, {"cg", 64},
    {"ca", 69}, {"ma", 70}, {"cl", 75}, {"wh", 76}, {"wl", 77}, {"tm", 80}, {"tr", 81},
    {"sh", 82},
};

enum class Tipo { Nota, Pausa, Barra, Repete, Chama, Volume, Andamento, Programa, Legato };

struct Item {
    Tipo tipo;
    int linha;
    std::vector<int> alturas;  // Nota: one or more (a chord)
    bool acento = false;
    bool ligada = false;       // Nota: held into the next note of the same pitch
    int duracao = 0;           // Nota, Pausa
    int valor = 0;             // Repete: count; Chama: transposition; the setters
    std::string nome;          // Chama
    std::vector<Item> corpo;   // Repete
};

struct Token {
    std::string texto;
    int linha;
};

struct Bloco {
    std::vector<Token> tokens;
    std::vector<Item> itens;
    int linha = 0;
};

struct DefTrilha {
    Bloco bloco;
    Trilha trilha;
    uint32_t fim = 0;
};

class Leitor {
public:
    explicit Leitor(std::string arquivo) : arquivo_(std::move(arquivo)) {}

    [[noreturn]] void erro(int linha, const std::string& msg) const {
        throw ErroPartitura(arquivo_ + ":" + std::to_string(linha) + ": " + msg);
    }

    int inteiro(const std::string& s, int linha, int min, int max) const {
        size_t usados = 0;
        int v = 0;
        try {
            v = std::stoi(s, &usados);
        } catch (const std::exception&) {
            erro(linha, "expected a number, got '" + s + "'");
        }
        if (usados != s.size()) erro(linha, "expected a number, got '" + s + "'");
        if (v < min || v > max)
            erro(linha, s + " is out of range " + std::to_string(min) + ".." + std::to_string(max));
        return v;
    }

    Musica le(const std::string& texto) {
        std::istringstream in(texto);
        std::string linhaTexto;
        int linha = 0;
        Bloco* atual = nullptr;
        int anacruse = 0;
        int bpm = 0;
        while (std::getline(in, linhaTexto)) {
            ++linha;
            auto pc = linhaTexto.find('%');
            if (pc != std::string::npos) linhaTexto.erase(pc);
            std::istringstream ls(linhaTexto);
            std::vector<std::string> p;
            for (std::string w; ls >> w;) p.push_back(w);
            if (p.empty()) continue;
            if (p[0] == "andamento") {
                if (p.size() != 2) erro(linha, "andamento takes one number");
                bpm = inteiro(p[1], linha, 20, 400);
                atual = nullptr;
            } else if (p[0] == "compasso") {
                auto barra = p.size() == 2 ? p[1].find('/') : std::string::npos;
                if (barra == std::string::npos) erro(linha, "compasso takes N/D");
                musica_.numerador = inteiro(p[1].substr(0, barra), linha, 1, 32);
                musica_.denominador = inteiro(p[1].substr(barra + 1), linha, 1, 32);
                int d = musica_.denominador;
                if ((d & (d - 1)) != 0) erro(linha, "the beat must be a power of two");
                atual = nullptr;
            } else if (p[0] == "anacruse") {
                if (p.size() != 2 || (anacruse = duracaoDe(p[1])) == 0)
                    erro(linha, "anacruse takes a duration");
                atual = nullptr;
            } else if (p[0] == "frase") {
                if (p.size() != 2) erro(linha, "frase takes a name");
                if (frases_.count(p[1])) erro(linha, "phrase '" + p[1] + "' defined twice");
                atual = &frases_[p[1]];
                atual->linha = linha;
            } else if (p[0] == "trilha") {
                trilhas_.push_back(std::make_unique<DefTrilha>());
                DefTrilha& t = *trilhas_.back();
                t.bloco.linha = linha;
                leCabecalho(t.trilha, p, linha);
                atual = &t.bloco;
            } else {
                if (!atual) erro(linha, "notes outside a frase or trilha: '" + p[0] + "'");
                tokeniza(linhaTexto, linha, atual->tokens);
            }
        }
        if (bpm == 0) erro(linha, "missing andamento");
        if (trilhas_.empty()) erro(linha, "no trilha");
        musica_.andamentos.push_back({0, bpm});
        barra_ = kDivisao * 4 / musica_.denominador * musica_.numerador;
        anacruse_ = anacruse;

        for (auto& [nome, f] : frases_) f.itens = analisa(f.tokens);
        for (auto& t : trilhas_) t->bloco.itens = analisa(t->bloco.tokens);

        uint32_t fim = 0;
        for (auto& t : trilhas_) {
            Estado e;
            e.trilha = &t->trilha;
            toca(t->bloco.itens, e, 0);
            t->fim = e.tick;
            fim = std::max(fim, e.tick);
        }
        for (auto& t : trilhas_)
            if (t->fim != fim)
                erro(t->bloco.linha, "trilha '" + t->trilha.nome + "' lasts " +
                                         std::to_string(t->fim) + " ticks, the longest " +
                                         std::to_string(fim));
        if (fim == 0) erro(linha, "the piece is empty");
        // Ending on a whole number of bars keeps the beat across the loop.
        if (fim % barra_ != 0)
            erro(linha, "the piece lasts " + std::to_string(fim) +
                            " ticks, not a whole number of bars of " + std::to_string(barra_));
        musica_.duracao = fim;
        std::stable_sort(musica_.andamentos.begin(), musica_.andamentos.end(),
                         [](const Andamento& a, const Andamento& b) { return a.tick < b.tick; });
        for (auto& t : trilhas_) {
            ordena(t->trilha.eventos);
            musica_.trilhas.push_back(std::move(t->trilha));
        }
        return musica_;
    }

private:
    struct Estado {
        Trilha* trilha = nullptr;
        uint32_t tick = 0;
        int velocidade = 90;
        int legato = 90;
        int transpor = 0;
        int profundidade = 0;
        std::map<int, size_t> ligadas;  // tied pitch -> index of its note-off
    };

    void leCabecalho(Trilha& t, const std::vector<std::string>& p, int linha) {
        if (p.size() < 2 || p.size() % 2 != 0) erro(linha, "trilha NAME key value ...");
        t.nome = p[1];
        bool temCanal = false;
        for (size_t i = 2; i + 1 < p.size(); i += 2) {
            const std::string& k = p[i];
            if (k == "canal") {
                t.canal = inteiro(p[i + 1], linha, 1, 16) - 1;
                temCanal = true;
            } else if (k == "programa") {
                t.programa = inteiro(p[i + 1], linha, 0, 127);
            } else if (k == "volume") {
                t.volume = inteiro(p[i + 1], linha, 0, 127);
            } else if (k == "pan") {
                t.pan = inteiro(p[i + 1], linha, 0, 127);
            } else {
                erro(linha, "unknown trilha key '" + k + "'");
            }
        }
        if (!temCanal) erro(linha, "trilha needs a canal");
    }

    static void tokeniza(const std::string& s, int linha, std::vector<Token>& out) {
        size_t i = 0;
        while (i < s.size()) {
            unsigned char c = s[i];
            if (std::isspace(c)) {
                ++i;
            } else if (c == '(' || c == '{' || c == '|') {
                out.push_back({std::string(1, c), linha});
                ++i;
            } else {
                size_t j = i + 1;
                while (j < s.size() && !std::isspace((unsigned char)s[j]) && s[j] != '(' &&
                       s[j] != '{' && s[j] != '|' && s[j] != ')' && s[j] != '}')
                    ++j;
                out.push_back({s.substr(i, j - i), linha});
                i = j;
            }
        }
    }

    // Parses "C#4", "Bb3", "E-1" at the start of w; returns the length used.
    size_t altura(const std::string& w, int& nota) const {
        static const int base[] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
        if (w.empty() || w[0] < 'A' || w[0] > 'G') return 0;
        int n = base[w[0] - 'A'];
        size_t i = 1;
        while (i < w.size() && (w[i] == '#' || w[i] == 'b')) n += w[i++] == '#' ? 1 : -1;
        bool neg = i < w.size() && w[i] == '-';
        if (neg) ++i;
        if (i >= w.size() || !std::isdigit((unsigned char)w[i])) return 0;
        int oitava = w[i++] - '0';
        if (neg) oitava = -oitava;
        nota = (oitava + 1) * 12 + n;
        return i;
    }

    // A pitch or a drum name followed by an optional duration.
    bool notaSimples(const std::string& w, int linha, int& nota, std::string& resto) const {
        size_t n = altura(w, nota);
        if (n == 0) {
            auto it = w.size() >= 2 ? kBateria.find(w.substr(0, 2)) : kBateria.end();
            if (it == kBateria.end()) return false;
            nota = it->second;
            n = 2;
        }
        if (nota < 0 || nota > 127) erro(linha, "note out of MIDI range: " + w);
        resto = w.substr(n);
        return true;
    }

    int duracaoOuAnterior(const std::string& resto, int linha, int& anterior) const {
        if (resto.empty()) return anterior;
        int d = duracaoDe(resto);
        if (d == 0) erro(linha, "bad duration '" + resto + "'");
        anterior = d;
        return d;
    }

    std::vector<Item> analisa(const std::vector<Token>& tokens) {
        size_t pos = 0;
        int anterior = kDivisao;
        auto itens = analisaAte(tokens, pos, anterior, false);
        return itens;
    }

    std::vector<Item> analisaAte(const std::vector<Token>& tk, size_t& pos, int& anterior,
                                 bool dentroDeRepeticao) {
        std::vector<Item> itens;
        while (pos < tk.size()) {
            const Token& t = tk[pos++];
            const std::string& w = t.texto;
            Item it{};
            it.linha = t.linha;
            if (w == "|") {
                it.tipo = Tipo::Barra;
            } else if (w == "{") {
                it.tipo = Tipo::Repete;
                it.corpo = analisaAte(tk, pos, anterior, true);
                const std::string& fecho = tk[pos - 1].texto;
                it.valor = fecho.size() > 1 ? inteiro(fecho.substr(1), t.linha, 1, 64) : 2;
            } else if (w[0] == '}') {
                if (!dentroDeRepeticao) erro(t.linha, "'}' without '{'");
                return itens;
            } else if (w == "(") {
                it.tipo = Tipo::Nota;
                while (true) {
                    if (pos >= tk.size()) erro(t.linha, "'(' without ')'");
                    const Token& n = tk[pos++];
                    if (n.texto[0] == ')') {
                        it.duracao = duracaoOuAnterior(n.texto.substr(1), n.linha, anterior);
                        break;
                    }
                    int nota;
                    std::string resto;
                    if (!notaSimples(n.texto, n.linha, nota, resto) || !resto.empty())
                        erro(n.linha, "a chord holds plain notes: '" + n.texto + "'");
                    it.alturas.push_back(nota);
                }
                if (it.alturas.empty()) erro(t.linha, "empty chord");
            } else if (w[0] == '$') {
                it.tipo = Tipo::Chama;
                auto s = w.find_first_of("+-", 1);
                it.nome = w.substr(1, s == std::string::npos ? std::string::npos : s - 1);
                if (s != std::string::npos) it.valor = inteiro(w.substr(s), t.linha, -48, 48);
            } else if (w[0] == 'r' && (w.size() == 1 || duracaoDe(w.substr(1)) > 0)) {
                it.tipo = Tipo::Pausa;
                it.duracao = duracaoOuAnterior(w.substr(1), t.linha, anterior);
            } else if (w.size() > 1 && std::isdigit((unsigned char)w[1]) &&
                       (w[0] == 'v' || w[0] == 'T' || w[0] == 'p' || w[0] == 'g')) {
                switch (w[0]) {
                    case 'v': it.tipo = Tipo::Volume; it.valor = inteiro(w.substr(1), t.linha, 1, 127); break;
                    case 'T': it.tipo = Tipo::Andamento; it.valor = inteiro(w.substr(1), t.linha, 20, 400); break;
                    case 'p': it.tipo = Tipo::Programa; it.valor = inteiro(w.substr(1), t.linha, 0, 127); break;
                    default: it.tipo = Tipo::Legato; it.valor = inteiro(w.substr(1), t.linha, 10, 100); break;
                }
            } else {
                std::string palavra = w;
                if (palavra[0] == '>') {
                    it.acento = true;
                    palavra.erase(0, 1);
                }
                if (palavra.size() > 1 && palavra.back() == '~') {
                    it.ligada = true;
                    palavra.pop_back();
                }
                int nota;
                std::string resto;
                if (!notaSimples(palavra, t.linha, nota, resto)) erro(t.linha, "unknown word '" + w + "'");
                it.tipo = Tipo::Nota;
                it.alturas.push_back(nota);
                it.duracao = duracaoOuAnterior(resto, t.linha, anterior);
            }
            itens.push_back(std::move(it));
        }
        if (dentroDeRepeticao) erro(tk.empty() ? 0 : tk.back().linha, "'{' without '}'");
        return itens;
    }

    void toca(const std::vector<Item>& itens, Estado& e, int linhaChamada) {
        Trilha& tr = *e.trilha;
        for (const Item& it : itens) {
            switch (it.tipo) {
                case Tipo::Barra: {
                    uint32_t dentro = (e.tick + barra_ - anacruse_ % barra_) % barra_;
                    if (dentro != 0)
                        erro(it.linha, "bar line " + std::to_string(dentro) +
                                           " ticks into a bar in trilha '" + tr.nome + "'" +
                                           (linhaChamada ? " (called from line " +
                                                               std::to_string(linhaChamada) + ")"
                                                         : ""));
                    break;
                }
                case Tipo::Pausa:
                    e.ligadas.clear();
                    e.tick += it.duracao;
                    break;
                case Tipo::Nota: {
                    int soa = std::max(1, it.duracao * e.legato / 100);
                    int vel = std::min(127, e.velocidade + (it.acento ? 20 : 0));
                    std::set<int> ligadas;
                    for (int a : it.alturas) {
                        int n = tr.canal == 9 ? a : a + e.transpor;
                        if (n < 0 || n > 127) erro(it.linha, "transposed note out of MIDI range");
                        // A tied note goes on sounding: no new attack here,
                        // and its end moves to this note's end.
                        if (e.ligadas.count(n)) {
                            auto& fim = tr.eventos[e.ligadas[n]];
                            fim.tick = e.tick + (it.ligada ? it.duracao : soa);
                            if (it.ligada) ligadas.insert(n);
                            continue;
                        }
                        tr.eventos.push_back({e.tick, uint8_t(0x90 | tr.canal), uint8_t(n), uint8_t(vel)});
                        tr.eventos.push_back({e.tick + (it.ligada ? it.duracao : soa),
                                              uint8_t(0x80 | tr.canal), uint8_t(n), 64});
                        if (it.ligada) {
                            e.ligadas[n] = tr.eventos.size() - 1;
                            ligadas.insert(n);
                        }
                    }
                    for (auto l = e.ligadas.begin(); l != e.ligadas.end();)
                        l = ligadas.count(l->first) ? std::next(l) : e.ligadas.erase(l);
                    e.tick += it.duracao;
                    break;
                }
                case Tipo::Repete:
                    for (int i = 0; i < it.valor; ++i) toca(it.corpo, e, linhaChamada);
                    break;
                case Tipo::Chama: {
                    auto f = frases_.find(it.nome);
                    if (f == frases_.end()) erro(it.linha, "unknown phrase '" + it.nome + "'");
                    if (e.profundidade > 16) erro(it.linha, "phrases call each other in a loop");
                    ++e.profundidade;
                    e.transpor += it.valor;
                    toca(f->second.itens, e, linhaChamada ? linhaChamada : it.linha);
                    e.transpor -= it.valor;
                    --e.profundidade;
                    break;
                }
                case Tipo::Volume:
                    e.velocidade = it.valor;
                    break;
                case Tipo::Legato:
                    e.legato = it.valor;
                    break;
                case Tipo::Andamento:
                    musica_.andamentos.push_back({e.tick, it.valor});
                    break;
                case Tipo::Programa:
                    tr.eventos.push_back({e.tick, uint8_t(0xC0 | tr.canal), uint8_t(it.valor), 0});
                    break;
            }
        }
    }

    // Note-offs first, then program changes, then note-ons, so a repeated
    // note sounds again and a new instrument catches its first note.
    static void ordena(std::vector<Evento>& ev) {
        auto prioridade = [](const Evento& x) {
            switch (x.status & 0xF0) {
                case 0x80: return 0;
                case 0x90: return 2;
                default: return 1;
            }
        };
        std::stable_sort(ev.begin(), ev.end(), [&](const Evento& a, const Evento& b) {
            if (a.tick != b.tick) return a.tick < b.tick;
            return prioridade(a) < prioridade(b);
        });
    }

    std::string arquivo_;
    Musica musica_;
    std::map<std::string, Bloco> frases_;
    std::vector<std::unique_ptr<DefTrilha>> trilhas_;
    int barra_ = 0;
    int anacruse_ = 0;
};

}  // namespace

int duracaoDe(const std::string& w) {
    int total = 0;
    size_t i = 0;
    if (w.empty()) return 0;
    while (i < w.size()) {
        int unidade;
        switch (w[i]) {
            case 'w': unidade = kDivisao * 4; break;
            case 'h': unidade = kDivisao * 2; break;
            case 'q': unidade = kDivisao; break;
            case 'e': unidade = kDivisao / 2; break;
            case 's': unidade = kDivisao / 4; break;
            case 't': unidade = kDivisao / 8; break;
            default: return 0;
        }
        ++i;
        int valor = unidade;
        int meio = unidade / 2;
        while (i < w.size() && w[i] == '.') {
            valor += meio;
            meio /= 2;
            ++i;
        }
        if (i < w.size() && w[i] == '3') {
            valor = valor * 2 / 3;
            ++i;
        }
        total += valor;
    }
    return total;
}

double Musica::segundos() const {
    double s = 0;
    for (size_t i = 0; i < andamentos.size(); ++i) {
        uint32_t fim = i + 1 < andamentos.size() ? andamentos[i + 1].tick : duracao;
        s += double(fim - andamentos[i].tick) / kDivisao * 60.0 / andamentos[i].bpm;
    }
    return s;
}

Musica lePartitura(const std::string& texto, const std::string& nomeArquivo) {
    return Leitor(nomeArquivo).le(texto);
}

}  // namespace musica
