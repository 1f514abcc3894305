#include "timecards/IntegracaoPonto.h"

#include <charconv>
#include <vector>

#include "app/Validacoes.h"
#include "parameters/ParametrosPeriodo.h"
#include "parameters/VerbasCatalogo.h"
#include "register/RegrasAcrescimos.h"
#include "storage/Banco.h"
#include "storage/Tabela.h"
#include "util/Erros.h"
#include "util/Literais.h"
#include "util/Texto.h"

namespace korva {

namespace {

// One row to write: its month and the values it takes.
struct LinhaMes {
    int mes = 0, ano = 0;
    double qtde = 0, indice = 0, divisor = 0;
    std::optional<Data> dtBase;
};

}  // namespace

int IntegracaoPonto::LeMes(const std::string& texto) {
    const auto n = Inteiro(texto);
    return n && *n >= 1 && *n <= 12 ? *n : 13;
}

int IntegracaoPonto::NormalizaAno(const std::string& texto) { return AnoCompleto(Inteiro(texto).value_or(0)); }

std::string IntegracaoPonto::PromptDataBase(int mes, int ano) {
    return "Data Base de Atualização da Verba (" + Literais::ZerosEsquerdaInt(mes, 2) + "/" +
           Literais::ZerosEsquerdaInt(ano, 4) + ")";
}

IntegracaoPonto::IntegracaoPonto(ParametrosPeriodo& periodo, std::string tabelaF, std::string tabelaG,
                                 int dataBasePadrao)
    : periodo_(periodo), tabelaF_(std::move(tabelaF)), tabelaG_(std::move(tabelaG)), dataBasePadrao_(dataBasePadrao) {}

std::optional<int> IntegracaoPonto::Confirma(const Pedido& pedido, const Interacao& interacao) {
    const int mes1 = LeMes(pedido.mes1);
    if (mes1 > 12) throw ErroCampo(MsgMesInvalido, "Mes1");
    const int mes2 = LeMes(pedido.mes2);
    if (mes2 > 12) throw ErroCampo(MsgMesInvalido, "Mes2");
    const int ano1 = NormalizaAno(pedido.ano1);
    const int ano2 = NormalizaAno(pedido.ano2);
    if (ano2 * 100 + mes2 < ano1 * 100 + mes1) throw ErroCampo(MsgPeriodoInvalido, "Mes1");
    Tabela& t = periodo_.tabela();
    Banco& banco = t.banco();
    VerbasCatalogo catalogo(banco);
    if (!catalogo.Existe(pedido.item)) throw ErroCampo(MsgItemInvalido, "Item");
    if (!catalogo.Existe(pedido.base)) throw ErroCampo(MsgItemInvalido, "Base");
    if (t.editando()) throw ErroKorva("Grave ou cancele a linha em edição antes de integrar os cartões de ponto.");

    std::string diferenca;
    if (pedido.item % 10 == 0 && interacao.diferencaNegativa) diferenca = interacao.diferencaNegativa();

    // Every month is read (its cards feed the week totals); only those of the
    // range give rows.
    const std::vector<JornadaPonto> jornadas = LeJornadas(banco, tabelaF_);
    const std::vector<FigurasMes> meses = ApuraMeses(jornadas, ApuraCartoes(jornadas, LeCartoes(banco, tabelaG_)));
    const int de = ano1 * 100 + mes1, ate = ano2 * 100 + mes2;

    // The values and dates of every row are settled before anything is
    // written, so that no prompt waits inside the transaction.
    std::vector<LinhaMes> linhas;
    for (const FigurasMes& f : meses) {
        const int anoMes = f.ano * 100 + f.mes;
        if (anoMes < de || anoMes > ate) continue;
        LinhaMes l;
        l.mes = f.mes;
        l.ano = f.ano;
        l.qtde = pedido.qtde.de(f);
        l.indice = pedido.indice.de(f);
        l.divisor = pedido.divisor.de(f);
        if (dataBasePadrao_ == CodigoDtBaseDigitada) {
            const std::string prompt = PromptDataBase(f.mes, f.ano);
            for (;;) {
                auto texto = interacao.pedeData ? interacao.pedeData("KORVA", prompt, ultimaData_) : std::nullopt;
                if (!texto) return std::nullopt;
                const std::string d = Apara(*texto);
                if (Literais::DataValida(d)) {
                    ultimaData_ = d;
                    l.dtBase = Data::deDMA(d);
                    break;
                }
                if (interacao.avisa) interacao.avisa(MsgDataInvalida);
            }
        }
        if (l.divisor == 0) throw ErroCampo(MsgDivisorZero, "Divisor");
        linhas.push_back(l);
    }

    Transacao transacao(banco);
    try {
        for (const LinhaMes& l : linhas) {
            t.insere();
            t["Item"] = pedido.item;
            t["Mes1"] = l.mes;
            t["Mes2"] = l.mes;
            t["Ano1"] = l.ano;
            t["Ano2"] = l.ano;
            t["VFM"] = "F";
            t["Qtde"] = l.qtde;
            t["Indice"] = l.indice;
            t["Divisor"] = l.divisor;
            t["Base"] = pedido.base;
            if (diferenca.empty())
                t["Diferenca"].limpa();
            else
                t["Diferenca"] = diferenca;
            if (l.dtBase) t["DtBase"] = *l.dtBase;
            t.grava();
        }
        transacao.confirma();
    } catch (...) {
        if (t.editando()) t.cancela();
        throw;
    }
    return static_cast<int>(linhas.size());
}

}  // namespace korva
