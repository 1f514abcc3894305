#pragma once
// The fixed mapping between the court-payments document (root PRCT01, one
// REGISTRO per record) and the flat packet of fifteen fields it is read
// into, and the two transformation files that describe it on disk. The
// reader of the document uses this table directly; the files only keep a
// copy of it for the payments program's side.
#include <span>
#include <string>

namespace korva {

enum class TipoPacote { Texto, Inteiro16, Inteiro32, Data, Real, Logico };

struct CampoPacote {
    const char* nome;      // element of REGISTRO and field of the packet
    TipoPacote tipo;
    int largura;           // characters of a text field; 0 otherwise
    const char* padrao;    // value of an absent element; nullptr when none
    const char* formato;   // how a date is written in the document; nullptr otherwise
};

// The fifteen fields, in the packet's order.
std::span<const CampoPacote> CamposPacote();
const CampoPacote* CampoPacotePorNome(const std::string& nome);

enum class DirecaoTransformacao { ParaPacote, ParaXml };

// The whole text of XMLToDP.xtr (ParaPacote, direction "ToCds") or
// DPToXML.xtr (ParaXml, direction "ToXml").
std::string TextoTransformacao(DirecaoTransformacao direcao);

}  // namespace korva
