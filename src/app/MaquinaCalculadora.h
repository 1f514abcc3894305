#pragma once
// The arithmetic of the program's pocket calculator, without any window: a
// number being typed, an accumulated value and one pending operation, as on a
// four-function calculator. The display uses the Brazilian form
// ("-1.234,56": "." groups thousands, "," separates the decimals).
#include <string>

namespace korva {

class MaquinaCalculadora {
public:
    enum class Operacao { Nenhuma, Soma, Subtrai, Multiplica, Divide };

    // Longest number that can be typed, in digits.
    static constexpr int MaximoDigitos = 15;

    void digito(int d);       // 0..9; others are ignored
    void virgula();           // the decimal separator
    void operacao(Operacao op);
    void igual();
    void limpa();             // C: back to zero, nothing pending
    void apaga();             // removes the last typed character
    void trocaSinal();

    std::string visor() const;
    double valor() const;     // the number on the display
    bool emErro() const { return !erro_.empty(); }

    // Brazilian form of a number: up to ten decimals, trailing zeros dropped.
    static std::string Formata(double valor);

private:
    void mostra(double valor);
    double calcula(double a, Operacao op, double b);

    std::string entrada_ = "0";  // as typed: digits, optional ',' and leading '-'
    double acumulado_ = 0;
    Operacao pendente_ = Operacao::Nenhuma;
    bool novaEntrada_ = true;    // the next digit starts a new number
    double ultimoOperando_ = 0;  // repeated "=" repeats the last operation
    Operacao ultimaOperacao_ = Operacao::Nenhuma;
    std::string erro_;
};

}  // namespace korva
