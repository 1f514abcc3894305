#pragma once
// Text helpers. Text is held as UTF-8; letter case follows the Latin-1
// (Windows-1252) rules of the stored data, accented capitals included.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korva {

std::u32string ParaU32(std::string_view utf8);
std::string ParaUtf8(std::u32string_view texto);
bool Utf8Valido(std::string_view bytes);
// Windows-1252 bytes to UTF-8.
std::string Cp1252ParaUtf8(std::string_view bytes);
// Text from outside (settings, import files): UTF-8 when valid, else Windows-1252.
std::string TextoExterno(std::string_view bytes);
// UTF-8 to Windows-1252; characters outside the code page become '?'.
std::string Utf8ParaCp1252(std::string_view utf8);

char32_t MaiusculaLatin1(char32_t c);
char32_t MinusculaLatin1(char32_t c);
std::string Maiusculas(std::string_view utf8);
std::string Minusculas(std::string_view utf8);
// Letter without accent, for ordering and case-insensitive comparison.
char32_t SemAcento(char32_t c);

// Number of characters (code points).
size_t Comprimento(std::string_view utf8);

std::string Apara(std::string_view s);          // blanks and control characters at both ends
// The whole text (blanks at both ends aside) read as a decimal integer; none
// when it is empty, holds anything else or does not fit an int.
std::optional<int> Inteiro(std::string_view texto);
std::string AparaDireita(std::string_view s);
bool IguaisSemCaixa(std::string_view a, std::string_view b);
// <0, 0, >0: case-insensitive, accent-aware ordering (accented letters next to the plain ones).
int ComparaSemCaixa(std::string_view a, std::string_view b);

std::vector<std::string> Divide(std::string_view s, char separador);

}  // namespace korva
