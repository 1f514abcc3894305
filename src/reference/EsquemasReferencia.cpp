#include "reference/EsquemasReferencia.h"

#include <filesystem>
#include <utility>

#include "util/Texto.h"

namespace korva {
namespace {

DefTabela Tabela(std::vector<DefCampo> campos, std::vector<DefIndice> indices) {
    DefTabela d;
    d.campos = std::move(campos);
    d.indices = std::move(indices);
    return d;
}

// A list of names keyed by an integer code, ordered by name in the pickers.
DefTabela ListaDeNomes(const char* campoNome, int tamanho) {
    return Tabela({CampoInteger("Codigo", true), CampoString(campoNome, tamanho, true)},
                  {IndicePrimario({"Codigo"}), IndiceSecundario(std::string("Ind") + campoNome, {campoNome}, false, true)});
}

}  // namespace

const DefTabela& EsquemaValores() {
    static const DefTabela d = Tabela({CampoSmallint("Ano", true), CampoSmallint("Mes", true), CampoFloat("SalMin", true),
                                       CampoFloat("SalFam1"), CampoFloat("SalFam2"), CampoFloat("LimMinimo"),
                                       CampoFloat("LimMaximo"), CampoFloat("ValorMaximo")},
                                      {IndicePrimario({"Ano", "Mes"})});
    return d;
}

const DefTabela& EsquemaIndices() {
    static const DefTabela d = Tabela({CampoInteger("CodIndice", true), CampoSmallint("Ano", true),
                                       CampoSmallint("Mes", true), CampoFloat("Indice", true)},
                                      {IndicePrimario({"CodIndice", "Ano", "Mes"})});
    return d;
}

const DefTabela& EsquemaNomeIndice() {
    static const DefTabela d = ListaDeNomes("Nome", 20);
    return d;
}

const DefTabela& EsquemaDiario() {
    static const DefTabela d =
        Tabela({CampoInteger("CodIndice", true), CampoDate("Data", true), CampoFloat("Indice", true)},
               {IndicePrimario({"CodIndice", "Data"})});
    return d;
}

const DefTabela& EsquemaNomeIndiceDiario() {
    static const DefTabela d = ListaDeNomes("Nome", 20);
    return d;
}

const DefTabela& EsquemaSalario() {
    static const DefTabela d = Tabela({CampoInteger("Salario", true), CampoSmallint("Ano", true),
                                       CampoSmallint("Mes", true), CampoFloat("SalMin", true)},
                                      {IndicePrimario({"Salario", "Ano", "Mes"})});
    return d;
}

const DefTabela& EsquemaNomeSalario() {
    static const DefTabela d = ListaDeNomes("Nome", 20);
    return d;
}

const DefTabela& EsquemaVTransp() {
    static const DefTabela d = Tabela({CampoInteger("ValeTransporte", true), CampoSmallint("Ano", true),
                                       CampoSmallint("Mes", true), CampoFloat("VTransp", true)},
                                      {IndicePrimario({"ValeTransporte", "Ano", "Mes"})});
    return d;
}

const DefTabela& EsquemaNomeVTransp() {
    static const DefTabela d = ListaDeNomes("Nome", 20);
    return d;
}

const DefTabela& EsquemaUFIR() {
    static const DefTabela d =
        Tabela({CampoSmallint("Ano", true), CampoSmallint("Mes", true), CampoFloat("Valor", true)},
               {IndicePrimario({"Ano", "Mes"})});
    return d;
}

const DefTabela& EsquemaURV() {
    static const DefTabela d = Tabela({CampoDate("Data", true), CampoFloat("Valor", true)}, {IndicePrimario({"Data"})});
    return d;
}

const DefTabela& EsquemaPrevidencia() {
    static const DefTabela d =
        Tabela({CampoInteger("Codigo", true), CampoString("Natureza", 100, true), CampoFloat("Taxa", true)},
               {IndicePrimario({"Codigo"}), IndiceSecundario("IndNatureza", {"Natureza"}, false, true)});
    return d;
}

const DefTabela& EsquemaFaixasINSS() {
    static const DefTabela d = Tabela(
        {CampoSmallint("Ano", true), CampoSmallint("Mes", true), CampoFloat("LimiteMinimo", true),
         CampoFloat("Limite1", true), CampoFloat("Percentual1", true), CampoFloat("Limite2", true),
         CampoFloat("Percentual2", true), CampoFloat("Limite3", true), CampoFloat("Percentual3", true),
         CampoFloat("Limite4", true), CampoFloat("Percentual4", true), CampoFloat("Limite5", true),
         CampoFloat("Percentual5", true), CampoBoolean("Progressiva")},
        {IndicePrimario({"Ano", "Mes"})});
    return d;
}

const DefTabela& EsquemaFaixasIR() {
    static const DefTabela d = Tabela(
        {CampoSmallint("Ano", true), CampoSmallint("Mes", true), CampoFloat("LimiteMinimo", true),
         CampoFloat("Limite1", true), CampoFloat("Percentual1", true), CampoFloat("Deducao1", true),
         CampoFloat("Limite2", true), CampoFloat("Percentual2", true), CampoFloat("Deducao2", true),
         CampoFloat("Limite3", true), CampoFloat("Percentual3", true), CampoFloat("Deducao3", true),
         CampoFloat("PercentualMaximo", true), CampoFloat("DeducaoMaximo", true),
         CampoFloat("DeducaoDependente", true), CampoFloat("DeducaoDaBase", true)},
        {IndicePrimario({"Ano", "Mes"})});
    return d;
}

const DefTabela& EsquemaFeriadosPadrao() {
    static const DefTabela d =
        Tabela({CampoDate("Data", true), CampoString("Descricao", 20, true), CampoInteger("Tipo", true)},
               {IndicePrimario({"Data", "Tipo"})});
    return d;
}

const DefTabela& EsquemaTipoFeriado() {
    static const DefTabela d = ListaDeNomes("Descricao", 20);
    return d;
}

const DefTabela& EsquemaDataBasePadrao() {
    static const DefTabela d = ListaDeNomes("Descricao", 30);
    return d;
}

const DefTabela& EsquemaBasesIR() {
    static const DefTabela d = ListaDeNomes("Descricao", 15);
    return d;
}

const DefTabela& EsquemaDocumento() {
    static const DefTabela d = ListaDeNomes("Documento", 15);
    return d;
}

const DefTabela& EsquemaTipoParte() {
    static const DefTabela d = ListaDeNomes("TipoParte", 12);
    return d;
}

namespace {

const std::vector<std::pair<std::string, const DefTabela& (*)()>>& Catalogo() {
    static const std::vector<std::pair<std::string, const DefTabela& (*)()>> c = {
        {"Valores.DB", EsquemaValores},
        {"Indices.DB", EsquemaIndices},
        {"NomeIndice.db", EsquemaNomeIndice},
        {"Diario.DB", EsquemaDiario},
        {"NomeIndiceDiario.DB", EsquemaNomeIndiceDiario},
        {"Salario.DB", EsquemaSalario},
        {"NomeSalario.DB", EsquemaNomeSalario},
        {"VTransp.DB", EsquemaVTransp},
        {"NomeVTransp.DB", EsquemaNomeVTransp},
        {"UFIR.db", EsquemaUFIR},
        {"URV.db", EsquemaURV},
        {"PrevEmpregador.DB", EsquemaPrevidencia},
        {"PrevTerceiro.DB", EsquemaPrevidencia},
        {"PrevSAT.DB", EsquemaPrevidencia},
        {"FaixasINSS.DB", EsquemaFaixasINSS},
        {"FaixasIR.db", EsquemaFaixasIR},
        {"FeriadosPadrao.db", EsquemaFeriadosPadrao},
        {"TipoFeriado.DB", EsquemaTipoFeriado},
        {"DataBasePadrao.db", EsquemaDataBasePadrao},
        {"BasesIR.db", EsquemaBasesIR},
        {"Documento.db", EsquemaDocumento},
        {"TipoParte.db", EsquemaTipoParte},
    };
    return c;
}

}  // namespace

const std::vector<std::string>& TabelasCompartilhadas() {
    static const std::vector<std::string> nomes = [] {
        std::vector<std::string> r;
        for (const auto& [n, f] : Catalogo()) r.push_back(n);
        return r;
    }();
    return nomes;
}

const DefTabela* EsquemaCompartilhado(std::string_view nomeArquivo) {
    for (const auto& [n, f] : Catalogo()) {
        if (IguaisSemCaixa(n, nomeArquivo) || IguaisSemCaixa(std::filesystem::path(n).stem().string(), nomeArquivo))
            return &f();
    }
    return nullptr;
}

}  // namespace korva
