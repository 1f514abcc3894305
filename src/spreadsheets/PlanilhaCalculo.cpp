#include "spreadsheets/PlanilhaCalculo.h"

#include <cmath>
#include <cstdint>
#include <iomanip>
#include <locale>
#include <sstream>
#include <utility>

#include "reference/TabelasReferencia.h"
#include "register/OpcoesProcesso.h"
#include "reports/BlocosCalculo.h"
#include "reports/ImpressaoCalculo.h"
#include "reports/RelatorioCalculo.h"
#include "results/ContribuicaoINSS.h"
#include "results/FormatoNumero.h"
#include "spreadsheets/GravacaoSegura.h"
#include "spreadsheets/PastaXlsx.h"
#include "storage/Banco.h"
#include "storage/ConjuntoCalculo.h"
#include "util/Erros.h"
#include "util/Literais.h"
#include "util/Texto.h"

namespace korva {

std::string TotalizacaoDoItem(const LinhaCalculada& l) {
    if (!l.itemResultado) return {};
    if (l.item == 902 || l.item == 903) return "FGTS";
    if (l.item == 892 || l.item == 893) return "Seguro-desemprego";
    return "Principal";
}

void VerificaNomePlanilha(const std::filesystem::path& destino) {
    if (Maiusculas(destino.extension().string()) != ".XLSX")
        throw ErroKorva("O arquivo da planilha deve ter a extensão .xlsx: " + destino.string());
}

std::string MsgPlanilhaGravada(const std::filesystem::path& destino, int linhas) {
    return "Planilha gravada em " + destino.string() + " (" + std::to_string(linhas) + " linha(s) mês a mês).";
}

namespace {

using F = FormatoCelula;

// Columns of "Mês a Mês".
enum ColunaMes {
    cMes, cItem, cDescricao, cVFM, cQtde, cIndice, cDivisor, cBase, cValor, cDtBase, cINSS, cTotaliza,
    cFator, cAtualizado, cJuros, cValorJuros, cComJuros, kColunasMes
};

const char* const kTitulosMes[kColunasMes] = {
    "Mes/Ano", "Verba", "Descrição", "VFM", "Qtde.", "Índice", "Divisor", "Base", "Valor", "Data Base",
    "INSS", "Totaliza em", "Ind.Corr.Mon.", "Val.Atual.", "Juros(%)", "Valor dos Juros", "Val.Atual.+Juros"};
const double kLargurasMes[kColunasMes] = {9, 6, 38, 5, 10, 10, 9, 6, 14, 11, 5, 16, 14, 14, 9, 14, 16};

// The description without the leading "015-" the report prints.
std::string Descricao(const std::string& descRend) {
    if (descRend.size() > 4 && descRend[3] == '-') return descRend.substr(4);
    return descRend;
}

// A number as a formula spells it (a point before the decimals).
std::string NumeroFormula(double v) {
    std::ostringstream o;
    o.imbue(std::locale::classic());
    o << std::setprecision(15) << v;
    return o.str();
}

// "mm/yyyy" of a month close.
std::string LinhaMes(const FechamentoMes& f) {
    return Literais::ZerosEsquerdaInt(f.mes, 2) + "/" + Literais::ZerosEsquerdaInt(f.ano, 4);
}

std::string SimNao(bool v) { return v ? "Sim" : "Não"; }

std::string NomeJuros(int modo) {
    switch (modo) {
        case JurosLegais: return "Juros Legais";
        case LimitarJuros: return "Limitar Juros";
        case InformarVariacao: return "Informar variação";
    }
    return std::to_string(modo);
}

std::string NomeOpcaoIR(int opcao) {
    switch (opcao) {
        case OpcaoIR::NaoCalcular: return "Não calcular";
        case OpcaoIR::ParcelaUnica: return "Parcela Única";
        case OpcaoIR::TrezeEDemais: return "13º e Demais Parcelas";
        case OpcaoIR::TrezeFeriasDemais: return "13º, Férias e Demais Parcelas";
    }
    return std::to_string(opcao);
}

// Writes the sheets while the run hands out its values: the month rows and
// the month closes go straight to their sheets (constant memory), the rest
// is written at the end.
class EscritaPlanilha : public ConsumidorExecucao {
public:
    EscritaPlanilha(PastaXlsx& pasta, const ParametrosExecucao& p)
        : p_(p), mes_(pasta.folha(kFolhaMesAMes)), resumo_(pasta.folha(kFolhaResumo)),
          inss_(pasta.folha(kFolhaINSS)), ir_(pasta.folha(kFolhaIR)), coleta_(dados_) {
        for (int c = 0; c < kColunasMes; ++c) {
            mes_.texto(0, c, kTitulosMes[c], F::Cabecalho);
            mes_.largura(c, c, kLargurasMes[c]);
        }
        mes_.congelaCabecalho(1);
        cabecalhoINSS();
    }

