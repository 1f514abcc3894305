#pragma once
// Calendar dates as day serials counted from 30/12/1899 (serial 0), the
// numbering stored files and the table download format use. No time of day.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace korva {

class Data {
public:
    Data() = default;  // 30/12/1899
    static Data deSerial(int32_t serial) { Data d; d.serial_ = serial; return d; }
    // Fails with ErroConversao when the day, month or year is out of range.
    static Data de(int ano, int mes, int dia);
    static std::optional<Data> tenta(int ano, int mes, int dia);
    static Data hoje();

    // "dd/mm/yyyy" (one- or two-digit day and month, two- or four-digit year;
    // two-digit years expand as AnoCompleto does). Blanks around are ignored.
    static std::optional<Data> lerDMA(std::string_view texto);
    // Like lerDMA, but fails with ErroConversao ("'x' não é uma data válida").
    static Data deDMA(std::string_view texto);
    // "yyyy-mm-dd", the stored form.
    static std::optional<Data> lerISO(std::string_view texto);

    int32_t serial() const { return serial_; }
    int ano() const;
    int mes() const;
    int dia() const;
    void decompoe(int& ano, int& mes, int& dia) const;
    // 1 = Sunday ... 7 = Saturday.
    int diaDaSemana() const;

    std::string dma() const;  // dd/mm/yyyy
    std::string iso() const;  // yyyy-mm-dd

    Data operator+(int dias) const { return deSerial(serial_ + dias); }
    Data operator-(int dias) const { return deSerial(serial_ - dias); }
    int operator-(Data outra) const { return serial_ - outra.serial_; }
    Data& operator+=(int dias) { serial_ += dias; return *this; }
    auto operator<=>(const Data&) const = default;

    static bool bissexto(int ano);
    static int diasNoMes(int ano, int mes);
    // Last day of the month of this date.
    Data fimDoMes() const;

private:
    int32_t serial_ = 0;
};

}  // namespace korva
