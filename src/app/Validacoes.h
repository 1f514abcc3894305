#pragma once
// Checks the main window offers to every other window: years and months typed
// in grids, lawsuit numbers against the configured masks, and the keys the
// calculator's display turns into.
#include <string>
#include <initializer_list>
#include <string_view>
#include <vector>

namespace korva {

// A two-digit year as typed: below 50 is 20xx, 50 to 99 is 19xx; 100 and above
// (and negative values, which ValidaAno then rejects) are returned unchanged.
int AnoCompleto(int ano);

// Fail with ErroKorva "Ano inválido!" / "Mes inválido!" out of 0..9999 / 0..12.
void ValidaAno(int ano);
void ValidaMes(int mes);

// Whether `numero` fits `mascara`: same length, and position by position mask
// "9" takes a digit or a blank, "A" a capital A-Z or a blank, any other mask
// character itself. An empty mask takes everything.
bool ConfereMascara(std::string_view numero, std::string_view mascara);

// The characters a lawsuit number may hold: letters A-Z (either case, the
// number is stored in capitals), digits, blank, ". - /"
// and the fixed characters of the masks; never a leading "." or "/" nor "..".
bool CaracteresDeProcesso(std::string_view numero, std::initializer_list<std::string_view> mascaras);

// Fails with ErroKorva "Preencha o número do processo!" when the number is
// blank, and "Formato do número do processo inválido!" when it holds a
// character outside CaracteresDeProcesso or fits none of the configured
// masks. Masks are consulted in order while they are not empty; with the
// first one empty every number of those characters passes.
void ValidaNumeroProcesso(std::string_view numero, std::string_view mascara1, std::string_view mascara2,
                          std::string_view mascara3);

// Virtual-key code of the numeric keypad's decimal key.
inline constexpr int TeclaDecimalTeclado = 110;

// The keys that type the calculator's display into a field: the display is
// trimmed, each digit gives its key ('0'..'9'), the decimal separator gives
// TeclaDecimalTeclado, and every other character (minus sign, grouping
// separator) is dropped.
std::vector<int> TeclasDoVisor(std::string_view visor, char32_t separadorDecimal);

}  // namespace korva
