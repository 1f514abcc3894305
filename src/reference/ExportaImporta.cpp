#include "reference/ExportaImporta.h"

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <system_error>

#include "storage/Banco.h"
#include "storage/Conexao.h"
#include "storage/Gravacao.h"
#include "util/Erros.h"
#include "util/Texto.h"

namespace korva {
namespace fs = std::filesystem;

namespace {

constexpr const char* kAliasTroca = "Exporta/Importa";

// Lower case, no accents, letters and digits only: "I.N.S.S." and "inss" meet.
std::string ChaveNome(std::string_view texto) {
    std::u32string r;
    for (char32_t c : ParaU32(texto)) {
        c = MinusculaLatin1(SemAcento(c));
        if ((c >= U'a' && c <= U'z') || (c >= U'0' && c <= U'9')) r += c;
    }
    return ParaUtf8(r);
}

void ExigePasta(Banco& compartilhado, const fs::path& pasta) {
    std::error_code ec;
    if (pasta.empty() || !fs::is_directory(pasta, ec)) throw ErroKorva(kMsgDiretorioInvalido);
    if (fs::equivalent(pasta, compartilhado.pasta(), ec)) throw ErroKorva(kMsgPastaDoBancoCompartilhado);
}

// Kinds of field whose values carry over unchanged between exchange and store.
enum class Classe { Inteiro, Numero, Texto, Data, Logico };

Classe ClasseDe(TipoCampo t) {
    switch (t) {
        case TipoCampo::Smallint:
        case TipoCampo::Integer:
        case TipoCampo::Autoinc: return Classe::Inteiro;
        case TipoCampo::Float:
        case TipoCampo::Time: return Classe::Numero;
        case TipoCampo::String:
        case TipoCampo::Memo: return Classe::Texto;
        case TipoCampo::Date: return Classe::Data;
        case TipoCampo::Boolean: return Classe::Logico;
    }
    return Classe::Texto;
}

bool Compativeis(const DefCampo& compartilhado, const DefCampo& troca) {
    const Classe a = ClasseDe(compartilhado.tipo), b = ClasseDe(troca.tipo);
    return a == b || (a == Classe::Numero && b == Classe::Inteiro);
}

// Checks, before anything changes, that the folder's table can refill the
// shared table: every field present with a matching type, and every row's
// values within the shared fields' rules (required, range, size).
void VerificaTabelaDeOrigem(Conexao& origem, const DefTabela& destino, const std::string& arquivo) {
    const DefTabela& def = origem.definicao();
    const std::string onde = arquivo + " do diretório de origem";
    std::vector<int> mapa;
    for (const auto& f : destino.campos) {
        const int p = def.posicao(f.nome);
        if (p < 0) throw ErroDados("A tabela " + onde + " não tem o campo " + f.nome + ".");
        if (!Compativeis(f, def.campos[p]))
            throw ErroDados("O campo " + f.nome + " da tabela " + onde + " não é do tipo do campo da tabela compartilhada.");
        mapa.push_back(p);
    }
    size_t registro = 0;
    LeLinhas(origem, def, [&](int64_t, std::vector<Valor>&& v) {
        ++registro;
        const std::string qual = " (" + onde + ", registro " + std::to_string(registro) + ")";
        for (size_t i = 0; i < destino.campos.size(); ++i) {
            const DefCampo& f = destino.campos[i];
            const Valor& x = v[mapa[i]];
            if (x.nulo()) {
                if (f.obrigatorio && f.tipo != TipoCampo::Autoinc)
                    throw ErroBanco(CodigoBanco::CampoObrigatorio, "Campo obrigatório não preenchido: " + f.nome + qual);
                continue;
            }
            int64_t minimo = 0, maximo = 0;
            switch (f.tipo) {
                case TipoCampo::Smallint: minimo = -32768; maximo = 32767; break;
                case TipoCampo::Integer: minimo = INT32_MIN; maximo = INT32_MAX; break;
                case TipoCampo::Autoinc: minimo = 1; maximo = INT32_MAX; break;
                case TipoCampo::String:
                    if (static_cast<int>(Comprimento(x.comoTexto())) > f.tamanho)
                        throw ErroBanco(CodigoBanco::AcimaDoMaximo, "O texto excede o tamanho do campo " + f.nome + " (" +
                                                                        std::to_string(f.tamanho) + " caracteres)" + qual);
                    continue;
                default: continue;
            }
            const int64_t n = x.comoInteiro();
            if (n < minimo) throw ErroBanco(CodigoBanco::AbaixoDoMinimo, "Valor abaixo do mínimo para o campo " + f.nome + qual);
            if (n > maximo) throw ErroBanco(CodigoBanco::AcimaDoMaximo, "Valor acima do máximo para o campo " + f.nome + qual);
        }
    });
}

void RemoveArquivoTabela(const fs::path& p) {
    std::error_code ec;
    fs::remove(p, ec);
    auto jornal = p;
    jornal += "-journal";
    fs::remove(jornal, ec);
}

}  // namespace

const std::vector<DescricaoGrupo>& GruposTabelas() {
    static const std::vector<DescricaoGrupo> g = {
        {GrupoTabelas::IndicesMensais, "Índices Mensais", "indices", {"NomeIndice.db", "Indices.db"}},
        {GrupoTabelas::IndicesDiarios, "Índices Diários", "diario", {"Diario.db"}},
        {GrupoTabelas::ImpostoRenda, "Imposto de Renda", "ir", {"FaixasIR.db"}},
        {GrupoTabelas::INSS, "I.N.S.S.", "inss", {"FaixasINSS.db"}},
        {GrupoTabelas::ValoresMensais, "Valores Mensais", "valores", {"Valores.db"}},
        {GrupoTabelas::Feriados, "Feriados", "feriados", {"FeriadosPadrao.db"}},
    };
    return g;
}

const DescricaoGrupo& DescricaoDoGrupo(GrupoTabelas grupo) {
    for (const auto& d : GruposTabelas())
        if (d.grupo == grupo) return d;
    throw ErroKorva("Grupo de tabelas desconhecido");
}

std::optional<GrupoTabelas> GrupoPorNome(std::string_view nome) {
    const std::string chave = ChaveNome(nome);
    if (chave.empty()) return std::nullopt;
    for (const auto& d : GruposTabelas())
        if (chave == d.nomeCurto || chave == ChaveNome(d.titulo)) return d.grupo;
    return std::nullopt;
}

std::vector<TabelaCopiada> ExportaGrupo(Banco& compartilhado, GrupoTabelas grupo, const fs::path& pasta) {
    ExigePasta(compartilhado, pasta);
    Banco troca(kAliasTroca, pasta);

    struct Escrita {
        std::string arquivo;   // the shared table's file name, kept in the folder
        std::string temporario;
        size_t linhas = 0;
    };
    std::vector<Escrita> escritas;
    auto descarta = [&] {
        for (const auto& e : escritas) RemoveArquivoTabela(pasta / e.temporario);
    };
    try {
        for (const auto& nome : DescricaoDoGrupo(grupo).tabelas) {
            Escrita e;
            e.arquivo = compartilhado.caminho(nome).filename().string();
            e.temporario = "." + e.arquivo + ".exportando";
            RemoveArquivoTabela(pasta / e.temporario);  // left by an interrupted export
            escritas.push_back(e);
            troca.criaTabelaComo(e.temporario, compartilhado, nome);
            escritas.back().linhas = troca.copiaLinhas(compartilhado, nome, e.temporario, true);
        }
    } catch (...) {
        descarta();
        throw;
    }

    // Every table is written: put them in place of the former files, once no
    // one is using any of those.
    std::vector<TabelaCopiada> r;
    try {
        std::vector<fs::path> destinos;
        std::vector<std::unique_ptr<TravaTabela>> travas;
        for (const auto& e : escritas) {
            destinos.push_back(troca.caminho(e.arquivo));  // a former file, whatever its case
            std::error_code ec;
            if (fs::exists(destinos.back(), ec))
                travas.push_back(std::make_unique<TravaTabela>(destinos.back(), TravaTabela::Modo::Exclusivo));
        }
        for (size_t i = 0; i < escritas.size(); ++i) {
            std::error_code ec;
            auto jornal = destinos[i];
            jornal += "-journal";
            fs::remove(jornal, ec);  // would be played back over the new file
            fs::rename(pasta / escritas[i].temporario, destinos[i], ec);
            if (ec) throw ErroES("Não foi possível gravar a tabela " + destinos[i].string() + ": " + ec.message());
            r.push_back({destinos[i].filename().string(), escritas[i].linhas});
        }
    } catch (...) {
        descarta();
        throw;
    }
    return r;
}

std::vector<TabelaCopiada> ImportaGrupo(Banco& compartilhado, GrupoTabelas grupo, const fs::path& pasta) {
    ExigePasta(compartilhado, pasta);
    Banco troca(kAliasTroca, pasta);
    const auto& tabelas = DescricaoDoGrupo(grupo).tabelas;

    // Every file of the group must be there before any table changes.
    for (const auto& nome : tabelas)
        if (!troca.existe(nome)) throw ErroKorva(kMsgArquivoNaoEncontrado);

    // The folder's tables are only read; the connections stay open for the copy.
    std::vector<std::shared_ptr<Conexao>> origens;
    for (const auto& nome : tabelas) {
        auto c = troca.conexao(nome, true);
        VerificaTabelaDeOrigem(*c, compartilhado.definicao(nome), troca.caminho(nome).filename().string());
        origens.push_back(std::move(c));
    }

    std::vector<TabelaCopiada> r;
    Transacao transacao(compartilhado);
    for (const auto& nome : tabelas) {
        compartilhado.executa(nome, "DELETE FROM Tabela");
        r.push_back({troca.caminho(nome).filename().string(), compartilhado.copiaLinhas(troca, nome, nome, true)});
    }
    transacao.confirma();
    return r;
}

ExpImp::ExpImp(Banco& compartilhado) : compartilhado_(compartilhado), pasta_(PastaInicial()) {}

const char* ExpImp::rotuloPasta() const {
    return acao_ == AcaoExpImp::Exportar ? kRotuloPastaDestino : kRotuloPastaOrigem;
}

std::vector<TabelaCopiada> ExpImp::executa() {
    const fs::path pasta = PastaDoTexto(pasta_);
    return acao_ == AcaoExpImp::Exportar ? ExportaGrupo(compartilhado_, grupo_, pasta)
                                         : ImportaGrupo(compartilhado_, grupo_, pasta);
}

std::string ExpImp::PastaInicial() {
    const char* home = std::getenv("HOME");
    return home && *home ? std::string(home) : std::string("/");
}

fs::path ExpImp::PastaDoTexto(std::string_view texto) {
    std::string t = Apara(texto);
    for (auto& c : t)
        if (c == '\\') c = '/';
    return fs::path(t);
}

}  // namespace korva
