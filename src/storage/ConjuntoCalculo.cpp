#include "storage/ConjuntoCalculo.h"

#include <algorithm>
#include <set>

#include "storage/Banco.h"
#include "storage/Esquemas.h"
#include "storage/Gravacao.h"
#include "storage/Tabela.h"
#include "util/Erros.h"
#include "util/Literais.h"

namespace korva {
namespace {

// The default interest variation of a new table H: reproduces the legal rule.
struct LinhaJurosPadrao {
    int dia, mes, ano;
    double juros;
    const char* forma;
};
constexpr LinhaJurosPadrao JurosPadrao[] = {
    {26, 2, 1987, 0.5, "S"},
    {3, 3, 1991, 1.0, "C"},
    {31, 12, 2020, 1.0, "S"},
};

std::string MensagemInterna(const std::string& inicio, const std::exception& e) {
    return inicio + "\r" + "Mensagem interna: '" + e.what() + "'";
}

}  // namespace

ConjuntoCalculo::ConjuntoCalculo(Banco& privado, std::function<int()> qtdePorPasta, Aviso aviso)
    : banco_(privado), qtdePorPasta_(std::move(qtdePorPasta)), aviso_(std::move(aviso)) {}

void ConjuntoCalculo::defineAtual(int diretorio, int arquivo) {
    diretorio_ = diretorio;
    arquivo_ = arquivo;
}

std::filesystem::path ConjuntoCalculo::pastaDoNumero(int numero) const {
    return banco_.pasta() / ("Sub" + Literais::ZerosEsquerdaInt(numero, 5));
}

int ConjuntoCalculo::EscolheDiretorio() {
    const auto linhas = banco_.consulta(
        "Select Diretorio, count(*) Qtde\nfrom Processo\nGroup by Diretorio\norder by Qtde", {"Processo.DB"});
    int resposta;
    if (linhas.empty() || linhas.front()["Qtde"].comoInteiro() == 0) {
        resposta = 1;
    } else if (linhas.front()["Qtde"].comoInteiro() < qtdePorPasta_()) {
        return static_cast<int>(linhas.front()["Diretorio"].comoInteiro());
    } else {
        // Every folder in use is full. Folders whose calculations were all
        // deleted no longer count, so "folders in use + 1" may name a full
        // folder: take the lowest number not in use instead.
        std::set<int64_t> emUso;
        for (const auto& l : linhas) emUso.insert(l["Diretorio"].comoInteiro());
        resposta = 1;
        while (emUso.count(resposta)) ++resposta;
    }
    CriaSubDiretorio(resposta);
    return resposta;
}

void ConjuntoCalculo::CriaSubDiretorio(int numero) {
    const auto pasta = pastaDoNumero(numero);
    std::error_code ec;
    if (std::filesystem::is_directory(pasta, ec)) return;
    if (!std::filesystem::create_directory(pasta, ec) || ec)
        throw ErroKorva("Não foi possível criar um SubDiretório de Cálculos. (" + pasta.string() + ")\n" +
                        "Contate o Administrador do Sistema.");
}

std::string ConjuntoCalculo::NomeDiretorio() const { return "Sub" + Literais::ZerosEsquerdaInt(diretorio_, 5) + "\\"; }

std::string ConjuntoCalculo::NomeTabelaDe(int diretorio, int arquivo, char letra) {
    return "Sub" + Literais::ZerosEsquerdaInt(diretorio, 5) + "\\" + NomeCurto(letra, arquivo) + ".db";
}

std::filesystem::path ConjuntoCalculo::CaminhoDiretorio() const { return pastaDoNumero(diretorio_); }

std::string ConjuntoCalculo::NomeCurto(char letra, int arquivo) {
    return std::string(1, letra) + Literais::ZerosEsquerdaInt(arquivo, 7);
}

std::string ConjuntoCalculo::NomeTabela(char letra) const { return NomeTabelaDe(diretorio_, arquivo_, letra); }

void ConjuntoCalculo::CriaTabela(const std::string& nome, int tipo) {
    const std::string relativo = NomeDiretorio() + nome + ".db";
    if (banco_.existe(relativo)) return;
    const DefTabela& receita = ReceitaConjunto(tipo);
    try {
        banco_.criaTabela(relativo, receita);
        try {
            if (tipo == 4 || tipo == 7) {
                auto conexao = banco_.conexao(relativo);
                NaTransacao(banco_, conexao, [&] {
                    Tabela t(banco_, relativo);
                    t.abre();
                    if (tipo == 4) {
                        Tabela def(banco_, "DefAcrescimos.DB");
                        def.abre(ModoAbertura::SomenteLeitura);
                        for (def.primeiro(); !def.fim(); def.proximo()) {
                            t.insere();
                            for (const char* c : {"Descricao", "Valor", "Tipo", "LimMinimo", "LimMaximo"})
                                t[c] = def.valor(c);
                            if (!def.valor("DtBase").nulo()) t["DtBase"] = def.valor("DtBase");
                            t.grava();
                        }
                    } else {
                        for (const auto& j : JurosPadrao) {
                            t.insere();
                            t["Data"] = Data::de(j.ano, j.mes, j.dia);
                            t["Juros"] = j.juros;
                            t["Forma"] = j.forma;
                            t.grava();
                        }
                    }
                });
            }
        } catch (...) {
            // A table without its initial rows is not left behind (inside a
            // transaction its rollback removes the new file).
            if (!banco_.emTransacao()) {
                try {
                    banco_.excluiTabela(relativo);
                } catch (...) {
                }
            }
            throw;
        }
    } catch (const ErroBanco& e) {
        // Inside a transaction the whole change fails: it must not commit
        // with a table missing or half-filled.
        if (banco_.emTransacao())
            throw ErroBanco(e.codigo(), MensagemInterna("Não foi possível criar a tabela.", e));
        if (!aviso_) throw;  // nobody to tell: the caller gets the failure
        aviso_("Erro!", MensagemInterna("Não foi possível criar a tabela.", e));
    }
}

void ConjuntoCalculo::ExcluiTabela(const std::filesystem::path& pasta, const std::string& nome) {
    std::error_code ec;
    const auto relativo = std::filesystem::relative(pasta / nome, banco_.pasta(), ec);
    const std::string nomeRelativo = ec ? (pasta / nome).string() : relativo.generic_string();
    try {
        if (!banco_.existe(nomeRelativo)) return;
        banco_.excluiTabela(nomeRelativo);
    } catch (const ErroBanco& e) {
        if (banco_.emTransacao())
            throw ErroBanco(e.codigo(), MensagemInterna("Não foi possível excluir a tabela.", e));
        if (!aviso_) throw;
        aviso_("Erro!", MensagemInterna("Não foi possível excluir a tabela.", e));
    }
}

void ConjuntoCalculo::CopiaTabela(const std::string& origem, const std::string& destino) {
    if (!banco_.existe(origem)) return;
    if (!banco_.existe(destino)) {
        // The letter follows the folder part "Sub" + five digits + "\".
        std::string d = destino;
        std::replace(d.begin(), d.end(), '/', '\\');
        const size_t barra = d.find('\\');
        const char letra = barra != std::string::npos && barra + 1 < d.size() ? d[barra + 1] : '\0';
        const int tipo = TipoDaLetra(letra);
        if (tipo < 0) return;
        const std::string nome = d.substr(barra + 1);
        CriaTabela(nome.substr(0, nome.find('.')), tipo);
        if (!banco_.existe(destino)) return;
    }
    TravaTabela trava(banco_.caminho(destino), TravaTabela::Modo::Exclusivo);
    Transacao tr(banco_);
    banco_.executa(destino, "DELETE FROM Tabela");
    banco_.copiaLinhas(banco_, origem, destino, true);
    tr.confirma();
}

void ConjuntoCalculo::ExcluiConjunto(int diretorio, int arquivo) {
    const auto pasta = pastaDoNumero(diretorio);
    const std::string numero = Literais::ZerosEsquerdaInt(arquivo, 7) + ".db";
    for (char letra = 'A'; letra <= 'I'; ++letra) ExcluiTabela(pasta, std::string(1, letra) + numero);
}

}  // namespace korva
