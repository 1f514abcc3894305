#pragma once
// Fields of stored rows in the exchange documents (JSON): the value of each
// field type, and a document value written into a row through the rules
// attached to its dataset, with the field named when it is refused.
#include <exception>
#include <string>

#include <nlohmann/json.hpp>

#include "storage/Esquema.h"
#include "storage/Valor.h"

namespace korva {

class Tabela;

// null for an empty field; integers and amounts as numbers, booleans as
// true/false, dates "dd/mm/yyyy", texts as they stand.
nlohmann::json ValorParaJson(const DefCampo& f, const Valor& v);

// The stored value of a document value; a value of another kind fails with
// "Valor inválido para o campo X: ... (esperado ...)".
Valor ValorDeJson(const DefCampo& f, const nlohmann::json& j);

// Writes the value into the field of the row being edited or inserted. A
// field rule's refusal comes back as "Campo: message", since the message alone
// does not say which field refused it.
void DefineCampoJson(Tabela& t, const DefCampo& f, const nlohmann::json& j);

// The text of a refused row: an error that belongs to a field starts with the
// field's name.
std::string MensagemLinha(const std::exception& e);

}  // namespace korva
