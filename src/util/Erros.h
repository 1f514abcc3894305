#pragma once
// The kinds of error the program raises. Every failure carries a Portuguese
// text; the application-wide handler decides how each kind is shown.
#include <stdexcept>
#include <string>

namespace korva {

// Any other error: the program's own checks. Shown with its own text.
class ErroKorva : public std::runtime_error {
public:
    explicit ErroKorva(const std::string& texto) : std::runtime_error(texto) {}
    virtual const char* nomeClasse() const { return "ErroKorva"; }
};

// Error of the table store, carrying the engine code of its first entry
// (numbered as the error-translation tables expect, category in the high byte).
class ErroBanco : public ErroKorva {
public:
    ErroBanco(int codigo, const std::string& texto) : ErroKorva(texto), codigo_(codigo) {}
    int codigo() const { return codigo_; }
    const char* nomeClasse() const override { return "ErroBanco"; }
private:
    int codigo_;
};

// Other data-layer error (for example a field that rejects its value).
class ErroDados : public ErroKorva {
public:
    using ErroKorva::ErroKorva;
    const char* nomeClasse() const override { return "ErroDados"; }
};

// An entry whose text does not fit its edit mask.
class ErroMascara : public ErroKorva {
public:
    using ErroKorva::ErroKorva;
    const char* nomeClasse() const override { return "ErroMascara"; }
};

// A picture that cannot be loaded.
class ErroImagem : public ErroKorva {
public:
    using ErroKorva::ErroKorva;
    const char* nomeClasse() const override { return "ErroImagem"; }
};

// A text that is not a valid number or date.
class ErroConversao : public ErroKorva {
public:
    using ErroKorva::ErroKorva;
    const char* nomeClasse() const override { return "ErroConversao"; }
};

// Input/output failure of the operating system (file cannot be deleted, ...).
class ErroES : public ErroKorva {
public:
    using ErroKorva::ErroKorva;
    const char* nomeClasse() const override { return "ErroES"; }
};

// Stops an operation silently: nothing is shown.
class OurExc : public ErroKorva {
public:
    OurExc() : ErroKorva("") {}
    const char* nomeClasse() const override { return "OurExc"; }
};

// Information for the user (pending operations): shown in an information box.
class Inf : public ErroKorva {
public:
    using ErroKorva::ErroKorva;
    const char* nomeClasse() const override { return "Inf"; }
};

// Engine codes used by the table store.
namespace CodigoBanco {
constexpr int RegistroAlterado = 0x2204;   // record changed or deleted by another user
constexpr int TabelaCorrompida = 0x2301;   // corrupt table or index header
constexpr int ChaveDuplicada = 0x2601;     // key violation
constexpr int AbaixoDoMinimo = 0x2602;     // minimum validity check failed
constexpr int AcimaDoMaximo = 0x2603;      // maximum validity check failed
constexpr int CampoObrigatorio = 0x2604;   // field value required
constexpr int RegistroBloqueado = 0x2801;  // record or table locked by another user
constexpr int TabelaEmUso = 0x2805;        // table held exclusively / in use elsewhere
constexpr int ArquivoNaoEncontrado = 0x2B02;  // table or path not found
constexpr int ErroDeES = 0x2B04;           // operating-system input/output failure
constexpr int SemPermissao = 0x2B06;       // no permission on the file or folder
constexpr int Geral = 0x0000;
}  // namespace CodigoBanco

}  // namespace korva
