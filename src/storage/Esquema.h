#pragma once
// Table definitions: fields with type, size and required flag; indexes with
// name, fields, unique and case-insensitive options. Every table the program
// creates is declared with these structures.
#include <string>
#include <vector>

namespace korva {

enum class TipoCampo {
    Smallint,   // 16-bit integer
    Integer,    // 32-bit integer
    Autoinc,    // numbered by the store when a row is first stored, never reused
    Float,
    String,     // text of at most `tamanho` characters
    Date,       // calendar date
    Time,       // time of day, fraction of a day
    Boolean,
    Memo,       // text without a size limit
};

struct DefCampo {
    std::string nome;
    TipoCampo tipo = TipoCampo::String;
    int tamanho = 0;          // String only
    bool obrigatorio = false;
};

struct DefIndice {
    std::string nome;                 // empty for the primary index
    std::vector<std::string> campos;
    bool primario = false;
    bool unico = false;
    bool semCaixa = false;            // case-insensitive
    bool descendente = false;
};

struct DefTabela {
    std::vector<DefCampo> campos;
    std::vector<DefIndice> indices;

    const DefCampo* campo(const std::string& nome) const;  // case-insensitive; null when absent
    int posicao(const std::string& nome) const;            // -1 when absent
    const DefIndice* indice(const std::string& nome) const; // "" or "Primario" = primary
    const DefIndice* primario() const;
};

// Short builders, so recipes read like the tables that describe them.
inline DefCampo CampoSmallint(std::string n, bool req = false) { return {std::move(n), TipoCampo::Smallint, 0, req}; }
inline DefCampo CampoInteger(std::string n, bool req = false) { return {std::move(n), TipoCampo::Integer, 0, req}; }
inline DefCampo CampoAutoinc(std::string n, bool req = false) { return {std::move(n), TipoCampo::Autoinc, 0, req}; }
inline DefCampo CampoFloat(std::string n, bool req = false) { return {std::move(n), TipoCampo::Float, 0, req}; }
inline DefCampo CampoString(std::string n, int tam, bool req = false) { return {std::move(n), TipoCampo::String, tam, req}; }
inline DefCampo CampoDate(std::string n, bool req = false) { return {std::move(n), TipoCampo::Date, 0, req}; }
inline DefCampo CampoTime(std::string n, bool req = false) { return {std::move(n), TipoCampo::Time, 0, req}; }
inline DefCampo CampoBoolean(std::string n, bool req = false) { return {std::move(n), TipoCampo::Boolean, 0, req}; }
inline DefCampo CampoMemo(std::string n, bool req = false) { return {std::move(n), TipoCampo::Memo, 0, req}; }

inline DefIndice IndicePrimario(std::vector<std::string> campos, bool unico = true) {
    return {"", std::move(campos), true, unico, false, false};
}
inline DefIndice IndiceSecundario(std::string nome, std::vector<std::string> campos, bool unico = false,
                                  bool semCaixa = false) {
    return {std::move(nome), std::move(campos), false, unico, semCaixa, false};
}

}  // namespace korva
