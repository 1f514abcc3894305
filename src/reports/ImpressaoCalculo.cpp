#include "reports/ImpressaoCalculo.h"

#include "app/Configuracoes.h"
#include "reference/TabelasReferencia.h"
#include "storage/Banco.h"
#include "storage/ConjuntoCalculo.h"
#include "storage/Esquemas.h"
#include "storage/Tabela.h"
#include "util/Erros.h"
#include "util/Literais.h"

namespace korva {

namespace {

const char* const Captions[] = {
    "&Parâmetros de Cálculo", "&Cálculo Detalhado", "Cálculo Re&sumido",   "&Resumo de Cálculo",
    "Ver&bas Calculadas",     "Cálculo do I.&N.S.S.", "Remessa ao &I.N.S.S.",
};

const char* const Meses[] = {"janeiro", "fevereiro", "março",    "abril",   "maio",     "junho",
                             "julho",   "agosto",    "setembro", "outubro", "novembro", "dezembro"};

std::string Grupo(int codRecte) { return Literais::ZerosEsquerdaInt(codRecte, 3); }

std::string Tabela_(const ParametrosExecucao& p, char letra) {
    return ConjuntoCalculo::NomeTabelaDe(p.diretorio, p.arquivo, letra);
}

// The check that runs before options 1 to 6: false (and the user told)
// when some month row was changed and not recalculated.
bool Calculado(const ParametrosExecucao& p, ContextoImpressao& ctx) {
    const int n = ContaNaoCalculados(*ctx.privado, Tabela_(p, 'B'));
    if (n == 0) return true;
    if (ctx.aviso) ctx.aviso(MsgNaoCalculados(n));
    return false;
}

bool GerarArquivo(const ContextoImpressao& ctx) {
    return ctx.configuracoes && ctx.configuracoes->gerarArquivoINSS == "S";
}

}  // namespace

std::vector<std::string> OpcoesImpressao(bool gerarArquivoINSS) {
    std::vector<std::string> r(std::begin(Captions), std::end(Captions));
    if (!gerarArquivoINSS) r.pop_back();
    return r;
}

int EscolhaImpressao(int anterior, bool gerarArquivoINSS) {
    const int n = gerarArquivoINSS ? 7 : 6;
    return anterior >= 0 && anterior < n ? anterior : 0;
}

int ContaNaoCalculados(Banco& privado, const std::string& tabelaB) {
    if (!privado.existe(tabelaB)) return 0;
    const auto r = privado.consulta(
        "select Count(*) Qtde from " + Banco::NomeNaConsulta(tabelaB) + " where Calculado is null or not Calculado",
        {tabelaB});
    return r.empty() ? 0 : static_cast<int>(r.front()[0].comoInteiro());
}

std::string MsgNaoCalculados(int quantidade) {
    return "Há " + std::to_string(quantidade) + " item(s) que voce alterou e não recalculou este processo.\n" +
           "Retorne para a tela de parâmetros Mês a Mês e\n" +
           "efetue o cálculo antes de solicitar a impressão deste relatório.";
}

std::string LinhaFecho(const std::string& municipio, Data hoje) {
    return municipio + ", " + Literais::ZerosEsquerdaInt(hoje.dia(), 2) + " de " + Meses[hoje.mes() - 1] + " de " +
           Literais::ZerosEsquerdaInt(hoje.ano(), 4) + ".";
}

CabecalhoRelatorio CabecalhoDoCalculo(const Configuracoes& c, const ParametrosExecucao& p,
                                      const std::string& observacao, Data hoje, bool resumoProcesso) {
    CabecalhoRelatorio r;
    r.tribunal = c.tribunal;
    r.setor = c.setor;
    r.processo = "Processo: " + p.processo;
    if (!resumoProcesso) r.processo += "  Grupo: " + Grupo(p.codRecte);
    r.dtGrav = p.dtGrav.dma();
    r.dtAjuiz = p.dtAjuiz.dma();
    r.dtBase = p.dtBase.dma();
    r.fecho = LinhaFecho(c.municipio, hoje);
    r.observacao = observacao;
    return r;
}

int MontaResumoProcesso(Banco& privado, Banco& temp, const std::string& processo) {
    if (!temp.existe(NomeArquivoTemp)) temp.criaTabela(NomeArquivoTemp, EsquemaTemp());
    // Calculations of the lawsuit in group order.
    const auto calculos = privado.consulta(
        "select CodRecte, Diretorio, Arquivo, Total, TotalGeral, FGTS, TotalBaseINSS, INSSReclamante, INSSReclamado, "
        "INSSRisco, INSSTerceiros, AliquotaUnica, ValorINSSReclamante, TotalBaseIR13, TotalBaseIRFerias, "
        "TotalBaseIRDemais, IRSobreJuros, OpcaoIR, QtdeMesesComBaseIR from Processo where Processo=:P order by "
        "CodRecte",
        {"Processo.DB"}, {{"P", processo}});

    Tabela t(temp, NomeArquivoTemp);
    t.abre(ModoAbertura::Exclusivo);
    int linhas = 0;
    {
        Transacao tr(temp);
        temp.executa(NomeArquivoTemp, "DELETE FROM Tabela");  // the table is ours alone
        for (const auto& c : calculos) {
            const int grupo = static_cast<int>(c["CodRecte"].comoInteiro());
            const std::string partes = ConjuntoCalculo::NomeTabelaDe(static_cast<int>(c["Diretorio"].comoInteiro()),
                                                                     static_cast<int>(c["Arquivo"].comoInteiro()), 'C');
            std::vector<LinhaConsulta> reclamantes;
            if (privado.existe(partes))
                reclamantes = privado.consulta("select Nome, Dependentes from " + Banco::NomeNaConsulta(partes) +
                                                   " where TipoParte < 3 order by Codigo",
                                               {partes});
            if (reclamantes.empty())
                throw ErroKorva("Não há partes cadastradas no Processo: " + processo + "  Grupo: " + Grupo(grupo));
            auto numero = [&](const char* campo) { return c[campo].nulo() ? Valor(0.0) : c[campo]; };
            for (const auto& r : reclamantes) {
                t.insere();
                t["CodRecte"] = grupo;
                t["Nome"] = r[0].comoTexto();
                t["ValorSemJuros"] = c["Total"];
                t["Valor"] = numero("TotalGeral");
                t["FGTS"] = numero("FGTS");
                t["TotalBaseINSS"] = numero("TotalBaseINSS");
                t["INSSReclamante"] = c["INSSReclamante"];
                t["INSSReclamado"] = c["INSSReclamado"];
                t["INSSRisco"] = c["INSSRisco"];
                t["INSSTerceiros"] = c["INSSTerceiros"];
                t["AliquotaUnica"] = !c["AliquotaUnica"].nulo() && c["AliquotaUnica"].comoLogico();
                t["ValorINSSReclamante"] = numero("ValorINSSReclamante");
                t["TotalBaseIR13"] = numero("TotalBaseIR13");
                t["TotalBaseIRFerias"] = numero("TotalBaseIRFerias");
                t["TotalBaseIRDemais"] = numero("TotalBaseIRDemais");
                t["QtdeDependentes"] = r[1].nulo() ? Valor(0) : r[1];
                t["IRSobreJuros"] = !c["IRSobreJuros"].nulo() && c["IRSobreJuros"].comoLogico();
                t["OpcaoIR"] = c["OpcaoIR"].nulo() ? Valor(1) : c["OpcaoIR"];
                t["QtdeMesesComBaseIR"] = c["QtdeMesesComBaseIR"];
                t.grava();
                ++linhas;
            }
        }
        if (linhas == 0) throw ErroKorva(kMsgSemPartesProcesso);
        tr.confirma();
    }
    return linhas;
}

bool ExecutaImpressao(OpcaoImpressao opcao, const ParametrosExecucao& p, ContextoImpressao& ctx,
                      GeradorRelatorios& gerador) {
    Banco& privado = *ctx.privado;
    switch (opcao) {
        case OpcaoImpressao::Parametros: {
            const std::string a = Tabela_(p, 'A');
            if (!privado.existe(a) ||
                privado.consulta("select Count(*) from " + Banco::NomeNaConsulta(a), {a}).front()[0].comoInteiro() == 0)
                throw ErroKorva(kMsgSemParametros);
            gerador.parametros(p, CabecalhoDoCalculo(*ctx.configuracoes, p, p.obsCalculo, ctx.hoje));
            return true;
        }
        case OpcaoImpressao::Detalhado:
        case OpcaoImpressao::Resumido:
        case OpcaoImpressao::INSS: {
            if (!Calculado(p, ctx)) return false;
            const TotaisExecucao t = gerador.calculo(
                opcao, p, CabecalhoDoCalculo(*ctx.configuracoes, p, p.obsCalculo, ctx.hoje), p.adicionarINSSRecte);
            if (opcao == OpcaoImpressao::INSS) return true;
            // Only after the report was produced.
            GravaResultados(privado, p, t);
            if (GerarArquivo(ctx) && ctx.gravaRemessa && ctx.gravaRemessa(p) > 0 && ctx.aviso)
                ctx.aviso(kMsgRemessaGerada);
            return true;
        }
        case OpcaoImpressao::ResumoProcesso: {
            if (ctx.configuracoes->lembraResumo == "S" && ctx.lembrete && !ctx.lembrete()) return false;
            if (!Calculado(p, ctx)) return false;
            ctx.referencia->FaixaIRDoMes(p.dtBase.ano(), p.dtBase.mes());  // fails with its message
            MontaResumoProcesso(privado, *ctx.temp, p.processo);
            // The report's base date, index and additions are those of the
            // calculation it was asked from; the employee-INSS option is the
            // lawsuit's first calculation's.
            const auto primeiro = privado.consulta(
                "select CodRecte from Processo where Processo=:P order by CodRecte", {"Processo.DB"},
                {{"P", p.processo}});
            const ParametrosExecucao pp = ParametrosDoProcesso(
                privado, p.processo, static_cast<int>(primeiro.front()[0].comoInteiro()));
            gerador.resumo(p, CabecalhoDoCalculo(*ctx.configuracoes, p, p.obsResumo, ctx.hoje, true),
                           pp.adicionarINSSRecte);
            return true;
        }
        case OpcaoImpressao::Verbas:
            if (!Calculado(p, ctx)) return false;
            gerador.verbas(p, CabecalhoDoCalculo(*ctx.configuracoes, p, p.obsCalculo, ctx.hoje));
            return true;
        case OpcaoImpressao::Remessa:
            if (!Calculado(p, ctx)) return false;
            if (!ctx.gravaRemessa) throw ErroKorva("Arquivo de remessa indisponível.");
            if (ctx.gravaRemessa(p) > 0 && ctx.aviso) ctx.aviso(kMsgRemessaGerada);
            return true;
    }
    return false;
}

}  // namespace korva
