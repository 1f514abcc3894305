#include "storage/Esquemas.h"

#include <array>
#include <string>

#include "util/Erros.h"
#include "util/Texto.h"

namespace korva {

namespace {

constexpr bool Req = true;

// ---- calculation file set ----

DefTabela Arquivo1() {
    return {
        {
            CampoAutoinc("Codigo", Req),
            CampoSmallint("Item", Req),
            CampoSmallint("Mes1", Req),
            CampoSmallint("Ano1", Req),
            CampoSmallint("Mes2", Req),
            CampoSmallint("Ano2", Req),
            CampoFloat("Valor"),
            CampoFloat("Qtde"),
            CampoFloat("Indice"),
            CampoFloat("Divisor"),
            CampoSmallint("Base"),
            CampoString("VFM", 1, Req),
            CampoSmallint("ItemMedia"),
            CampoSmallint("MMes1"),
            CampoSmallint("MAno1"),
            CampoSmallint("MMes2"),
            CampoSmallint("MAno2"),
            CampoString("Diferenca", 1),
            CampoSmallint("CodDataBasePadrao", Req),
            CampoDate("DtBase"),
            CampoString("INSS", 1, Req),
        },
        {
            IndicePrimario({"Codigo"}),
            IndiceSecundario("IndAnoMesItem", {"Ano1", "Mes1", "Item"}),
            IndiceSecundario("IndItemAnoMes", {"Item", "Ano1", "Mes1"}),
        },
    };
}

DefTabela Arquivo2() {
    return {
        {
            CampoAutoinc("Codigo", Req),
            CampoSmallint("Item", Req),
            CampoSmallint("Mes", Req),
            CampoSmallint("Ano", Req),
            CampoFloat("Valor"),
            CampoFloat("Qtde"),
            CampoFloat("Indice"),
            CampoFloat("Divisor"),
            CampoSmallint("Base"),
            CampoString("VFM", 1, Req),
            CampoSmallint("ItemMedia"),
            CampoSmallint("MMes1"),
            CampoSmallint("MAno1"),
            CampoSmallint("MMes2"),
            CampoSmallint("MAno2"),
            CampoString("Diferenca", 1),
            CampoSmallint("CodDataBasePadrao", Req),
            CampoDate("DtBase", Req),
            CampoBoolean("Calculado", Req),
            CampoString("INSS", 1, Req),
        },
        {
            IndicePrimario({"Codigo"}),
            IndiceSecundario("IndAnoMesItem", {"Ano", "Mes", "Item"}),
            IndiceSecundario("IndItemAnoMes", {"Item", "Ano", "Mes"}),
        },
    };
}

DefTabela Partes() {
    return {
        {
            CampoAutoinc("Codigo", Req),
            CampoString("Nome", 50, Req),
            CampoSmallint("Dependentes", Req),
            CampoSmallint("TipoParte", Req),
            CampoInteger("Sequencial", Req),
            CampoSmallint("TipoDocumento", Req),
            CampoString("Documento", 18, Req),
        },
        {
            IndicePrimario({"Codigo"}),
            IndiceSecundario("IndParte", {"TipoParte", "Nome"}, false, true),
        },
    };
}

DefTabela BasesINSS() {
    return {
        {
            CampoAutoinc("Codigo", Req),
            CampoSmallint("Mes", Req),
            CampoSmallint("Ano", Req),
            CampoFloat("Valor", Req),
        },
        {
            IndicePrimario({"Codigo"}),
            IndiceSecundario("IndAnoMes", {"Ano", "Mes"}, true),
        },
    };
}

// Acrescimos (letter E) and DefAcrescimos.DB share fields and indexes.
DefTabela Acrescimos() {
    return {
        {
            CampoAutoinc("Codigo", Req),
            CampoString("Descricao", 35, Req),
            CampoFloat("Valor", Req),
            CampoString("Tipo", 1, Req),
            CampoDate("DtBase"),
            CampoFloat("LimMinimo", Req),
            CampoFloat("LimMaximo", Req),
        },
        {
            IndicePrimario({"Codigo"}),
            IndiceSecundario("IndDescricao", {"Descricao"}, false, true),
        },
    };
}

DefTabela Jornada() {
    DefTabela t{
        {
            CampoDate("Data1", Req),
            CampoDate("Data2", Req),
            CampoTime("JornDiaria", Req),
            CampoTime("JornSabado", Req),
            CampoTime("Intervalo", Req),
            CampoTime("HENot", Req),
            CampoTime("HSNot", Req),
            CampoSmallint("Turnos", Req),
            CampoString("Apuracao", 1, Req),
            CampoFloat("HorasSemanais", Req),
            CampoBoolean("HabilitarTolerancia", Req),
        },
        {
            IndicePrimario({"Data1"}, /*unico=*/false),
        },
    };
    for (const char* marca : {"HE1", "HS1", "HE2", "HS2", "HE3", "HS3", "HE4", "HS4"})
        for (const char* prefixo : {"Prev", "TolAnt", "TolDep"})
            t.campos.push_back(CampoTime(std::string(prefixo) + marca, Req));
    return t;
}

DefTabela Cartao() {
    return {
        {
            CampoDate("Data", Req),
            CampoTime("Ent1", Req),
            CampoTime("Sai1", Req),
            CampoTime("Ent2"),
            CampoTime("Sai2"),
            CampoTime("Ent3"),
            CampoTime("Sai3"),
            CampoTime("Ent4"),
            CampoTime("Sai4"),
            CampoString("Situacao", 1),
        },
        {
            IndicePrimario({"Data"}),
        },
    };
}

DefTabela Juros() {
    return {
        {
            CampoAutoinc("Codigo", Req),
            CampoDate("Data", Req),
            CampoFloat("Juros", Req),
            CampoString("Forma", 1, Req),
        },
        {
            IndicePrimario({"Codigo"}),
            IndiceSecundario("IndData", {"Data"}, true),
        },
    };
}

DefTabela BasesSalariais() {
    return {
        {
            CampoAutoinc("Codigo", Req),
            CampoSmallint("Mes", Req),
            CampoSmallint("Ano", Req),
            CampoString("Descricao", 30, Req),
            CampoFloat("Valor", Req),
        },
        {
            IndicePrimario({"Codigo"}),
            IndiceSecundario("IndAnoMes", {"Ano", "Mes"}),
        },
    };
}

// ---- fixed tables ----

DefTabela Processo() {
    return {
        {
            CampoString("Processo", 25, Req),
            CampoSmallint("CodRecte", Req),
            CampoDate("DtGrav", Req),
            CampoDate("DtAjuiz", Req),
            CampoDate("DtBase", Req),
            CampoFloat("Total", Req),
            CampoFloat("TotalGeral", Req),
            CampoFloat("FGTS", Req),
            CampoString("Calculista", 40, Req),
            CampoSmallint("Diretorio", Req),
            CampoAutoinc("Arquivo"),
            CampoFloat("INSSReclamante"),
            CampoFloat("INSSReclamado"),
            CampoFloat("INSSTerceiros"),
            CampoFloat("INSSRisco"),
            CampoBoolean("AliquotaUnica"),
            CampoFloat("TotalBaseINSS", Req),
            CampoInteger("IndPrincipal", Req),
            CampoInteger("IndFGTS", Req),
            CampoBoolean("IncidirJurosFGTS", Req),
            CampoBoolean("AtualizarBaseMedia", Req),
            CampoSmallint("DataBasePadrao", Req),
            CampoBoolean("AtualizaFeriadosNacionais", Req),
            CampoBoolean("AtualizaFeriadosEstaduais", Req),
            CampoInteger("AtualizaFeriadosMunic", Req),
            CampoInteger("Salario", Req),
            CampoInteger("ValeTransporte", Req),
            CampoFloat("ValorINSSReclamante", Req),
            CampoBoolean("AdicionarINSSRecte"),
            CampoSmallint("CalculoJuros", Req),
            CampoSmallint("OpcaoIR", Req),
            CampoBoolean("IRSobreJuros", Req),
            CampoFloat("TotalBaseIR13", Req),
            CampoFloat("TotalBaseIRFerias", Req),
            CampoFloat("TotalBaseIRDemais", Req),
            CampoMemo("ObsCalculo"),
            CampoMemo("ObsResumo"),
            CampoBoolean("AnularReflexoNegativo", Req),
            CampoFloat("ValorTotalIR"),
            CampoInteger("QtdeMesesComBaseIR"),
        },
        {
            IndicePrimario({"Processo", "CodRecte"}),
            IndiceSecundario("IndDtGrav", {"DtGrav"}, false, true),
            IndiceSecundario("IndDtAjuiz", {"DtAjuiz"}, false, true),
            IndiceSecundario("IndCalculista", {"Calculista"}, false, true),
        },
    };
}

// A single row of defaults: no index.
DefTabela DefProcesso() {
    return {
        {
            CampoString("Calculista", 40),
            CampoFloat("INSSReclamante"),
            CampoFloat("INSSReclamado"),
            CampoFloat("INSSTerceiros"),
            CampoFloat("INSSRisco"),
            CampoBoolean("AliquotaUnica"),
            CampoInteger("IndPrincipal"),
            CampoInteger("IndFGTS"),
            CampoBoolean("IncidirJurosFGTS"),
            CampoBoolean("AtualizarBaseMedia"),
            CampoSmallint("DataBasePadrao"),
            CampoBoolean("AtualizaFeriadosNacionais"),
            CampoBoolean("AtualizaFeriadosEstaduais"),
            CampoInteger("AtualizaFeriadosMunic"),
            CampoInteger("Salario"),
            CampoInteger("ValeTransporte"),
            CampoBoolean("AdicionarINSSRecte", Req),
            CampoSmallint("CalculoJuros", Req),
            CampoSmallint("OpcaoIR", Req),
            CampoBoolean("IRSobreJuros", Req),
            CampoBoolean("AnularReflexoNegativo", Req),
        },
        {},
    };
}

DefTabela Rendimen() {
    return {
        {
            CampoSmallint("Codigo", Req),
            CampoString("DescRend", 40, Req),
            CampoFloat("Qtde"),
            CampoFloat("Indice"),
            CampoFloat("Divisor"),
            CampoSmallint("Base"),
            CampoString("INSS", 1, Req),
            CampoInteger("IR", Req),
            CampoString("Tipo", 1, Req),
        },
        {
            IndicePrimario({"Codigo"}),
            IndiceSecundario("IndDescRend", {"DescRend"}, false, true),
        },
    };
}

// The repercussions of an item are read by Base; one row per (Base, Reflexo).
DefTabela Reflexos() {
    return {
        {
            CampoSmallint("Base", Req),
            CampoSmallint("Reflexo", Req),
            CampoFloat("Qtde", Req),
            CampoFloat("Indice", Req),
            CampoFloat("Divisor", Req),
        },
        {
            IndicePrimario({"Base", "Reflexo"}),
        },
    };
}

DefTabela Prorrata() {
    return {
        {
            CampoAutoinc("Codigo"),
            CampoString("Processo", 25, Req),
            CampoSmallint("CodRecte", Req),
            CampoDate("DtAjuiz", Req),
            CampoDate("DtBase", Req),
            CampoFloat("Valor", Req),
            CampoDate("DtFinal", Req),
            CampoString("Parte1", 45),
            CampoString("Parte2", 45),
            CampoBoolean("ComJuros", Req),
            CampoBoolean("JurosConstantes", Req),
            CampoFloat("ValorJuros", Req),
            CampoInteger("Indice", Req),
            CampoString("FormaAbatimento", 1, Req),
            CampoFloat("ValorFGTS", Req),
            CampoBoolean("CalcularJurosFGTS", Req),
            CampoMemo("ObsFinal"),
            CampoSmallint("UsarJurosPadrao", Req),
            CampoString("Obs", 255),
        },
        {
            IndicePrimario({"Codigo"}),
            IndiceSecundario("IndProcesso", {"Processo", "CodRecte"}, false, true),
        },
    };
}

// A single row of defaults: no index.
DefTabela DefProrrata() {
    return {
        {
            CampoBoolean("ComJuros", Req),
            CampoBoolean("JurosConstantes", Req),
            CampoFloat("ValorJuros"),
            CampoInteger("Indice", Req),
            CampoString("FormaAbatimento", 1, Req),
            CampoSmallint("UsarJurosPadrao", Req),
            CampoFloat("ValorFGTS"),
            CampoBoolean("CalcularJurosFGTS", Req),
            CampoMemo("ObsFinal"),
            CampoString("Obs", 255),
        },
        {},
    };
}

// Kept in (Prorrata, Data) order; two instalments may fall on the same day.
DefTabela Parcelas() {
    return {
        {
            CampoInteger("Prorrata", Req),
            CampoDate("Data", Req),
            CampoFloat("Valor", Req),
        },
        {
            IndicePrimario({"Prorrata", "Data"}, /*unico=*/false),
        },
    };
}

DefTabela JurosProrrata() {
    return {
        {
            CampoAutoinc("Codigo"),
            CampoInteger("Prorrata", Req),
            CampoDate("Data", Req),
            CampoFloat("Juros", Req),
            CampoString("Forma", 1, Req),
        },
        {
            IndicePrimario({"Codigo"}),
            IndiceSecundario("IndData", {"Prorrata", "Data"}, false, true),
        },
    };
}

DefTabela AcrescProrrata() {
    return {
        {
            CampoAutoinc("Codigo"),
            CampoInteger("Prorrata", Req),
            CampoString("Descricao", 35, Req),
            CampoFloat("Valor", Req),
            CampoString("Tipo", 1, Req),
            CampoDate("DtBase"),
            CampoBoolean("Totalizar", Req),
        },
        {
            IndicePrimario({"Codigo"}),
            IndiceSecundario("IndProrrata", {"Prorrata", "Codigo"}, false, true),
        },
    };
}

DefTabela DefAcrescProrrata() {
    return {
        {
            CampoAutoinc("Codigo"),
            CampoString("Descricao", 35, Req),
            CampoFloat("Valor", Req),
            CampoString("Tipo", 1, Req),
            CampoDate("DtBase"),
            CampoBoolean("Totalizar", Req),
        },
        {
            IndicePrimario({"Codigo"}),
        },
    };
}

// The INSS rates are copied from Processo.DB, where they may be empty (the
// claimant's rate is only entered with the single rate), so they are not
// required here: a lawsuit whose defaults leave a rate empty must still get
// its summary.
DefTabela Temp() {
    return {
        {
            CampoAutoinc("Codigo"),
            CampoSmallint("CodRecte"),
            CampoString("Nome", 50, Req),
            CampoFloat("ValorSemJuros"),
            CampoFloat("Valor", Req),
            CampoFloat("FGTS", Req),
            CampoFloat("TotalBaseINSS", Req),
            CampoFloat("INSSReclamante"),
            CampoFloat("INSSReclamado"),
            CampoFloat("INSSRisco"),
            CampoFloat("INSSTerceiros"),
            CampoBoolean("AliquotaUnica"),
            CampoFloat("ValorINSSReclamante", Req),
            CampoFloat("TotalBaseIR13", Req),
            CampoFloat("TotalBaseIRFerias", Req),
            CampoFloat("TotalBaseIRDemais", Req),
            CampoSmallint("QtdeDependentes", Req),
            CampoBoolean("IRSobreJuros", Req),
            CampoSmallint("OpcaoIR", Req),
            CampoInteger("QtdeMesesComBaseIR"),
        },
        {
            IndicePrimario({"Codigo"}),
        },
    };
}

void ExigeTipo(int tipo) {
    if (tipo < 0 || tipo >= QtdeTiposConjunto)
        throw ErroKorva("Tipo de tabela de cálculo inválido: " + std::to_string(tipo) + ".");
}

struct TabelaFixa {
    const char* arquivo;
    const DefTabela& (*esquema)();
};

const std::array<TabelaFixa, 11>& Fixas() {
    static const std::array<TabelaFixa, 11> fixas{{
        {"Processo.DB", EsquemaProcesso},
        {"DefProcesso.DB", EsquemaDefProcesso},
        {"DefAcrescimos.DB", EsquemaDefAcrescimos},
        {"Rendimen.DB", EsquemaRendimen},
        {"Reflexos.DB", EsquemaReflexos},
        {"Prorrata.db", EsquemaProrrata},
        {"DefProrrata.db", EsquemaDefProrrata},
        {"Parcelas.DB", EsquemaParcelas},
        {"JurosProrrata.db", EsquemaJurosProrrata},
        {"AcrescProrrata.DB", EsquemaAcrescProrrata},
        {"DefAcrescProrrata.DB", EsquemaDefAcrescProrrata},
    }};
    return fixas;
}

}  // namespace

const DefTabela& ReceitaConjunto(int tipo) {
    ExigeTipo(tipo);
    static const std::array<DefTabela, QtdeTiposConjunto> receitas{
        Arquivo1(), Arquivo2(), Partes(), BasesINSS(), Acrescimos(),
        Jornada(), Cartao(), Juros(), BasesSalariais(),
    };
    return receitas[static_cast<size_t>(tipo)];
}

char LetraDoTipo(int tipo) {
    ExigeTipo(tipo);
    return static_cast<char>('A' + tipo);
}

int TipoDaLetra(char letra) {
    if (letra >= 'a' && letra <= 'z') letra = static_cast<char>(letra - 'a' + 'A');
    if (letra < 'A' || letra >= 'A' + QtdeTiposConjunto) return -1;
    return letra - 'A';
}

const DefTabela& EsquemaProcesso() { static const DefTabela t = Processo(); return t; }
const DefTabela& EsquemaDefProcesso() { static const DefTabela t = DefProcesso(); return t; }
const DefTabela& EsquemaDefAcrescimos() { static const DefTabela t = Acrescimos(); return t; }
const DefTabela& EsquemaRendimen() { static const DefTabela t = Rendimen(); return t; }
const DefTabela& EsquemaReflexos() { static const DefTabela t = Reflexos(); return t; }
const DefTabela& EsquemaProrrata() { static const DefTabela t = Prorrata(); return t; }
const DefTabela& EsquemaDefProrrata() { static const DefTabela t = DefProrrata(); return t; }
const DefTabela& EsquemaParcelas() { static const DefTabela t = Parcelas(); return t; }
const DefTabela& EsquemaJurosProrrata() { static const DefTabela t = JurosProrrata(); return t; }
const DefTabela& EsquemaAcrescProrrata() { static const DefTabela t = AcrescProrrata(); return t; }
const DefTabela& EsquemaDefAcrescProrrata() { static const DefTabela t = DefAcrescProrrata(); return t; }
const DefTabela& EsquemaTemp() { static const DefTabela t = Temp(); return t; }

const std::vector<std::string>& TabelasFixasPrivadas() {
    static const std::vector<std::string> nomes = [] {
        std::vector<std::string> v;
        for (const auto& f : Fixas()) v.emplace_back(f.arquivo);
        return v;
    }();
    return nomes;
}

const DefTabela* EsquemaFixoPrivado(std::string_view nomeArquivo) {
    const bool semExtensao = nomeArquivo.find('.') == std::string_view::npos;
    for (const auto& f : Fixas()) {
        std::string_view arquivo = f.arquivo;
        if (semExtensao) arquivo = arquivo.substr(0, arquivo.find('.'));
        if (IguaisSemCaixa(arquivo, nomeArquivo)) return &f.esquema();
    }
    return nullptr;
}

}  // namespace korva
