#include "util/Texto.h"

#include <charconv>

namespace korva {

std::u32string ParaU32(std::string_view s) {
    std::u32string r;
    r.reserve(s.size());
    size_t i = 0;
    while (i < s.size()) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        char32_t cp;
        int n;
        if (c < 0x80) { cp = c; n = 1; }
        else if ((c >> 5) == 6) { cp = c & 0x1F; n = 2; }
        else if ((c >> 4) == 14) { cp = c & 0x0F; n = 3; }
        else if ((c >> 3) == 30) { cp = c & 0x07; n = 4; }
        else { r.push_back(0xFFFD); ++i; continue; }
        if (i + n > s.size()) { r.push_back(0xFFFD); break; }
        bool ok = true;
        for (int k = 1; k < n; ++k) {
            unsigned char cc = static_cast<unsigned char>(s[i + k]);
            if ((cc >> 6) != 2) { ok = false; break; }
            cp = (cp << 6) | (cc & 0x3F);
        }
        if (!ok) { r.push_back(0xFFFD); ++i; continue; }
        r.push_back(cp);
        i += n;
    }
    return r;
}

std::string ParaUtf8(std::u32string_view t) {
    std::string r;
    r.reserve(t.size());
    for (char32_t c : t) {
        if (c < 0x80) r += static_cast<char>(c);
        else if (c < 0x800) { r += static_cast<char>(0xC0 | (c >> 6)); r += static_cast<char>(0x80 | (c & 0x3F)); }
        else if (c < 0x10000) {
            r += static_cast<char>(0xE0 | (c >> 12));
            r += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            r += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            r += static_cast<char>(0xF0 | (c >> 18));
            r += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            r += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            r += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return r;
}

bool Utf8Valido(std::string_view s) {
    size_t i = 0;
    while (i < s.size()) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        int n;
        if (c < 0x80) n = 1;
        else if (c >= 0xC2 && c <= 0xDF) n = 2;
        else if ((c >> 4) == 14) n = 3;
        else if (c >= 0xF0 && c <= 0xF4) n = 4;
        else return false;
        if (i + n > s.size()) return false;
        for (int k = 1; k < n; ++k)
            if ((static_cast<unsigned char>(s[i + k]) >> 6) != 2) return false;
        i += n;
    }
    return true;
}

namespace {
// 0x80..0x9F of Windows-1252.
const char32_t kCp1252Alto[32] = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};
}  // namespace

std::string Cp1252ParaUtf8(std::string_view bytes) {
    std::u32string t;
    t.reserve(bytes.size());
    for (char ch : bytes) {
        unsigned char c = static_cast<unsigned char>(ch);
        t.push_back(c >= 0x80 && c < 0xA0 ? kCp1252Alto[c - 0x80] : static_cast<char32_t>(c));
    }
    return ParaUtf8(t);
}

std::string TextoExterno(std::string_view bytes) {
    return Utf8Valido(bytes) ? std::string(bytes) : Cp1252ParaUtf8(bytes);
}

std::string Utf8ParaCp1252(std::string_view utf8) {
    std::string r;
    for (char32_t c : ParaU32(utf8)) {
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) { r += static_cast<char>(c); continue; }
        char out = '?';
        for (int k = 0; k < 32; ++k)
            if (kCp1252Alto[k] == c && c != 0xFFFD) { out = static_cast<char>(0x80 + k); break; }
        r += out;
    }
    return r;
}

char32_t MaiusculaLatin1(char32_t c) {
    if (c >= 'a' && c <= 'z') return c - 32;
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 32;
    if (c == 0xFF) return 0x178;
    if (c == 0x161 || c == 0x153 || c == 0x17E) return c - 1;  // š œ ž
    return c;
}

char32_t MinusculaLatin1(char32_t c) {
    if (c >= 'A' && c <= 'Z') return c + 32;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;
    if (c == 0x178) return 0xFF;
    if (c == 0x160 || c == 0x152 || c == 0x17D) return c + 1;  // Š Œ Ž
    return c;
}

std::string Maiusculas(std::string_view utf8) {
    std::u32string t = ParaU32(utf8);
    for (auto& c : t) c = MaiusculaLatin1(c);
    return ParaUtf8(t);
}

