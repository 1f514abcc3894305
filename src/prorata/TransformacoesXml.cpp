#include "prorata/TransformacoesXml.h"

#include <array>

namespace korva {
namespace {

constexpr std::array<CampoPacote, 15> Campos = {{
    {"PROCESSO", TipoPacote::Texto, 25, nullptr, nullptr},
    {"CODRECTE", TipoPacote::Inteiro16, 0, nullptr, nullptr},
    {"DTAJUIZ", TipoPacote::Data, 0, nullptr, "d/M/yyyy"},
    {"DTBASE", TipoPacote::Data, 0, nullptr, "d/M/yyyy"},
    {"VALOR", TipoPacote::Real, 0, nullptr, nullptr},
    {"DTFINAL", TipoPacote::Texto, 10, nullptr, nullptr},
    {"PARTE1", TipoPacote::Texto, 45, nullptr, nullptr},
    {"PARTE2", TipoPacote::Texto, 45, nullptr, nullptr},
    {"OBS", TipoPacote::Texto, 30, nullptr, nullptr},
    {"COMJUROS", TipoPacote::Logico, 0, "TRUE", nullptr},
    {"JUROSCONSTANTES", TipoPacote::Logico, 0, "TRUE", nullptr},
    {"USARJURUSPADRAO", TipoPacote::Logico, 0, "TRUE", nullptr},
    {"VALORJUROS", TipoPacote::Real, 0, "0", nullptr},
    {"INDICE", TipoPacote::Inteiro32, 0, "1", nullptr},
    {"FORMAABATIMENTO", TipoPacote::Texto, 1, "J", nullptr},
}};

// The elements every REGISTRO is expected to hold; the others may be left out.
bool Obrigatorio(const CampoPacote& c) {
    if (c.padrao) return false;
    const std::string n = c.nome;
    return n != "PARTE1" && n != "PARTE2" && n != "OBS";
}

const char* TipoEsquema(TipoPacote t) {
    switch (t) {
        case TipoPacote::Texto: return "xs:string";
        case TipoPacote::Inteiro16: return "xs:short";
        case TipoPacote::Inteiro32: return "xs:int";
        case TipoPacote::Data: return "xs:date";
        case TipoPacote::Real: return "xs:float";
        case TipoPacote::Logico: return "xs:boolean";
    }
    return "xs:string";
}

const char* TipoCampoPacote(TipoPacote t) {
    switch (t) {
        case TipoPacote::Texto: return "string";
        case TipoPacote::Inteiro16: return "i2";
        case TipoPacote::Inteiro32: return "i4";
        case TipoPacote::Data: return "date";
        case TipoPacote::Real: return "r8";
        case TipoPacote::Logico: return "boolean";
    }
    return "string";
}

std::string Transform(DirecaoTransformacao d) {
    const bool paraPacote = d == DirecaoTransformacao::ParaPacote;
    const std::string linhas = "DATAPACKET\\ROWDATA\\ROW";
    const std::string registros = "\\PRCT01\\REGISTRO";
    std::string s = std::string("  <Transform Direction=\"") + (paraPacote ? "ToCds" : "ToXml") +
                    "\" DataEncoding=\"ISO-8859-1\">\n";
    s += "    <SelectEach dest=\"" + (paraPacote ? linhas : registros) + "\" from=\"" +
         (paraPacote ? registros : linhas) + "\">\n";
    for (const CampoPacote& c : Campos) {
        const std::string atributo = std::string("@") + c.nome;
        const std::string elemento = std::string("\\") + c.nome;
        s += "      <Select dest=\"" + (paraPacote ? atributo : elemento) + "\" from=\"" +
             (paraPacote ? elemento : atributo) + "\"";
        if (c.formato) s += std::string(" Format_Date=\"") + c.formato + "\"";
        if (c.padrao) s += std::string(" value=\"") + c.padrao + "\"";
        s += "/>\n";
    }
    s += "    </SelectEach>\n  </Transform>\n";
    return s;
}

std::string Esquema() {
    std::string s = "  <XmlSchema RootName=\"PRCT01\"><![CDATA[\n";
    s += "<xs:schema xmlns:xs=\"http://www.w3.org/2001/XMLSchema\">\n";
    s += "  <xs:element name=\"PRCT01\" type=\"PRCT01Type\"/>\n";
    s += "  <xs:complexType name=\"PRCT01Type\">\n    <xs:sequence>\n";
    s += "      <xs:element name=\"REGISTRO\" type=\"REGISTROType\" minOccurs=\"0\" maxOccurs=\"unbounded\"/>\n";
    s += "    </xs:sequence>\n  </xs:complexType>\n";
    s += "  <xs:complexType name=\"REGISTROType\">\n    <xs:sequence>\n";
    for (const CampoPacote& c : Campos) {
        s += std::string("      <xs:element name=\"") + c.nome + "\" type=\"" + TipoEsquema(c.tipo) + "\"";
        if (!Obrigatorio(c)) s += " minOccurs=\"0\"";
        if (c.padrao) s += std::string(" default=\"") + c.padrao + "\"";
        s += "/>\n";
    }
    s += "    </xs:sequence>\n  </xs:complexType>\n</xs:schema>\n]]></XmlSchema>\n";
    return s;
}

std::string Esqueleto() {
    std::string s = "  <Skeleton><![CDATA[<?xml version=\"1.0\" standalone=\"yes\"?>";
    s += "<DATAPACKET Version=\"2.0\"><METADATA><FIELDS>";
    for (const CampoPacote& c : Campos) {
        s += std::string("<FIELD attrname=\"") + c.nome + "\" fieldtype=\"" + TipoCampoPacote(c.tipo) + "\"";
        if (c.tipo == TipoPacote::Texto) s += " WIDTH=\"" + std::to_string(c.largura) + "\"";
        s += "/>";
    }
    s += "</FIELDS><PARAMS/></METADATA><ROWDATA></ROWDATA></DATAPACKET>]]></Skeleton>\n";
    return s;
}

}  // namespace

std::span<const CampoPacote> CamposPacote() { return Campos; }

const CampoPacote* CampoPacotePorNome(const std::string& nome) {
    for (const CampoPacote& c : Campos)
        if (nome == c.nome) return &c;
    return nullptr;
}

std::string TextoTransformacao(DirecaoTransformacao direcao) {
    std::string s = "<XmlTransformation Version=\"1.0\">\n";
    s += Transform(direcao);
    s += Esquema();
    s += "  <CdsSkeleton/>\n  <XslTransform/>\n";
    s += Esqueleto();
    s += "</XmlTransformation>\n";
    return s;
}

}  // namespace korva
