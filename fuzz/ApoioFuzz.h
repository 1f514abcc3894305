#pragma once
// What the fuzz targets share: a scratch folder for the run and the check
// that stops the run when a property of the code under test does not hold.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

namespace korva::fuzz {

// Stops the run (libFuzzer reports it as a crash, the corpus runner fails).
[[noreturn]] inline void Falha(const char* o_que, const std::string& detalhe = {}) {
    std::fprintf(stderr, "propriedade violada: %s%s%s\n", o_que, detalhe.empty() ? "" : ": ", detalhe.c_str());
    std::abort();
}

inline void Exige(bool condicao, const char* o_que, const std::string& detalhe = {}) {
    if (!condicao) Falha(o_que, detalhe);
}

// A folder of this process, in memory when the machine has /dev/shm (files
// are written on every execution), removed when the process ends.
class PastaDoProcesso {
public:
    explicit PastaDoProcesso(const char* nome) {
        std::error_code ec;
        const std::filesystem::path base =
            std::filesystem::is_directory("/dev/shm", ec) ? std::filesystem::path("/dev/shm")
                                                          : std::filesystem::temp_directory_path();
        std::string modelo = (base / (std::string(nome) + "-XXXXXX")).string();
        if (!::mkdtemp(modelo.data())) Falha("não foi possível criar a pasta temporária", modelo);
        caminho_ = modelo;
    }
    ~PastaDoProcesso() {
        std::error_code ec;
        std::filesystem::remove_all(caminho_, ec);
    }
    PastaDoProcesso(const PastaDoProcesso&) = delete;
    PastaDoProcesso& operator=(const PastaDoProcesso&) = delete;
    const std::filesystem::path& caminho() const { return caminho_; }

private:
    std::filesystem::path caminho_;
};

}  // namespace korva::fuzz