std::string Minusculas(std::string_view utf8) {
    std::u32string t = ParaU32(utf8);
    for (auto& c : t) c = MinusculaLatin1(c);
    return ParaUtf8(t);
}

char32_t SemAcento(char32_t c) {
    c = MaiusculaLatin1(c);
    if (c >= 0xC0 && c <= 0xC5) return 'A';
    if (c == 0xC7) return 'C';
    if (c >= 0xC8 && c <= 0xCB) return 'E';
    if (c >= 0xCC && c <= 0xCF) return 'I';
    if (c == 0xD1) return 'N';
    if ((c >= 0xD2 && c <= 0xD6) || c == 0xD8) return 'O';
    if (c >= 0xD9 && c <= 0xDC) return 'U';
    if (c == 0xDD || c == 0x178) return 'Y';
    if (c == 0x160) return 'S';
    if (c == 0x17D) return 'Z';
    return c;
}

size_t Comprimento(std::string_view s) {
    size_t n = 0;
    for (char ch : s)
        if ((static_cast<unsigned char>(ch) & 0xC0) != 0x80) ++n;
    return n;
}

namespace {
bool branco(char c) { return c == ' ' || (static_cast<unsigned char>(c) < 0x20); }
}  // namespace

std::string Apara(std::string_view s) {
    size_t a = 0, b = s.size();
    while (a < b && branco(s[a])) ++a;
    while (b > a && branco(s[b - 1])) --b;
    return std::string(s.substr(a, b - a));
}

std::string AparaDireita(std::string_view s) {
    size_t b = s.size();
    while (b > 0 && branco(s[b - 1])) --b;
    return std::string(s.substr(0, b));
}

bool IguaisSemCaixa(std::string_view a, std::string_view b) {
    bool ascii = true;
    for (char c : a) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    for (char c : b) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    if (ascii) {
        if (a.size() != b.size()) return false;
        for (size_t i = 0; i < a.size(); ++i) {
            const unsigned char x = a[i], y = b[i];
            if (x == y) continue;
            const unsigned char lx = (x >= 'A' && x <= 'Z') ? x + 32 : x;
            const unsigned char ly = (y >= 'A' && y <= 'Z') ? y + 32 : y;
            if (lx != ly) return false;
        }
        return true;
    }
    auto ua = ParaU32(a), ub = ParaU32(b);
    if (ua.size() != ub.size()) return false;
    for (size_t i = 0; i < ua.size(); ++i)
        if (MaiusculaLatin1(ua[i]) != MaiusculaLatin1(ub[i])) return false;
    return true;
}

int ComparaSemCaixa(std::string_view a, std::string_view b) {
    auto ua = ParaU32(a), ub = ParaU32(b);
    const size_t n = std::min(ua.size(), ub.size());
    for (size_t i = 0; i < n; ++i) {
        char32_t x = SemAcento(ua[i]), y = SemAcento(ub[i]);
        if (x != y) return x < y ? -1 : 1;
    }
    if (ua.size() != ub.size()) return ua.size() < ub.size() ? -1 : 1;
    // Same letters: a plain letter comes before its accented forms.
    for (size_t i = 0; i < n; ++i) {
        char32_t x = MaiusculaLatin1(ua[i]), y = MaiusculaLatin1(ub[i]);
        if (x != y) return x < y ? -1 : 1;
    }
    return 0;
}

std::vector<std::string> Divide(std::string_view s, char sep) {
    std::vector<std::string> r;
    size_t ini = 0;
    for (;;) {
        size_t p = s.find(sep, ini);
        if (p == std::string_view::npos) { r.emplace_back(s.substr(ini)); break; }
        r.emplace_back(s.substr(ini, p - ini));
        ini = p + 1;
    }
    return r;
}

std::optional<int> Inteiro(std::string_view texto) {
    const std::string t = Apara(texto);
    if (t.empty()) return std::nullopt;
    int n = 0;
    const auto [fim, erro] = std::from_chars(t.data(), t.data() + t.size(), n);
    if (erro != std::errc() || fim != t.data() + t.size()) return std::nullopt;
    return n;
}

}  // namespace korva
