#include "util/Data.h"

#include <chrono>
#include <cstdio>
#include <ctime>

#include "util/Erros.h"

namespace korva {
namespace {

// Days from 1970-01-01 for a proleptic Gregorian date (H. Hinnant's algorithm).
int64_t diasDesdeEpoca(int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

void civilDeDias(int64_t z, int& ano, int& mes, int& dia) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t y = static_cast<int64_t>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    dia = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    mes = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    ano = static_cast<int>(y + (mes <= 2));
}

// 30/12/1899 is 25569 days before 01/01/1970.
constexpr int64_t kDeslocamento = 25569;

bool soDigitos(std::string_view s) {
    if (s.empty()) return false;
    for (char c : s)
        if (c < '0' || c > '9') return false;
    return true;
}

std::string_view apara(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

}  // namespace

bool Data::bissexto(int ano) { return (ano % 4 == 0 && ano % 100 != 0) || ano % 400 == 0; }

int Data::diasNoMes(int ano, int mes) {
    static const int dias[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (mes < 1 || mes > 12) return 0;
    return mes == 2 && bissexto(ano) ? 29 : dias[mes - 1];
}

std::optional<Data> Data::tenta(int ano, int mes, int dia) {
    if (ano < 1 || ano > 9999 || mes < 1 || mes > 12 || dia < 1 || dia > diasNoMes(ano, mes))
        return std::nullopt;
    return deSerial(static_cast<int32_t>(diasDesdeEpoca(ano, mes, dia) + kDeslocamento));
}

Data Data::de(int ano, int mes, int dia) {
    auto d = tenta(ano, mes, dia);
    if (!d) {
        char buf[64];
        std::snprintf(buf, sizeof buf, "%02d/%02d/%04d", dia, mes, ano);
        throw ErroConversao(std::string("'") + buf + "' não é uma data válida");
    }
    return *d;
}

Data Data::hoje() {
    std::time_t t = std::time(nullptr);
    std::tm local{};
    localtime_r(&t, &local);
    return de(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

std::optional<Data> Data::lerDMA(std::string_view texto) {
    texto = apara(texto);
    const auto b1 = texto.find('/');
    if (b1 == std::string_view::npos) return std::nullopt;
    const auto b2 = texto.find('/', b1 + 1);
    if (b2 == std::string_view::npos) return std::nullopt;
    const auto sd = texto.substr(0, b1), sm = texto.substr(b1 + 1, b2 - b1 - 1), sa = texto.substr(b2 + 1);
    if (!soDigitos(sd) || !soDigitos(sm) || !soDigitos(sa)) return std::nullopt;
    if (sd.size() > 2 || sm.size() > 2 || sa.size() > 4 || sa.size() == 3) return std::nullopt;
    int ano = std::stoi(std::string(sa));
    if (sa.size() <= 2) ano = ano < 50 ? 2000 + ano : 1900 + ano;
    return tenta(ano, std::stoi(std::string(sm)), std::stoi(std::string(sd)));
}

Data Data::deDMA(std::string_view texto) {
    auto d = lerDMA(texto);
    if (!d) throw ErroConversao("'" + std::string(texto) + "' não é uma data válida");
    return *d;
}

std::optional<Data> Data::lerISO(std::string_view t) {
    if (t.size() != 10 || t[4] != '-' || t[7] != '-') return std::nullopt;
    if (!soDigitos(t.substr(0, 4)) || !soDigitos(t.substr(5, 2)) || !soDigitos(t.substr(8, 2)))
        return std::nullopt;
    return tenta(std::stoi(std::string(t.substr(0, 4))), std::stoi(std::string(t.substr(5, 2))),
                 std::stoi(std::string(t.substr(8, 2))));
}

void Data::decompoe(int& ano, int& mes, int& dia) const {
    civilDeDias(static_cast<int64_t>(serial_) - kDeslocamento, ano, mes, dia);
}
int Data::ano() const { int a, m, d; decompoe(a, m, d); return a; }
int Data::mes() const { int a, m, d; decompoe(a, m, d); return m; }
int Data::dia() const { int a, m, d; decompoe(a, m, d); return d; }

int Data::diaDaSemana() const {
    // Serial 0 (30/12/1899) was a Saturday.
    int r = (serial_ % 7 + 7) % 7;  // 0 = Saturday
    return r == 0 ? 7 : r;
}

std::string Data::dma() const {
    int a, m, d;
    decompoe(a, m, d);
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d/%02d/%04d", d, m, a);
    return buf;
}

std::string Data::iso() const {
    int a, m, d;
    decompoe(a, m, d);
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", a, m, d);
    return buf;
}

Data Data::fimDoMes() const {
    int a, m, d;
    decompoe(a, m, d);
    return de(a, m, diasNoMes(a, m));
}

}  // namespace korva
