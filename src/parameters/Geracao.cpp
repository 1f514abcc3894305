#include "parameters/Geracao.h"

#include <optional>
#include <vector>

#include "parameters/CalculaDtBase.h"
#include "storage/Banco.h"
#include "storage/Tabela.h"
#include "util/Erros.h"

namespace korva {

namespace {

// A period row as read from A.
struct Periodo {
    int item = 0, mes1 = 0, ano1 = 0, mes2 = 0, ano2 = 0;
    Valor valor, qtde, indice, divisor, base, itemMedia, mMes1, mAno1, mMes2, mAno2, diferenca;
    std::string vfm, inss;
    int codigo = 0;
    std::optional<Data> dtBase;
};

std::vector<Periodo> LePeriodos(Banco& banco, const std::string& nome, OrdemParametros ordem) {
    Tabela a(banco, nome);
    a.abre(ModoAbertura::SomenteLeitura);
    a.defineIndice(IndiceOrdemParametros(ordem));
    std::vector<Periodo> r;
    for (a.primeiro(); !a.fim(); a.proximo()) {
        Periodo p;
        p.item = static_cast<int>(a.valor("Item").comoInteiro());
        p.mes1 = static_cast<int>(a.valor("Mes1").comoInteiro());
        p.ano1 = static_cast<int>(a.valor("Ano1").comoInteiro());
        p.mes2 = static_cast<int>(a.valor("Mes2").comoInteiro());
        p.ano2 = static_cast<int>(a.valor("Ano2").comoInteiro());
        p.valor = a.valor("Valor");
        p.qtde = a.valor("Qtde");
        p.indice = a.valor("Indice");
        p.divisor = a.valor("Divisor");
        p.base = a.valor("Base");
        p.itemMedia = a.valor("ItemMedia");
        p.mMes1 = a.valor("MMes1");
        p.mAno1 = a.valor("MAno1");
        p.mMes2 = a.valor("MMes2");
        p.mAno2 = a.valor("MAno2");
        p.diferenca = a.valor("Diferenca");
        p.vfm = a.valor("VFM").comoTexto();
        p.inss = a.valor("INSS").comoTexto();
        p.codigo = static_cast<int>(a.valor("CodDataBasePadrao").comoInteiro());
        if (!a.valor("DtBase").nulo()) p.dtBase = a.valor("DtBase").comoData();
        r.push_back(std::move(p));
    }
    return r;
}

// Steps to the next month as the generation walks a period: month 0 (which
// the month check accepts) is followed by month 1, December by January.
void ProximoMesPeriodo(int& mes, int& ano) {
    if (++mes > 12) {
        mes = 1;
        ++ano;
    }
}

// How many month rows a period gives.
int QuantidadeMeses(const Periodo& p) {
    int n = 0;
    for (int mes = p.mes1, ano = p.ano1; p.ano2 * 100 + p.mes2 >= ano * 100 + mes; ProximoMesPeriodo(mes, ano)) ++n;
    return n;
}

// Sets a field only when the period row holds a value for it.
void CopiaSePresente(Tabela& b, const char* campo, const Valor& v) {
    if (!v.nulo()) b[campo] = v;
}

}  // namespace

int Geracao::LinhasMensais() {
    if (!banco_.existe(tabelaB_)) return 0;
    Tabela b(banco_, tabelaB_);
    b.abre(ModoAbertura::SomenteLeitura);
    return b.quantidade();
}

int Geracao::Gera(OrdemParametros ordem, const ProgressoGeracao& progresso) {
    const std::vector<Periodo> periodos = LePeriodos(banco_, tabelaA_, ordem);

    // Every period row is checked before B is touched, so a refused row
    // leaves the month grid as it was.
    for (const auto& p : periodos) {
        if (p.ano2 * 100 + p.mes2 < p.ano1 * 100 + p.mes1) throw ErroKorva(MsgPeriodoInvalidoGeracao);
        if (!CodigoDtBaseConhecido(p.codigo)) throw ErroKorva(MsgCodigoDtBaseInvalido(p.codigo));
    }
    int total = 0;
    for (const auto& p : periodos) total += QuantidadeMeses(p);
    if (progresso) progresso(0, total);

    Tabela b(banco_, tabelaB_);
    b.abre(ModoAbertura::Exclusivo);
    int linhas = 0;
    Transacao transacao(banco_);
    b.esvazia();
    for (const auto& p : periodos) {
        int mes = p.mes1, ano = p.ano1;
        while (p.ano2 * 100 + p.mes2 >= ano * 100 + mes) {
            b.insere();
            // Codigo stays empty: the store numbers the row.
            b["Item"] = p.item;
            b["Mes"] = mes;
            b["Ano"] = ano;
            CopiaSePresente(b, "Valor", p.valor);
            CopiaSePresente(b, "Qtde", p.qtde);
            CopiaSePresente(b, "Indice", p.indice);
            CopiaSePresente(b, "Divisor", p.divisor);
            CopiaSePresente(b, "Base", p.base);
            b["VFM"] = p.vfm;
            CopiaSePresente(b, "ItemMedia", p.itemMedia);
            CopiaSePresente(b, "MMes1", p.mMes1);
            CopiaSePresente(b, "MAno1", p.mAno1);
            CopiaSePresente(b, "MMes2", p.mMes2);
            CopiaSePresente(b, "MAno2", p.mAno2);
            CopiaSePresente(b, "Diferenca", p.diferenca);
            b["Calculado"] = false;
            b["CodDataBasePadrao"] = p.codigo;
            b["INSS"] = p.inss;
            b["DtBase"] = dtBase_.CalculaDtBase(mes, ano, p.dtBase, p.codigo);
            b.grava();
            ++linhas;
            if (progresso) progresso(linhas, total);
            ProximoMesPeriodo(mes, ano);
        }
    }
    transacao.confirma();
    return linhas;
}

}  // namespace korva
