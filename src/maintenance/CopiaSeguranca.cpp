#include "maintenance/CopiaSeguranca.h"

#include <sys/resource.h>

#include <algorithm>
#include <fstream>
#include <memory>
#include <sstream>

#include "maintenance/ArquivosTabela.h"
#include "storage/Banco.h"
#include "storage/Conexao.h"
#include "util/Data.h"
#include "util/Erros.h"
#include "util/Literais.h"
#include "util/Texto.h"

namespace korva {
namespace fs = std::filesystem;

namespace {

constexpr const char* kCabecalhoMarca = "KORVA Copia de Seguranca 1";
constexpr const char* kListaTroca = "troca.lst";

// One table to copy: its name relative to both roots ("Sub00001/A0000023.db").
struct Item {
    std::string relativo;
    fs::path origem;
    fs::path destino;
};

struct Plano {
    std::vector<std::string> pastas;  // calculation folders, in walk order
    std::vector<Item> itens;
    std::vector<std::string> ignoradas;
};

// The tables of the source root and, for the private database, of its
// calculation folders. Destination names are matched without regard to
// case, so a restore replaces "Processo.DB" even if spelt "processo.db".
Plano MontaPlano(bool privado, const fs::path& raizOrigem, Banco& destino) {
    Plano p;
    auto pasta = [&](const std::string& sub) {
        const fs::path dir = sub.empty() ? raizOrigem : raizOrigem / sub;
        for (const auto& nome : TabelasDaPasta(dir)) {
            const std::string rel = sub.empty() ? nome : sub + "/" + nome;
            if (nome[0] == '_') {
                p.ignoradas.push_back(rel);
                continue;
            }
            p.itens.push_back({rel, dir / nome, destino.caminho(rel)});
        }
    };
    pasta("");
    if (privado) {
        auto subs = Literais::ListaSubDiretorios(raizOrigem.string(), "Sub*");
        std::sort(subs.begin(), subs.end(), [](const std::string& a, const std::string& b) {
            return ComparaSemCaixa(a, b) < 0;
        });
        for (const auto& s : subs) {
            p.pastas.push_back(s);
            pasta(s);
        }
    }
    return p;
}

bool MesmaPasta(const fs::path& a, const fs::path& b) {
    std::error_code ec;
    if (fs::equivalent(a, b, ec) && !ec) return true;
    return fs::weakly_canonical(a, ec).lexically_normal() == fs::weakly_canonical(b, ec).lexically_normal();
}

void RemoveComJornal(const fs::path& p) {
    std::error_code ec;
    fs::remove(p, ec);
    auto j = p;
    j += "-journal";
    fs::remove(j, ec);
}

// Writes a small text file through a temporary name, synced before the rename.
void GravaTexto(const fs::path& p, const std::string& texto) {
    const fs::path tmp = p.parent_path() / ("." + p.filename().string() + ".gravando");
    {
        std::ofstream f(tmp, std::ios::binary | std::ios::trunc);
        f << texto;
        f.flush();
        if (!f) throw ErroES("Não foi possível gravar o arquivo " + p.string());
    }
    SincronizaDisco(tmp);
    std::error_code ec;
    fs::rename(tmp, p, ec);
    if (ec) {
        fs::remove(tmp, ec);
        throw ErroES("Não foi possível gravar o arquivo " + p.string());
    }
}

std::vector<std::string> LeLinhas(const fs::path& p) {
    std::vector<std::string> linhas;
    std::ifstream f(p, std::ios::binary);
    std::string l;
    while (std::getline(f, l)) {
        if (!l.empty() && l.back() == '\r') l.pop_back();
        linhas.push_back(l);
    }
    return linhas;
}

struct Marca {
    std::string banco;
    std::vector<std::string> tabelas;
};

bool LeMarca(const fs::path& pasta, Marca& m) {
    const auto linhas = LeLinhas(pasta / kArquivoMarcaCopia);
    if (linhas.empty() || linhas[0] != kCabecalhoMarca) return false;
    for (size_t i = 1; i < linhas.size(); ++i) {
        const auto& l = linhas[i];
        if (l.rfind("Banco=", 0) == 0) m.banco = l.substr(6);
        else if (l.rfind("Tabela=", 0) == 0) m.tabelas.push_back(l.substr(7));
    }
    return !m.banco.empty();
}

// Enough file descriptors to hold a lock on every table of a large database.
void GaranteDescritores(size_t necessarios) {
    struct rlimit lim {};
    if (getrlimit(RLIMIT_NOFILE, &lim) != 0) return;
    const rlim_t alvo = static_cast<rlim_t>(necessarios) + 256;
    if (lim.rlim_cur != RLIM_INFINITY && lim.rlim_cur < alvo) {
        lim.rlim_cur = (lim.rlim_max == RLIM_INFINITY || lim.rlim_max > alvo) ? alvo : lim.rlim_max;
        setrlimit(RLIMIT_NOFILE, &lim);
    }
}

void CriaPasta(const fs::path& p) {
    std::error_code ec;
    if (fs::is_directory(p, ec)) return;
    fs::create_directory(p, ec);
    if (ec || !fs::is_directory(p, ec)) throw ErroES(std::string(MensagensCopia::kErroCriarPasta) + p.string());
}

// ---- backup ----

ResultadoCopia FazBackup(const std::string& alias, const fs::path& pastaBanco, const fs::path& destino,
                         const OpcoesCopia& op) {
    std::error_code ec;
    if (!fs::is_directory(destino, ec)) {
        fs::create_directories(destino, ec);
        if (ec) throw ErroES(std::string(MensagensCopia::kErroCriarPasta) + destino.string());
    }
    // From now on the folder is no complete backup until the end.
    fs::remove(destino / kArquivoMarcaCopia, ec);

    Banco alvo(alias, destino);
    const Plano plano = MontaPlano(EhBancoPrivado(alias), pastaBanco, alvo);
    for (const auto& s : plano.pastas) CriaPasta(destino / s);

    std::string marca = std::string(kCabecalhoMarca) + "\nBanco=" + alias + "\nData=" + Data::hoje().iso() + "\n";
    size_t n = 0;
    for (const auto& it : plano.itens) {
        ++n;
        if (op.progresso) op.progresso({it.origem.string(), it.destino.string(), n, plano.itens.size()});
        const fs::path tmp = it.destino.parent_path() / ("." + it.destino.filename().string() + ".copiando");
        RemoveComJornal(tmp);
        {
            // Shared use: others go on working; a restore or rebuild under way is waited for.
            TravaTabela uso(it.origem, TravaTabela::Modo::Compartilhado);
            CopiaArquivoTabela(it.origem, tmp);
        }
        const Integridade ig = VerificaArquivoTabela(tmp);
        if (ig.estado != Integridade::Estado::Integra) {
            RemoveComJornal(tmp);
            throw ErroBanco(CodigoBanco::TabelaCorrompida,
                            "A tabela " + it.origem.string() + " está danificada (" + ig.detalhe +
                                "). Verifique e repare as tabelas do banco de dados antes da cópia de segurança.");
        }
        try {
            RenomeiaComJornal(tmp, it.destino);
        } catch (...) {
            RemoveComJornal(tmp);
            throw;
        }
        marca += "Tabela=" + it.relativo + "\n";
    }
    // Every table on disk before the folder is marked complete.
    SincronizaDisco(destino);
    GravaTexto(destino / kArquivoMarcaCopia, marca);

    ResultadoCopia r;
    r.tabelas = plano.itens.size();
    r.pastas = plano.pastas;
    r.ignoradas = plano.ignoradas;
    r.mensagem = MensagensCopia::kBackupRealizado;
    return r;
}

// ---- restore ----

struct Troca {
    Item item;
    bool substitui = false;  // a table of that name existed in the database
    bool antigaMovida = false;
    bool novaMovida = false;
};

// Undoes the swaps that were made, newest first.
void DesfazTrocas(std::vector<Troca>& trocas, const fs::path& antigos, const std::vector<fs::path>& pastasCriadas) {
    for (auto it = trocas.rbegin(); it != trocas.rend(); ++it) {
        try {
            if (it->antigaMovida) RenomeiaComJornal(antigos / it->item.relativo, it->item.destino);
            else if (it->novaMovida) RemoveComJornal(it->item.destino);
        } catch (...) {
            // Left in the staging folder for RetomaRestauracaoInterrompida.
        }
    }
    for (auto it = pastasCriadas.rbegin(); it != pastasCriadas.rend(); ++it) {
        std::error_code ec;
        fs::remove(*it, ec);  // only when empty
    }
}

// Puts back the former tables named in the swap list of a staging folder.
bool DesfazListaTroca(const fs::path& pastaBanco, const fs::path& preparo) {
    const auto linhas = LeLinhas(preparo / kListaTroca);
    if (linhas.empty()) return false;
    const fs::path antigos = preparo / "antigos", novos = preparo / "novos";
    for (auto it = linhas.rbegin(); it != linhas.rend(); ++it) {
        if (it->size() < 3 || (*it)[1] != ' ') continue;
        const bool substitui = (*it)[0] == 'S';
        const std::string rel = it->substr(2);
        const fs::path destino = pastaBanco / rel;
        std::error_code ec;
        if (fs::exists(antigos / rel, ec)) RenomeiaComJornal(antigos / rel, destino);
        else if (!substitui && !fs::exists(novos / rel, ec)) RemoveComJornal(destino);
    }
    return true;
}

fs::path ArquivoTravaRestauracao(const fs::path& pastaBanco) { return pastaBanco / kPastaRestauracao; }

// Undoes an interrupted restore while holding the restore lock.
bool Retoma(const fs::path& pastaBanco) {
    const fs::path preparo = pastaBanco / kPastaRestauracao;
    std::error_code ec;
    if (!fs::is_directory(preparo, ec)) return false;
    bool desfez = false;
    if (fs::exists(preparo / kListaTroca, ec)) {
        desfez = DesfazListaTroca(pastaBanco, preparo);
        fs::remove(preparo / kListaTroca, ec);
    }
    fs::remove_all(preparo, ec);
    return desfez;
}

ResultadoCopia Restaura(const std::string& alias, const fs::path& pastaBanco, const fs::path& origem,
                        const OpcoesCopia& op) {
    std::error_code ec;
    if (!fs::is_directory(origem, ec)) throw ErroES("A pasta de origem não existe: " + origem.string());
    Marca marca;
    if (!LeMarca(origem, marca) || !IguaisSemCaixa(marca.banco, alias))
        throw ErroKorva("A pasta " + origem.string() + " não contém uma cópia de segurança completa do banco de dados " +
                        alias + ". Nada foi restaurado.");

    Banco banco(alias, pastaBanco);
    Plano plano = MontaPlano(EhBancoPrivado(alias), origem, banco);
    for (const auto& t : marca.tabelas) {
        const bool presente = std::any_of(plano.itens.begin(), plano.itens.end(),
                                          [&](const Item& i) { return IguaisSemCaixa(i.relativo, t); });
        if (!presente)
            throw ErroKorva("A cópia de segurança em " + origem.string() + " está incompleta: falta a tabela " + t +
                            ". Nada foi restaurado.");
    }

    std::unique_ptr<TravaTabela> travaRestauracao;
    try {
        travaRestauracao =
            std::make_unique<TravaTabela>(ArquivoTravaRestauracao(pastaBanco), TravaTabela::Modo::Exclusivo);
    } catch (const ErroBanco&) {
        throw ErroKorva("Outra restauração deste banco de dados está em andamento.");
    }
    Retoma(pastaBanco);

    const fs::path preparo = pastaBanco / kPastaRestauracao;
    const fs::path novos = preparo / "novos", antigos = preparo / "antigos";
    auto limpa = [&] {
        std::error_code e;
        fs::remove_all(preparo, e);
    };
    fs::create_directories(novos, ec);
    if (ec) throw ErroES("Não foi possível criar a pasta de preparo da restauração " + novos.string());
    fs::create_directories(antigos, ec);
    for (const auto& s : plano.pastas) {
        fs::create_directories(novos / s, ec);
        fs::create_directories(antigos / s, ec);
    }

    // 1. Every table of the backup copied and checked beside the database.
    size_t n = 0;
    try {
        for (const auto& it : plano.itens) {
            ++n;
            if (op.progresso) op.progresso({it.origem.string(), it.destino.string(), n, plano.itens.size()});
            const fs::path copia = novos / it.relativo;
            try {
                CopiaArquivoTabela(it.origem, copia);
            } catch (const ErroKorva& e) {
                throw ErroBanco(CodigoBanco::TabelaCorrompida, "A tabela " + it.origem.string() +
                                                                   " da cópia de segurança não pode ser lida (" +
                                                                   e.what() + "). Nada foi restaurado.");
            }
            const Integridade ig = VerificaArquivoTabela(copia);
            if (ig.estado != Integridade::Estado::Integra)
                throw ErroBanco(CodigoBanco::TabelaCorrompida, "A tabela " + it.origem.string() +
                                                                   " da cópia de segurança está danificada (" +
                                                                   ig.detalhe + "). Nada foi restaurado.");
        }
        SincronizaDisco(preparo);
    } catch (...) {
        limpa();
        throw;
    }

    // 2. Every table that is replaced held exclusively, and settled: a
    // change another workstation is committing ends first, and a journal
    // left by a crash is played back, so none is left to follow the file.
    std::vector<Troca> trocas;
    std::vector<std::unique_ptr<TravaTabela>> travas;
    try {
        GaranteDescritores(plano.itens.size());
        for (const auto& it : plano.itens) {
            Troca t{it};
            t.substitui = fs::exists(it.destino, ec);
            if (t.substitui) {
                travas.push_back(std::make_unique<TravaTabela>(it.destino, TravaTabela::Modo::Exclusivo));
                AssentaArquivoTabela(it.destino);
            }
            trocas.push_back(std::move(t));
        }
        std::string lista;
        for (const auto& t : trocas) lista += std::string(t.substitui ? "S " : "N ") + t.item.relativo + "\n";
        GravaTexto(preparo / kListaTroca, lista);
    } catch (...) {
        travas.clear();
        limpa();
        throw;
    }

    // 3. The swap, file by file; any failure puts the former files back.
    std::vector<fs::path> pastasCriadas;
    try {
        for (const auto& s : plano.pastas) {
            const fs::path p = pastaBanco / s;
            if (!fs::is_directory(p, ec)) {
                CriaPasta(p);
                pastasCriadas.push_back(p);
            }
        }
        n = 0;
        for (auto& t : trocas) {
            ++n;
            if (op.aoSubstituir) op.aoSubstituir(t.item.relativo, n, trocas.size());
            if (t.substitui) {
                RenomeiaComJornal(t.item.destino, antigos / t.item.relativo);
                t.antigaMovida = true;
            }
            RenomeiaComJornal(novos / t.item.relativo, t.item.destino);
            t.novaMovida = true;
        }
        SincronizaDisco(pastaBanco);
    } catch (...) {
        DesfazTrocas(trocas, antigos, pastasCriadas);
        std::error_code e;
        fs::remove(preparo / kListaTroca, e);
        travas.clear();
        limpa();
        throw;
    }
    // Done: past this point nothing is put back.
    fs::remove(preparo / kListaTroca, ec);
    travas.clear();
    limpa();

    ResultadoCopia r;
    r.tabelas = plano.itens.size();
    r.pastas = plano.pastas;
    r.ignoradas = plano.ignoradas;
    r.mensagem = MensagensCopia::kRestauracaoRealizada;
    return r;
}

}  // namespace

std::string LinhaDe(const std::string& caminho) { return std::string(MensagensCopia::kDe) + " " + caminho; }
std::string LinhaPara(const std::string& caminho) { return std::string(MensagensCopia::kPara) + caminho; }

bool EhBancoPrivado(const std::string& alias) {
    return IguaisSemCaixa(alias, "CalcPriv") || IguaisSemCaixa(alias, "DbCalcPriv");
}

ResultadoCopia ExecutaCopiaSeguranca(OperacaoCopia operacao, const std::string& alias, const fs::path& pastaBanco,
                                     const fs::path& pastaEscolhida, const OpcoesCopia& opcoes) {
    if (pastaEscolhida.empty() || MesmaPasta(pastaBanco, pastaEscolhida))
        throw ErroKorva(MensagensCopia::kPastasIguais);
    std::error_code ec;
    if (!fs::is_directory(pastaBanco, ec))
        throw ErroBanco(CodigoBanco::ArquivoNaoEncontrado,
                        "A pasta do banco de dados " + alias + " não existe: " + pastaBanco.string());
    if (operacao == OperacaoCopia::Backup) {
        RetomaRestauracaoInterrompida(pastaBanco);
        return FazBackup(alias, pastaBanco, pastaEscolhida, opcoes);
    }
    return Restaura(alias, pastaBanco, pastaEscolhida, opcoes);
}

bool RetomaRestauracaoInterrompida(const fs::path& pastaBanco) {
    std::error_code ec;
    if (!fs::is_directory(pastaBanco / kPastaRestauracao, ec)) return false;
    try {
        TravaTabela trava(ArquivoTravaRestauracao(pastaBanco), TravaTabela::Modo::Exclusivo);
        return Retoma(pastaBanco);
    } catch (const ErroBanco&) {
        return false;  // a restore is running
    }
}

}  // namespace korva
