#include "spreadsheets/PlanilhaProrrata.h"

#include <string>
#include <vector>

#include "app/Sessao.h"
#include "reference/TabelasReferencia.h"
#include "results/CorrecaoJuros.h"
#include "spreadsheets/GravacaoSegura.h"
#include "spreadsheets/PastaXlsx.h"
#include "spreadsheets/PlanilhaCalculo.h"
#include "util/Texto.h"

namespace korva {

namespace {

// Columns of the sheet.
enum Coluna { CDescricao = 0, CData, CValor, CIndice, CFormula, CSomar };

class Escrita {
public:
    explicit Escrita(FolhaXlsx& f) : f_(f) {}

    int linha() const { return l_; }
    void pula() { ++l_; }

    // A line of the statement: caption, date, amount, and optionally a factor
    // or a percentage and a text. Returns the row written.
    int linhaValor(const std::string& rotulo, std::optional<Data> data, double valor,
                   FormatoCelula fmt = FormatoCelula::Dinheiro) {
        f_.texto(l_, CDescricao, rotulo);
        if (data) f_.data(l_, CData, *data);
        f_.numero(l_, CValor, valor, fmt);
        return l_++;
    }
    void indice(int linha, double fator) { f_.numero(linha, CIndice, fator, FormatoCelula::Fator); }
    void taxa(int linha, double percentual) { f_.numero(linha, CIndice, percentual, FormatoCelula::Quatro); }
    void nota(int linha, const std::string& t) { f_.texto(linha, CFormula, t); }
    // A block total: the sum of the rows given, the statement's figure cached.
    int total(const std::string& rotulo, Data data, const std::vector<int>& parcelas, double valor) {
        std::string soma = "=";
        for (size_t i = 0; i < parcelas.size(); ++i) {
            if (i) soma += "+";
            soma += FolhaXlsx::Celula(parcelas[i], CValor);
        }
        f_.texto(l_, CDescricao, rotulo, FormatoCelula::Rotulo);
        f_.data(l_, CData, data);
        f_.formula(l_, CValor, soma, valor);
        return l_++;
    }
    void rotulo(const std::string& t, const std::string& valor = {}) {
        f_.texto(l_, CDescricao, t, FormatoCelula::Rotulo);
        if (!valor.empty()) f_.texto(l_, CData, valor);
        ++l_;
    }
    FolhaXlsx& folha() { return f_; }

private:
    FolhaXlsx& f_;
    int l_ = 0;
};

std::string Grupo(int codRecte) {
    std::string g = std::to_string(codRecte);
    while (g.size() < 3) g = "0" + g;
    return g;
}

}  // namespace

ExportacaoProrrata GravaPlanilhaProrrata(const DadosProrrata& d, const ExtratoProrrata& e,
                                         const std::filesystem::path& destino) {
    VerificaNomePlanilha(destino);
    VerificaDestino(destino);
    ExportacaoProrrata r;
    GravaSubstituindo(destino, [&](const std::filesystem::path& temporario) {
        PastaXlsx pasta(temporario);
        FolhaXlsx folha = pasta.folha(kFolhaProrrata);
        folha.largura(CDescricao, CDescricao, 42);
        folha.largura(CData, CData, 12);
        folha.largura(CValor, CValor, 18);
        folha.largura(CIndice, CIndice, 16);
        folha.largura(CFormula, CFormula, 60);
        folha.largura(CSomar, CSomar, 8);
        Escrita w(folha);

        folha.texto(w.linha(), CDescricao, "Atualização Diária", FormatoCelula::Titulo);
        w.pula();
        w.rotulo("Processo: " + d.processo, "Grupo: " + Grupo(d.codRecte));
        folha.texto(w.linha(), CDescricao, "Data ajuizamento:");
        folha.data(w.linha(), CData, d.dtAjuiz);
        w.pula();
        w.linhaValor("Valor apurado em", d.dtBase, d.valor);
        if (!d.jurosConstantes) w.linhaValor("Juros apurados até", d.dtBase, d.valorJuros);
        if (!d.parte1.empty()) {
            folha.texto(w.linha(), CDescricao, "Partes:");
            folha.texto(w.linha(), CData, d.parte1);
            w.pula();
            if (!d.parte2.empty()) {
                folha.texto(w.linha(), CData, d.parte2);
                w.pula();
            }
        }
        if (!d.obs.empty()) {
            folha.texto(w.linha(), CDescricao, "Obs.:");
            folha.texto(w.linha(), CData, d.obs);
            w.pula();
        }
        w.pula();

        // Headings of the columns.
        const char* titulos[] = {"Descrição", "Data", "Valor", "Índice / Juros (%)", "Fórmula", "Somar"};
        for (int c = CDescricao; c <= CSomar; ++c) folha.texto(w.linha(), c, titulos[c], FormatoCelula::Cabecalho);
        w.pula();

        // Opening block.
        w.linhaValor("a. Valor em", d.dtBase, d.valor);
        const int b = w.linhaValor("b. Valor Atualizado (a)", e.s, e.P);
        w.indice(b, e.f0);
        const int c = w.linhaValor("c. Juros Acumulados", e.s, e.W);
        w.indice(c, e.f0);
        if (!d.jurosConstantes) w.nota(c, "Juros apurados até a data base: " + ValorExtrato(d.valorJuros));
        const int dd = w.linhaValor("d. Juros (sobre b)", e.s, e.E0);
        w.taxa(dd, e.i0);
        int ultimoTotal = w.total("e. Total Atualizado + Juros (b + c + d)", e.s, {b, c, dd}, e.totalAbertura);
        w.pula();

        // One block per instalment.
        for (const auto& p : e.parcelas) {
            w.linhaValor("Pgto. em", p.data, p.valor);
            w.linhaValor("a. Saldo Principal", p.data, p.saldoPrincipal);
            w.linhaValor("b. Saldo de Juros", p.data, p.saldoJuros);
            const int pc = w.linhaValor("c. Principal Atualizado (a)", p.proxima, p.principalAtualizado);
            w.indice(pc, p.fator);
            const int pd = w.linhaValor("d. Juros Atualizados (b)", p.proxima, p.jurosAtualizados);
            w.indice(pd, p.fator);
            const int pe = w.linhaValor("e. Juros (sobre c)", p.proxima, p.valorJuros);
            w.taxa(pe, p.juros);
            ultimoTotal = w.total("f. Total Atualizado + Juros (c + d + e)", p.proxima, {pc, pd, pe}, p.total);
            w.pula();
        }

        // Additions, then FGTS and the total.
        std::vector<int> somados;
        for (const auto& a : e.acrescimos) {
            const int l = w.linhaValor(a.descricao, d.dtFinal, a.valor);
            w.nota(l, a.formula);
            folha.texto(l, CSomar, a.totalizar ? "S" : "N");
            if (a.totalizar) somados.push_back(l);
        }
        std::optional<int> fgts;
        if (e.fgts) {
            fgts = w.linhaValor("FGTS Atualizado:", d.dtFinal, e.fgts->valor);
            w.nota(*fgts, e.fgts->formula);
        }
        std::string soma = "=ROUND(" + FolhaXlsx::Celula(ultimoTotal, CValor);
        for (int l : somados) soma += "+" + FolhaXlsx::Celula(l, CValor);
        if (fgts) soma += "+" + FolhaXlsx::Celula(*fgts, CValor);
        soma += ",2)";
        folha.texto(w.linha(), CDescricao, "TOTAL:", FormatoCelula::Rotulo);
        folha.data(w.linha(), CData, d.dtFinal);
        folha.formula(w.linha(), CValor, soma, e.total);
        w.pula();
        folha.texto(w.linha(), CDescricao, "Valores Atualizados até:");
        folha.data(w.linha(), CData, d.dtFinal);
        w.pula();
        if (!d.obsFinal.empty()) {
            folha.texto(w.linha(), CDescricao, d.obsFinal, FormatoCelula::Nota);
            w.pula();
        }
        r.linhas = w.linha();
        r.total = e.total;
        pasta.grava();
    });
    return r;
}

ExportacaoProrrata ExportaPlanilhaProrrata(Sessao& sessao, int codigo, const std::filesystem::path& destino) {
    VerificaNomePlanilha(destino);
    VerificaDestino(destino);
    const DadosProrrata dados = LeDadosProrrata(sessao.privado(), codigo);
    TabelasReferencia referencia(sessao.compartilhado());
    CorrecaoJuros cj(sessao.privado(), referencia);
    const ExtratoProrrata e = CalculaExtrato(dados, cj);
    return GravaPlanilhaProrrata(dados, e, destino);
}

}  // namespace korva
