// The court-payments document: reading through the mapping (defaults of
// absent elements, encodings, refusals that name the REGISTRO and element),
// the all-or-nothing import through the rules of a new record, and the two
// transformation files.
#include <gtest/gtest.h>

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <string>
#include <vector>

#include "BaseProrrata.h"
#include "apoio/Arquivos.h"
#include "prorata/PrecatoriosXml.h"
#include "prorata/TransformacoesXml.h"
#include "util/Erros.h"
#include "util/Texto.h"

namespace korva::teste {
namespace {

namespace fs = std::filesystem;

// One REGISTRO with every required element; `extra` goes in after them.
std::string Registro(const std::string& processo, const std::string& extra = "",
                     const std::string& valor = "1500.50") {
    return "<REGISTRO><PROCESSO>" + processo + "</PROCESSO><CODRECTE>1</CODRECTE><DTAJUIZ>10/1/2019</DTAJUIZ>"
           "<DTBASE>31/5/2021</DTBASE><VALOR>" + valor + "</VALOR><DTFINAL>30/04/2024</DTFINAL>" + extra +
           "</REGISTRO>\n";
}

std::string Documento(const std::string& registros, const std::string& codificacao = "ISO-8859-1") {
    return "<?xml version=\"1.0\" encoding=\"" + codificacao + "\"?>\n<PRCT01>\n" + registros + "</PRCT01>\n";
}

// The text in ISO-8859-1 bytes, as the payments program writes it.
std::string Latin1(const std::string& utf8) {
    std::string s;
    for (char32_t c : ParaU32(utf8)) s += static_cast<char>(c);
    return s;
}

struct Precatorios : BaseProrrata {
    fs::path doc() const { return pasta.caminho() / kArquivoPrecatorios; }
    void grava(const std::string& bytes) const { GravaArquivo(doc(), bytes); }

