#pragma once
// A field value of the table store: empty, integer, number, text, date or flag.
// Times of day are numbers (fractions of a day).
#include <cstdint>
#include <string>
#include <variant>

#include "util/Data.h"

namespace korva {

class Valor {
public:
    Valor() = default;
    Valor(std::nullptr_t) {}
    Valor(int v) : v_(int64_t{v}) {}
    Valor(int64_t v) : v_(v) {}
    Valor(double v) : v_(v) {}
    Valor(const char* v) : v_(std::string(v)) {}
    Valor(std::string v) : v_(std::move(v)) {}
    Valor(Data v) : v_(v) {}
    Valor(bool v) : v_(v) {}

    bool nulo() const { return std::holds_alternative<std::monostate>(v_); }
    bool ehInteiro() const { return std::holds_alternative<int64_t>(v_); }
    bool ehNumero() const { return std::holds_alternative<double>(v_); }
    bool ehTexto() const { return std::holds_alternative<std::string>(v_); }
    bool ehData() const { return std::holds_alternative<Data>(v_); }
    bool ehLogico() const { return std::holds_alternative<bool>(v_); }

    // Conversions as a field reads them: empty gives 0, "", false; a date as
    // number gives its serial. Texts that are not numbers fail with ErroConversao.
    int64_t comoInteiro() const;
    double comoNumero() const;
    std::string comoTexto() const;  // dates as dd/mm/yyyy
    Data comoData() const;          // empty fails with ErroConversao
    bool comoLogico() const;

    bool operator==(const Valor& o) const { return v_ == o.v_; }
    const auto& bruto() const { return v_; }

private:
    std::variant<std::monostate, int64_t, double, std::string, Data, bool> v_;
};

// Ordering used by indexes and filters: empty first, then by value; texts
// optionally without regard to case and accents.
int ComparaValores(const Valor& a, const Valor& b, bool semCaixa = false);

}  // namespace korva