    void reclamante(const std::string& nome, int dependentes) override {
        reclamantes_.emplace_back(nome, dependentes);
    }
    void linha(const LinhaCalculada& l) override;
    void fechamento(const FechamentoMes& f) override;
    void faixaINSSAusente(int ano, int mes) override { coleta_.faixaINSSAusente(ano, mes); }

    // After the run: the totals block of "Mês a Mês", the other sheets.
    void conclui(const TotaisExecucao& t, TabelasReferencia& referencia);

    int linhas() const { return linhaMes_ - 1; }
    int meses() const { return meses_; }
    std::string aviso() const { return AvisoFaixaINSS(TipoRelatorioCalculo::Detalhado, dados_); }

private:
    void cabecalhoINSS();
    void totaisMes(const TotaisExecucao& t);
    void totaisINSS(const TotaisExecucao& t);
    void folhaResumo(const TotaisExecucao& t, TabelasReferencia& referencia);
    void folhaIR(const TotaisExecucao& t);
    std::string faixaMes(int coluna) const { return FolhaXlsx::Faixa(coluna, 1, linhaMes_ - 1); }

    const ParametrosExecucao& p_;
    FolhaXlsx mes_, resumo_, inss_, ir_;
    // The reports' own collector decides the month's INSS base; it keeps
    // only the current month here.
    DadosCalculo dados_;
    ColetaCalculo coleta_;
    std::vector<std::pair<std::string, int>> reclamantes_;
    int linhaMes_ = 1, linhaINSS_ = 1, meses_ = 0;
    int64_t centavosComJuros_ = 0;
    double somaJuros_ = 0;
    int colunasINSS_ = 0, cBaseINSS_ = 1, cARecolher_ = 0;
};

void EscritaPlanilha::linha(const LinhaCalculada& l) {
    coleta_.linha(l);
    dados_.linhas.clear();
    dados_.fechamentoDaLinha.clear();

    const int r = linhaMes_++;
    mes_.texto(r, cMes, l.mesAno());
    mes_.numero(r, cItem, static_cast<double>(l.item), F::Tres);
    mes_.texto(r, cDescricao, Descricao(l.descRend));
    mes_.texto(r, cVFM, Apara(l.vfm));
    mes_.numero(r, cQtde, l.qtde, F::Quatro);
    mes_.numero(r, cIndice, l.indice, F::Quatro);
    mes_.numero(r, cDivisor, l.divisor, F::Dinheiro);
    if (l.base) mes_.numero(r, cBase, static_cast<double>(*l.base), F::Tres);
    mes_.numero(r, cValor, l.valor, F::Dinheiro);
    if (l.dtBase.serial() > 0) mes_.data(r, cDtBase, l.dtBase);
    mes_.texto(r, cINSS, l.inss == "S" ? "S" : "N");
    mes_.texto(r, cTotaliza, TotalizacaoDoItem(l));
    mes_.numero(r, cFator, l.indReaj, F::Fator);
    mes_.numero(r, cAtualizado, l.valorAtualizado, F::Dinheiro);
    if (l.itemResultado) {
        mes_.numero(r, cJuros, l.juros, F::Dinheiro);
        mes_.numero(r, cValorJuros, l.valorJuros, F::Dinheiro);
        mes_.numero(r, cComJuros, l.valorAtualizadoComJuros, F::Dinheiro);
        somaJuros_ += l.valorJuros.value_or(0.0);
        // Amounts in cents: summed in whole cents, as the grid's grand total.
        centavosComJuros_ += std::llround(l.valorAtualizadoComJuros.value_or(0.0) * 100);
    }
}

void EscritaPlanilha::cabecalhoINSS() {
    std::vector<std::pair<std::string, double>> titulos;
    titulos.emplace_back("Mês", 9);
    titulos.emplace_back("Base de Cálculo do INSS", 16);
    if (p_.aliquotaUnica) {
        titulos.emplace_back("Alíquota (%)", 10);
        titulos.emplace_back("Valor a recolher", 16);
    } else {
        titulos.emplace_back("Base de Cálculo sobre a qual já houve recolhimento", 18);
        titulos.emplace_back("Valor já recolhido", 14);
        titulos.emplace_back("Limite do mês", 12);
        titulos.emplace_back("Limite da data base", 12);
        titulos.emplace_back("Base já recolhida atualizada", 16);
        titulos.emplace_back("Valor já recolhido atualizado", 16);
        titulos.emplace_back("Nova Base de Cálculo do INSS", 16);
        titulos.emplace_back("Alíquota (%)", 10);
        titulos.emplace_back("Valor da contribuição devida", 16);
        titulos.emplace_back("Valor a recolher", 16);
    }
    colunasINSS_ = static_cast<int>(titulos.size());
    cARecolher_ = colunasINSS_ - 1;
    for (int c = 0; c < colunasINSS_; ++c) {
        inss_.texto(0, c, titulos[static_cast<size_t>(c)].first, F::Cabecalho);
        inss_.largura(c, c, titulos[static_cast<size_t>(c)].second);
    }
    inss_.congelaCabecalho(1);
}

void EscritaPlanilha::fechamento(const FechamentoMes& f) {
    coleta_.fechamento(f);
    const double base = dados_.baseINSSMes.back();
    dados_.fechamentos.clear();
    dados_.baseINSSMes.clear();
    ++meses_;

    const int r = linhaINSS_++;
    inss_.texto(r, 0, f.mes > 0 ? LinhaMes(f) : f.rotulo);
    inss_.numero(r, 1, base);
    if (p_.aliquotaUnica) {
        inss_.numero(r, 2, p_.inssReclamante);
        inss_.numero(r, 3, base * p_.inssReclamante / 100);
        return;
    }
    inss_.numero(r, 2, f.baseJaRecolhida);
    inss_.numero(r, 3, f.inss.jaRecolhido);
    inss_.numero(r, 4, f.limite1Mes);
    inss_.numero(r, 5, f.limite1DtBase);
    inss_.numero(r, 6, f.baseAtualizada);
    inss_.numero(r, 7, f.recolhidoAtualizado);
    inss_.numero(r, 8, base + f.baseAtualizada);
    inss_.numero(r, 9, f.inss.aliquota);
    inss_.numero(r, 10, f.contribuicaoDevida);
    inss_.numero(r, 11, f.inss.aRecolher);
}

void EscritaPlanilha::totaisMes(const TotaisExecucao& t) {
    const int ultima = linhaMes_ - 1;
    mes_.autofiltro(0, 0, ultima, kColunasMes - 1);
    int r = linhaMes_ + 1;
    mes_.texto(r, cMes, "Total", F::Rotulo);
    mes_.formula(r, cValorJuros, "=SUM(" + faixaMes(cValorJuros) + ")", somaJuros_);
    mes_.formula(r, cComJuros, "=SUM(" + faixaMes(cComJuros) + ")", static_cast<double>(centavosComJuros_) / 100);
    r += 2;

    // The calculation's totals, each as the run sums it: the corrected
    // principal and the INSS base add each amount rounded to four places.
    mes_.texto(r, cDescricao, "Totais do cálculo", F::Rotulo);
    mes_.texto(r, cValor, "Valor", F::Rotulo);
    mes_.texto(r, cDtBase, "Campo", F::Nota);
    ++r;
    const std::string tot = faixaMes(cTotaliza);
    auto somaSe = [&](const char* grupo, int coluna) {
        return "SUMIF(" + tot + ",\"" + grupo + "\"," + faixaMes(coluna) + ")";
    };
    auto linha = [&](const std::string& rotulo, const std::string& formula, double valor, const char* campo) {
        mes_.texto(r, cDescricao, rotulo);
        mes_.formula(r, cValor, formula, valor);
        mes_.texto(r, cDtBase, campo, F::Nota);
        return r++;
    };
    linha("Total:", "=SUMPRODUCT(ROUND(" + faixaMes(cAtualizado) + ",4)*(" + tot + "=\"Principal\"))", t.total,
          "Total");
    linha("Total com Juros:", "=" + somaSe("Principal", cComJuros), t.totalComJuros, "TotalGeral");
    const int fgts = linha("F.G.T.S. a depositar:", "=" + somaSe("FGTS", cAtualizado), t.fgts, "FGTSSemJuros");
    const int juros = linha("Juros do F.G.T.S. a depositar:",
                            p_.incidirJurosFGTS ? "=" + somaSe("FGTS", cValorJuros) : std::string("=0"), t.jurosFGTS,
                            "JurosFGTS");
    linha("Total do F.G.T.S. a depositar:",
          "=" + FolhaXlsx::Celula(fgts, cValor) + "+" + FolhaXlsx::Celula(juros, cValor), t.fgtsADepositar(), "FGTS");
    linha("Seguro Desemprego a recolher:",
          "=" + somaSe("Seguro-desemprego", cAtualizado) + "+" + somaSe("Seguro-desemprego", cValorJuros),
          t.seguroDesemprego, "SeguroDesemprego");
    linha("* Base de Cálculo - I.N.S.S.:",
          "=SUMPRODUCT(ROUND(" + faixaMes(cAtualizado) + ",4)*(" + faixaMes(cINSS) + "=\"S\"))", t.baseINSS,
          "TotalBaseINSS");
}

void EscritaPlanilha::totaisINSS(const TotaisExecucao& t) {
    int r = linhaINSS_;
    const std::string faixa = FolhaXlsx::Faixa(cBaseINSS_, 1, linhaINSS_ - 1);
    inss_.texto(r, 0, "Total", F::Rotulo);
    inss_.formula(r, cBaseINSS_, "=SUM(" + faixa + ")", t.baseINSS);
    const int total = r;
    if (!p_.aliquotaUnica)
        inss_.formula(r, cARecolher_, "=SUM(" + FolhaXlsx::Faixa(cARecolher_, 1, linhaINSS_ - 1) + ")",
                      t.inssEmpregado);
    r += 2;

    // The final block of the social-security report: its captions, the run's
    // figures, each as a formula over the total row.
    const std::vector<LinhaBloco> linhas = LinhasFinais(TipoRelatorioCalculo::INSS, t, p_);
    const std::string base = FolhaXlsx::Celula(total, cBaseINSS_);
    auto taxa = [&](double aliquota) { return "=" + base + "*" + NumeroFormula(aliquota) + "/100"; };
    std::vector<std::pair<std::string, double>> valores = {
        {"=" + base, t.baseINSS},
        {"", 0},
        {p_.aliquotaUnica ? taxa(p_.inssReclamante) : "=" + FolhaXlsx::Celula(total, cARecolher_), t.inssEmpregado},
        {taxa(p_.inssReclamado), t.reclamado.fpas},
        {taxa(p_.inssRisco), t.reclamado.risco},
        {taxa(p_.inssTerceiros), t.reclamado.terceiros},
        {"", t.reclamado.total},
        {"", t.totalINSS},
    };
    if (linhas.size() != valores.size()) throw ErroKorva("Bloco final do INSS com linhas inesperadas.");
    const int inicio = r;
    for (size_t k = 0; k < linhas.size(); ++k, ++r) {
        const LinhaBloco& l = linhas[k];
        inss_.texto(r, 0, l.rotulo, l.negrito ? F::Rotulo : F::Texto);
        if (l.valor.empty()) continue;
        std::string formula = valores[k].first;
        if (k == 6)  // "TOTAL:" of the defendant
            formula = "=SUM(" + FolhaXlsx::Faixa(cBaseINSS_, inicio + 3, inicio + 5) + ")";
        if (k == 7)
            formula = "=" + FolhaXlsx::Celula(inicio + 2, cBaseINSS_) + "+" + FolhaXlsx::Celula(inicio + 6, cBaseINSS_);
        inss_.formula(r, cBaseINSS_, formula, valores[k].second,
                      l.negrito ? F::DinheiroNegrito : F::Dinheiro);
    }
    if (t.faixaINSSAusente) inss_.texto(r + 1, 0, kNotaINSSAnulado, F::Nota);
}

void EscritaPlanilha::folhaResumo(const TotaisExecucao& t, TabelasReferencia& referencia) {
    FolhaXlsx& s = resumo_;
    s.largura(0, 0, 46);
    s.largura(1, 1, 34);
    s.largura(2, 2, 22);
    int r = 0;
    s.texto(r, 0, "Resumo do Cálculo", F::Titulo);
    r += 2;
    auto texto = [&](const std::string& rotulo, const std::string& valor) {
        s.texto(r, 0, rotulo);
        s.texto(r++, 1, valor);
    };
    auto data = [&](const std::string& rotulo, Data d, const char* campo) {
        s.texto(r, 0, rotulo);
        if (d.serial() > 0) s.data(r, 1, d);
        s.texto(r++, 2, campo, F::Nota);
    };
    auto numero = [&](const std::string& rotulo, double v, const std::string& campo, F fmt = F::Dinheiro) {
        s.texto(r, 0, rotulo, fmt == F::DinheiroNegrito ? F::Rotulo : F::Texto);
        s.numero(r, 1, v, fmt);
        s.texto(r++, 2, campo, F::Nota);
    };
    auto nomeIndice = [&](int codigo) {
        try {
            const std::string n = Apara(referencia.NomeIndiceDiario(codigo));
            if (!n.empty()) return std::to_string(codigo) + " - " + n;
        } catch (const std::exception&) {
        }
        return std::to_string(codigo);
    };

    texto("Processo:", p_.processo);
    texto("Grupo:", Literais::ZerosEsquerdaInt(p_.codRecte, 3));
    data("Data de Gravação:", p_.dtGrav, "");
    data("Data de Ajuizamento:", p_.dtAjuiz, "");
    data("Valores Atualizados até:", p_.dtBase, "");
    ++r;
    s.texto(r++, 0, "Opções do cálculo", F::Rotulo);
    texto("Índice do principal:", nomeIndice(p_.indPrincipal));
    texto("Índice do F.G.T.S.:", nomeIndice(p_.indFGTS));
    texto("Cálculo dos Juros:", NomeJuros(p_.calculoJuros));
    texto("Incidir Juros sobre o F.G.T.S. a depositar:", SimNao(p_.incidirJurosFGTS));
    texto("Alíquota Única:", SimNao(p_.aliquotaUnica));
    numero("INSS do reclamante (%):", p_.inssReclamante, "");
    numero("INSS do reclamado (%):", p_.inssReclamado, "");
    numero("Riscos Ambientais do Trabalho (%):", p_.inssRisco, "");
    numero("Recolhimento de Terceiros (%):", p_.inssTerceiros, "");
    texto("Imposto de Renda:", NomeOpcaoIR(p_.opcaoIR));
    texto("Calcular o IR sobre os Juros:", SimNao(p_.irSobreJuros));
    texto("Adicionar o INSS do reclamante:", SimNao(p_.adicionarINSSRecte));
    ++r;
    s.texto(r, 0, "Reclamante(s):", F::Rotulo);
    s.texto(r++, 1, "Dependentes", F::Rotulo);
    for (const auto& [nome, dependentes] : reclamantes_) {
        s.texto(r, 0, nome);
        s.numero(r++, 1, static_cast<double>(dependentes), F::Inteiro);
    }
    ++r;

    // The totals the run stores in the register, captioned as the lawsuit
    // summary prints them; the third column names the stored field.
    s.texto(r, 0, "Totais gravados no cadastro do processo", F::Rotulo);
    s.texto(r++, 2, "Campo", F::Nota);
    numero("Principal Atualizado:", t.total, "Total");
    numero("Juros:", t.totalComJuros - t.total, "");
    numero("Principal Atualizado + Juros:", t.totalComJuros, "TotalGeral");
    numero("FGTS a depositar:", t.fgtsADepositar(), "FGTS");
    if (t.seguroDesemprego > 0) numero("Seguro Desemprego a recolher:", t.seguroDesemprego, "SeguroDesemprego");
    numero("* Base de Cálculo - I.N.S.S.:", t.baseINSS, "TotalBaseINSS");
    s.texto(r++, 0, "Contribuições ao INSS:", F::Rotulo);
    if (p_.aliquotaUnica)
        numero(RotuloReclamanteAliquotaUnica(p_.inssReclamante), t.inssEmpregado, "INSSReclamante");
    else
        numero("Reclamante:", t.inssEmpregado, "ValorINSSReclamante");
    numero("Reclamado: (" + FormataNumero(p_.inssReclamado, 2) + "%)", t.reclamado.fpas, "Reclamado.FPAS");
    numero(RotuloRiscosAmbientais(p_.inssRisco), t.reclamado.risco, "Reclamado.Risco");
    numero(RotuloTerceiros(p_.inssTerceiros), t.reclamado.terceiros, "Reclamado.Terceiros");
    numero("TOTAL DO RECLAMADO:", t.reclamado.total, "Reclamado.Total", F::DinheiroNegrito);
    numero("TOTAL DO INSS:", t.totalINSS, "TotalINSS", F::DinheiroNegrito);
    s.texto(r++, 0, p_.irSobreJuros ? "IMPOSTO DE RENDA: (juros inclusos)" : "IMPOSTO DE RENDA:", F::Rotulo);
    numero(std::string("Base de Cálculo do IR - ") + kColuna13 + ":", t.totalBaseIR13(), "TotalBaseIR13");
    numero(std::string("Base de Cálculo do IR - ") + kColunaFerias + ":", t.totalBaseIRFerias(), "TotalBaseIRFerias");
    numero(std::string("Base de Cálculo do IR - ") + kColunaDemais + ":", t.totalBaseIRDemais(), "TotalBaseIRDemais");
    numero("Total do IRRF a deduzir do Recte.:", t.valorTotalIR, "ValorTotalIR", F::DinheiroNegrito);
    numero("Qtde. de Meses com Base para o IR:", static_cast<double>(t.mesesIR), "QtdeMesesComBaseIR", F::Inteiro);
    if (t.faixaINSSAusente) {
        ++r;
        s.texto(r++, 0, kNotaINSSAnulado, F::Nota);
    }
    if (!Apara(p_.obsCalculo).empty()) {
        ++r;
        s.texto(r++, 0, p_.obsCalculo, F::Nota);
    }
}

void EscritaPlanilha::folhaIR(const TotaisExecucao& t) {
    const TabelaIR tabela = TabelaImpostoRenda(TipoRelatorioCalculo::Detalhado, t, p_);
    if (tabela.linhas.empty()) {
        ir_.texto(0, 0, "IMPOSTO DE RENDA:", F::Titulo);
        ir_.texto(1, 0, "Não calculado (opção \"Não calcular\" do cálculo).");
        ir_.largura(0, 0, 40);
        return;
    }
    ir_.texto(0, 0, tabela.titulo, F::Titulo);
    std::vector<std::string> titulos = {"Parcela", "Base de Cálculo"};
    if (p_.irSobreJuros) titulos.push_back("Juros");
    for (const char* c : {t.dependentesDiferentes ? kCabecalhoDependentesAnulado : kCabecalhoDependentes,
                          "Contribuição INSS", "Base Tributável", "Alíquota (%)", "Imposto", "Dedução",
                          "IRRF a Deduzir"})
        titulos.push_back(c);
    const int n = static_cast<int>(titulos.size());
    for (int c = 0; c < n; ++c) {
        ir_.texto(2, c, titulos[static_cast<size_t>(c)], F::Cabecalho);
        ir_.largura(c, c, c == 0 ? 18 : 15);
    }
    int r = 3;
    for (const ColunaIR& k : t.colunasIR) {
        int c = 0;
        ir_.texto(r, c++, k.rotulo);
        ir_.numero(r, c++, k.base);
        if (p_.irSobreJuros) ir_.numero(r, c++, k.juros);
        for (double v : {k.deducaoDependentes, k.inssReclamante, k.tributavel, k.aliquota, k.imposto, k.deducao,
                         k.devido})
            ir_.numero(r, c++, v);
        ++r;
    }
    ir_.texto(r, 0, "Total do IRRF a deduzir do Recte.:", F::Rotulo);
    ir_.formula(r, n - 1, "=SUM(" + FolhaXlsx::Faixa(n - 1, 3, r - 1) + ")", t.valorTotalIR);
    r += 2;
    ir_.texto(r, 0, "Qtde. de Meses com Base para o IR:");
    ir_.numero(r++, 1, static_cast<double>(t.mesesIR), F::Inteiro);
    for (const std::string& nota : tabela.notas) ir_.texto(r++, 0, nota, F::Nota);
}

void EscritaPlanilha::conclui(const TotaisExecucao& t, TabelasReferencia& referencia) {
    totaisMes(t);
    totaisINSS(t);
    folhaResumo(t, referencia);
    folhaIR(t);
}

}  // namespace

ExportacaoCalculo ExportaPlanilhaCalculo(Banco& privado, TabelasReferencia& referencia, CorrecaoJuros& correcao,
                                         const ParametrosExecucao& p, const std::filesystem::path& destino) {
    VerificaNomePlanilha(destino);
    VerificaDestino(destino);
    const std::string tabelaB = ConjuntoCalculo::NomeTabelaDe(p.diretorio, p.arquivo, 'B');
    if (!privado.existe(tabelaB)) throw ErroKorva(kMsgSemParametros);
    if (const int n = ContaNaoCalculados(privado, tabelaB); n > 0) throw ErroKorva(MsgNaoCalculados(n));

    ExportacaoCalculo r;
    GravaSubstituindo(destino, [&](const std::filesystem::path& temporario) {
        PastaXlsx pasta(temporario);
        EscritaPlanilha escrita(pasta, p);
        r.totais = ExecutaCalculo(privado, referencia, correcao, p, &escrita);
        escrita.conclui(r.totais, referencia);
        r.linhas = escrita.linhas();
        r.meses = escrita.meses();
        if (const std::string a = escrita.aviso(); !a.empty()) r.avisos.push_back(a);
        pasta.grava();
    });
    return r;
}

}  // namespace korva