    std::vector<int> importa() { return ImportaPrecatorios(banco, ajustes, doc(), Hoje); }
    // The message of a refused import.
    std::string recusa() {
        try {
            importa();
        } catch (const ErroKorva& e) {
            return e.what();
        }
        ADD_FAILURE() << "import accepted";
        return "";
    }
    int quantas(const char* tabela) {
        Tabela t(banco, tabela);
        t.abre(ModoAbertura::SomenteLeitura);
        return t.quantidade();
    }
    // The stored record `codigo`, positioned.
    std::unique_ptr<Tabela> registro(int codigo) {
        auto t = std::make_unique<Tabela>(banco, kTabelaProrrata);
        t->abre(ModoAbertura::SomenteLeitura);
        EXPECT_TRUE(t->localiza({"Codigo"}, {Valor(codigo)}));
        return t;
    }
};

TEST_F(Precatorios, ThreeRecordsWithDefaultsOfAbsentElementsAndDefaultAdditions) {
    grava(Latin1(Documento(
        Registro("0001111-11.2019.5.02.0001",
                 "<PARTE1>Ana Souza</PARTE1><PARTE2>Beta S.A.</PARTE2><OBS>Precatório 17/2021</OBS>"
                 "<COMJUROS>FALSE</COMJUROS><JUROSCONSTANTES>false</JUROSCONSTANTES>"
                 "<USARJURUSPADRAO>FALSE</USARJURUSPADRAO><VALORJUROS>321.5</VALORJUROS><INDICE>3</INDICE>"
                 "<FORMAABATIMENTO>p</FORMAABATIMENTO><OUTRO>ignored</OUTRO>") +
        // Nothing but the required elements: the mapping's defaults.
        Registro("0002222-22.2019.5.02.0001") +
        // Empty elements count as absent; 1/0 flags and a decimal comma.
        Registro("0003333-33.2019.5.02.0001", "<INDICE/><FORMAABATIMENTO></FORMAABATIMENTO><COMJUROS>1</COMJUROS>"
                                              "<JUROSCONSTANTES>0</JUROSCONSTANTES><OBS>  </OBS>",
                 "99,99"))));
    const std::vector<int> codigos = importa();
    ASSERT_EQ(codigos.size(), 3u);
    EXPECT_EQ(quantas(kTabelaProrrata), 3);
    for (int c : codigos) EXPECT_EQ(linhasDe(kTabelaAcrescProrrata, c), 2) << c;

    auto t = registro(codigos[0]);
    EXPECT_EQ(t->valor("Processo").comoTexto(), "0001111-11.2019.5.02.0001");
    EXPECT_EQ(t->valor("CodRecte").comoInteiro(), 1);
    EXPECT_EQ(t->valor("DtAjuiz").comoData(), Data::de(2019, 1, 10));
    EXPECT_EQ(t->valor("DtBase").comoData(), Data::de(2021, 5, 31));
    EXPECT_DOUBLE_EQ(t->valor("Valor").comoNumero(), 1500.5);
    EXPECT_EQ(t->valor("DtFinal").comoData(), Data::de(2024, 4, 30));
    EXPECT_EQ(t->valor("Parte1").comoTexto(), "Ana Souza");
    EXPECT_EQ(t->valor("Parte2").comoTexto(), "Beta S.A.");
    EXPECT_EQ(t->valor("Obs").comoTexto(), "Precatório 17/2021");
    EXPECT_FALSE(t->valor("ComJuros").comoLogico());
    EXPECT_FALSE(t->valor("JurosConstantes").comoLogico());
    EXPECT_DOUBLE_EQ(t->valor("ValorJuros").comoNumero(), 321.5);
    EXPECT_EQ(t->valor("Indice").comoInteiro(), 3);
    EXPECT_EQ(t->valor("FormaAbatimento").comoTexto(), "P");
    // The interest mode is the defaults row's, whatever the flag says.
    EXPECT_EQ(t->valor("UsarJurosPadrao").comoInteiro(), 1);
    // Not in the packet: the values of a new record.
    EXPECT_DOUBLE_EQ(t->valor("ValorFGTS").comoNumero(), 0.0);
    EXPECT_TRUE(t->valor("CalcularJurosFGTS").comoLogico());
    EXPECT_EQ(t->valor("ObsFinal").comoTexto(), "Valores sujeitos a revisão");

    for (int c : {codigos[1], codigos[2]}) {
        t = registro(c);
        EXPECT_EQ(t->valor("Indice").comoInteiro(), 1) << c;                 // not the defaults row's 4
        EXPECT_EQ(t->valor("FormaAbatimento").comoTexto(), "J") << c;        // not its "P"
        EXPECT_DOUBLE_EQ(t->valor("ValorJuros").comoNumero(), 0.0) << c;
        EXPECT_EQ(t->valor("UsarJurosPadrao").comoInteiro(), 1) << c;
        EXPECT_EQ(t->valor("Obs").comoTexto(), "Atualização conforme sentença") << c;  // empty OBS keeps it
        EXPECT_TRUE(t->valor("Parte1").nulo()) << c;
    }
    t = registro(codigos[1]);
    EXPECT_TRUE(t->valor("ComJuros").comoLogico());
    EXPECT_TRUE(t->valor("JurosConstantes").comoLogico());
    t = registro(codigos[2]);
    EXPECT_TRUE(t->valor("ComJuros").comoLogico());
    EXPECT_FALSE(t->valor("JurosConstantes").comoLogico());
    EXPECT_DOUBLE_EQ(t->valor("Valor").comoNumero(), 99.99);

    // A second import adds new records; nothing is matched with the first.
    EXPECT_EQ(importa().size(), 3u);
    EXPECT_EQ(quantas(kTabelaProrrata), 6);
}

// A fault in the fifth REGISTRO: nothing of the four before it is stored,
// and the message names the fifth record, its lawsuit and the element.
TEST_F(Precatorios, FaultInFifthRecordStoresNothingAndNamesIt) {
    struct Caso {
        std::string extra;
        const char* valor;
        const char* elemento;
    };
    const std::string obs31(31, 'x');
    const std::vector<Caso> casos = {
        {"", "12,3x", "VALOR"},                                         // not a number
        {"", "1.500,00", "VALOR"},                                      // thousands separator: not guessed
        {"", "", "VALOR"},                                              // required, empty
        {"<FORMAABATIMENTO>X</FORMAABATIMENTO>", "1", "FORMAABATIMENTO"},  // refused by the record's rule
        {"<COMJUROS>sim</COMJUROS>", "1", "COMJUROS"},
        {"<INDICE>um</INDICE>", "1", "INDICE"},
        {"<OBS>" + obs31 + "</OBS>", "1", "OBS"},             // the packet's width is 30
        {"<CODRECTE>2</CODRECTE>", "1", "CODRECTE"},                    // twice
    };
    for (const Caso& caso : casos) {
        std::string registros;
        for (int i = 1; i <= 4; ++i) registros += Registro("000000" + std::to_string(i) + "-11.2019.5.02.0001");
        registros += Registro("0005555-55.2019.5.02.0005", caso.extra, caso.valor);
        registros += Registro("0006666-66.2019.5.02.0001");
        grava(Documento(registros));
        const std::string m = recusa();
        EXPECT_NE(m.find("REGISTRO 5 (processo 0005555-55.2019.5.02.0005)"), std::string::npos) << m;
        EXPECT_NE(m.find(std::string("elemento ") + caso.elemento), std::string::npos) << m;
        EXPECT_NE(m.find("Nenhum registro foi importado."), std::string::npos) << m;
        EXPECT_EQ(quantas(kTabelaProrrata), 0) << m;
        EXPECT_EQ(quantas(kTabelaAcrescProrrata), 0) << m;
    }

    // Faults found only when converting or storing.
    std::string registros;
    for (int i = 1; i <= 4; ++i) registros += Registro("000000" + std::to_string(i) + "-11.2019.5.02.0001");
    std::string quinto = Registro("0005555-55.2019.5.02.0005");
    quinto.replace(quinto.find("30/04/2024"), 10, "31/02/2024");
    grava(Documento(registros + quinto));
    std::string m = recusa();
    EXPECT_NE(m.find("REGISTRO 5 (processo 0005555-55.2019.5.02.0005), elemento DTFINAL"), std::string::npos) << m;
    EXPECT_EQ(quantas(kTabelaProrrata), 0);

    // The store itself can still be used afterwards.
    grava(Documento(registros));
    EXPECT_EQ(importa().size(), 4u);
}

TEST_F(Precatorios, AccentedNamesInEveryEncoding) {
    const std::string nomes = "<PARTE1>João da Conceição</PARTE1><PARTE2>Indústria Ações Ltda</PARTE2>";
    // Declared ISO-8859-1, as the payments program writes it (bytes in Latin-1).
    const std::string latin1 = Latin1(Documento(Registro("0001111-11.2019.5.02.0001", nomes)));
    ASSERT_NE(latin1.find("Jo\xE3o"), std::string::npos) << "test document is not Latin-1";
    grava(latin1);
    int c = importa().at(0);
    EXPECT_EQ(registro(c)->valor("Parte1").comoTexto(), "João da Conceição");
    EXPECT_EQ(registro(c)->valor("Parte2").comoTexto(), "Indústria Ações Ltda");

    // Declared UTF-8.
    grava(Documento(Registro("0001111-11.2019.5.02.0001", nomes), "UTF-8"));
    c = importa().at(0);
    EXPECT_EQ(registro(c)->valor("Parte1").comoTexto(), "João da Conceição");

    // No declaration and not UTF-8: Windows-1252, the en dash (0x96) included;
    // under an ISO-8859-1 label the same byte is read as the dash too.
    const std::string semDeclaracao = "<PRCT01>" +
        Registro("0001111-11.2019.5.02.0001", "<PARTE1>Jo\xE3o \x96 Concei\xE7\xE3o</PARTE1>") + "</PRCT01>";
    grava(semDeclaracao);
    c = importa().at(0);
    EXPECT_EQ(registro(c)->valor("Parte1").comoTexto(), "João – Conceição");
    grava("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>" + semDeclaracao);
    c = importa().at(0);
    EXPECT_EQ(registro(c)->valor("Parte1").comoTexto(), "João – Conceição");
}

TEST_F(Precatorios, DocumentsThatDoNotFitTheMapping) {
    auto falha = [&](const std::string& bytes) {
        grava(bytes);
        const std::string m = recusa();
        EXPECT_EQ(quantas(kTabelaProrrata), 0) << m;
        return m;
    };
    fs::remove(doc());
    EXPECT_NE(recusa().find("Arquivo de precatórios não encontrado"), std::string::npos);

    std::string m = falha("<?xml version=\"1.0\"?>\n<PRCT01>\n<REGISTRO><PROCESSO>1</PROCESSO>\n</PRCT01>\n");
    EXPECT_NE(m.find("não é um documento XML válido (erro na linha 4"), std::string::npos) << m;
    EXPECT_NE(falha("").find("não é um documento XML válido"), std::string::npos);

    m = falha("<DATAPACKET>" + Registro("0001111-11.2019.5.02.0001") + "</DATAPACKET>");
    EXPECT_NE(m.find("o elemento principal deveria ser PRCT01, e é DATAPACKET"), std::string::npos) << m;

    m = falha(Documento(""));
    EXPECT_NE(m.find("não contém nenhum REGISTRO"), std::string::npos) << m;

    // Read errors name the record even without a lawsuit number.
    m = falha(Documento(Registro("0001111-11.2019.5.02.0001") + "<REGISTRO><VALOR>x</VALOR></REGISTRO>"));
    EXPECT_NE(m.find("REGISTRO 2, elemento VALOR: 'x' não é um número válido."), std::string::npos) << m;
    m = falha(Documento(Registro("0001111-11.2019.5.02.0001", "", "1.5.0")));
    EXPECT_NE(m.find("REGISTRO 1 (processo 0001111-11.2019.5.02.0001), elemento VALOR"), std::string::npos) << m;

    // Dates are d/M/yyyy: a two-digit year or a month 13 is refused.
    for (const char* data : {"10/1/19", "10/13/2019", "2019-01-10", "32/1/2019"}) {
        std::string r = Registro("0001111-11.2019.5.02.0001");
        r.replace(r.find("10/1/2019"), 9, data);
        m = falha(Documento(r));
        EXPECT_NE(m.find("elemento DTAJUIZ"), std::string::npos) << data << ": " << m;
    }
    std::string r = Registro("0001111-11.2019.5.02.0001");
    r.replace(r.find("<CODRECTE>1<"), 12, "<CODRECTE>40000<");
    EXPECT_NE(falha(Documento(r)).find("elemento CODRECTE: o número 40000 está fora do intervalo"), std::string::npos);
}

TEST_F(Precatorios, EntitiesAreNeitherLoadedNorExpanded) {
    GravaArquivo(pasta.caminho() / "segredo.txt", "conteudo-secreto");
    const std::string externa = "<?xml version=\"1.0\"?>\n<!DOCTYPE PRCT01 [<!ENTITY s SYSTEM \"" +
                                (pasta.caminho() / "segredo.txt").string() + "\">]>\n<PRCT01>" +
                                Registro("0001111-11.2019.5.02.0001", "<PARTE1>&s;</PARTE1>") + "</PRCT01>";
    grava(externa);
    std::string m = recusa();
    EXPECT_NE(m.find("elemento PARTE1: referências a entidades não são aceitas"), std::string::npos) << m;
    EXPECT_EQ(m.find("conteudo-secreto"), std::string::npos);

    // Nested entities that would swell to a billion characters if expanded.
    std::string bomba = "<?xml version=\"1.0\"?>\n<!DOCTYPE PRCT01 [<!ENTITY a \"aaaaaaaaaa\">";
    for (char c = 'b'; c <= 'j'; ++c) {
        bomba += std::string("<!ENTITY ") + c + " \"";
        for (int i = 0; i < 10; ++i) bomba += std::string("&") + static_cast<char>(c - 1) + ";";
        bomba += "\">";
    }
    bomba += "]>\n<PRCT01>" + Registro("0001111-11.2019.5.02.0001", "<OBS>&j;</OBS>") + "</PRCT01>";
    grava(bomba);
    m = recusa();
    EXPECT_TRUE(m.find("referências a entidades não são aceitas") != std::string::npos ||
                m.find("não é um documento XML válido") != std::string::npos)
        << m;
    EXPECT_EQ(quantas(kTabelaProrrata), 0);

    // The predefined entities and character references are plain text.
    grava(Documento(Registro("0001111-11.2019.5.02.0001", "<PARTE2>Souza &amp; Filhos &#8211; &#xE7;</PARTE2>")));
    const int c = importa().at(0);
    EXPECT_EQ(registro(c)->valor("Parte2").comoTexto(), "Souza & Filhos – ç");
}

// ---- the transformation files ----

// The Select elements of a written file: (dest, from, Format_Date, value).
std::vector<std::vector<std::string>> Selects(const fs::path& arquivo, std::string& direcao) {
    xmlDocPtr d = xmlReadFile(arquivo.c_str(), nullptr, XML_PARSE_NONET);
    EXPECT_NE(d, nullptr) << arquivo;
    std::vector<std::vector<std::string>> s;
    if (!d) return s;
    auto atributo = [](xmlNodePtr n, const char* a) {
        xmlChar* v = xmlGetProp(n, reinterpret_cast<const xmlChar*>(a));
        std::string r = v ? reinterpret_cast<const char*>(v) : "";
        xmlFree(v);
        return r;
    };
    xmlNodePtr raiz = xmlDocGetRootElement(d);
    EXPECT_STREQ(reinterpret_cast<const char*>(raiz->name), "XmlTransformation");
    EXPECT_EQ(atributo(raiz, "Version"), "1.0");
    std::vector<std::string> partes;
    for (xmlNodePtr p = raiz->children; p; p = p->next) {
        if (p->type != XML_ELEMENT_NODE) continue;
        partes.push_back(reinterpret_cast<const char*>(p->name));
        if (partes.back() == "Transform") {
            direcao = atributo(p, "Direction");
            EXPECT_EQ(atributo(p, "DataEncoding"), "ISO-8859-1");
            for (xmlNodePtr e = p->children; e; e = e->next) {
                if (e->type != XML_ELEMENT_NODE) continue;
                s.push_back({"SelectEach", atributo(e, "dest"), atributo(e, "from")});
                for (xmlNodePtr f = e->children; f; f = f->next)
                    if (f->type == XML_ELEMENT_NODE)
                        s.push_back({atributo(f, "dest"), atributo(f, "from"), atributo(f, "Format_Date"),
                                     atributo(f, "value")});
            }
        }
        if (partes.back() == "XmlSchema") {
            EXPECT_EQ(atributo(p, "RootName"), "PRCT01");
        }
    }
    EXPECT_EQ(partes, (std::vector<std::string>{"Transform", "XmlSchema", "CdsSkeleton", "XslTransform", "Skeleton"}));
    xmlFreeDoc(d);
    return s;
}

TEST_F(Precatorios, TransformationFilesDescribeTheMapping) {
    const auto gravados = GaranteTransformacoes(pasta.caminho());
    ASSERT_EQ(gravados.size(), 2u);
    std::string direcao;
    auto s = Selects(pasta.caminho() / kTransformacaoParaPacote, direcao);
    EXPECT_EQ(direcao, "ToCds");
    ASSERT_EQ(s.size(), 16u);
    EXPECT_EQ(s[0], (std::vector<std::string>{"SelectEach", "DATAPACKET\\ROWDATA\\ROW", "\\PRCT01\\REGISTRO"}));
    EXPECT_EQ(s[1], (std::vector<std::string>{"@PROCESSO", "\\PROCESSO", "", ""}));
    EXPECT_EQ(s[3], (std::vector<std::string>{"@DTAJUIZ", "\\DTAJUIZ", "d/M/yyyy", ""}));
    EXPECT_EQ(s[4][2], "d/M/yyyy");
    EXPECT_EQ(s[10], (std::vector<std::string>{"@COMJUROS", "\\COMJUROS", "", "TRUE"}));
    EXPECT_EQ(s[14], (std::vector<std::string>{"@INDICE", "\\INDICE", "", "1"}));
    EXPECT_EQ(s[15], (std::vector<std::string>{"@FORMAABATIMENTO", "\\FORMAABATIMENTO", "", "J"}));
    int comPadrao = 0;
    for (size_t i = 1; i < s.size(); ++i) comPadrao += !s[i][3].empty();
    EXPECT_EQ(comPadrao, 6);

    s = Selects(pasta.caminho() / kTransformacaoParaXml, direcao);
    EXPECT_EQ(direcao, "ToXml");
    ASSERT_EQ(s.size(), 16u);
    EXPECT_EQ(s[0], (std::vector<std::string>{"SelectEach", "\\PRCT01\\REGISTRO", "DATAPACKET\\ROWDATA\\ROW"}));
    EXPECT_EQ(s[12], (std::vector<std::string>{"\\USARJURUSPADRAO", "@USARJURUSPADRAO", "", "TRUE"}));

    // The packet's field list, with the widths of the text fields.
    const std::string texto = LeArquivo(pasta.caminho() / kTransformacaoParaPacote);
    EXPECT_NE(texto.find("<DATAPACKET Version=\"2.0\">"), std::string::npos);
    EXPECT_NE(texto.find("<FIELD attrname=\"OBS\" fieldtype=\"string\" WIDTH=\"30\"/>"), std::string::npos);
    EXPECT_NE(texto.find("<FIELD attrname=\"CODRECTE\" fieldtype=\"i2\"/>"), std::string::npos);
    EXPECT_NE(texto.find("<FIELD attrname=\"INDICE\" fieldtype=\"i4\"/>"), std::string::npos);
}

TEST_F(Precatorios, ExistingTransformationFilesAreNeverOverwritten) {
    // An edited file stays; a file named in other letter case counts.
    GravaArquivo(pasta.caminho() / "xmltodp.XTR", "<editado/>");
    auto gravados = GaranteTransformacoes(pasta.caminho());
    ASSERT_EQ(gravados.size(), 1u);
    EXPECT_EQ(gravados[0].filename(), kTransformacaoParaXml);
    EXPECT_EQ(LeArquivo(pasta.caminho() / "xmltodp.XTR"), "<editado/>");
    EXPECT_FALSE(fs::exists(pasta.caminho() / kTransformacaoParaPacote));

    GravaArquivo(pasta.caminho() / kTransformacaoParaXml, "");  // even an empty one
    EXPECT_TRUE(GaranteTransformacoes(pasta.caminho()).empty());
    EXPECT_EQ(LeArquivo(pasta.caminho() / kTransformacaoParaXml), "");

    // Deleted: written again. No temporary file is left behind.
    fs::remove(pasta.caminho() / "xmltodp.XTR");
    gravados = GaranteTransformacoes(pasta.caminho());
    ASSERT_EQ(gravados.size(), 1u);
    EXPECT_EQ(LeArquivo(gravados[0]), TextoTransformacao(DirecaoTransformacao::ParaPacote));
    int arquivos = 0;
    for (const auto& e : fs::directory_iterator(pasta.caminho()))
        arquivos += e.path().extension() == ".xtr" || e.path().filename().string().find(".xtr.") != std::string::npos;
    EXPECT_EQ(arquivos, 2);

    EXPECT_THROW(GaranteTransformacoes(pasta.caminho() / "nao-existe"), ErroES);
}

}  // namespace
}  // namespace korva::teste
