#include "app/Ambiente.h"

#include <cstdlib>

namespace korva {
namespace {

std::filesystem::path PastaXdg(const char* variavel, const char* sufixoCasa) {
    if (const char* v = std::getenv(variavel); v && *v) return std::filesystem::path(v) / "korva";
    const char* casa = std::getenv("HOME");
    return std::filesystem::path(casa && *casa ? casa : "/tmp") / sufixoCasa / "korva";
}

}  // namespace

Ambiente Ambiente::Padrao(const std::optional<std::filesystem::path>& dados,
                          const std::filesystem::path& executavel) {
    Ambiente a;
    std::error_code ec;
    auto exe = std::filesystem::weakly_canonical(executavel, ec);
    a.pastaPrograma = (ec || exe.empty()) ? std::filesystem::current_path() : exe.parent_path();
    std::optional<std::filesystem::path> pasta = dados;
    if (!pasta) {
        if (const char* v = std::getenv("KORVA_DADOS"); v && *v) pasta = std::filesystem::path(v);
    }
    if (pasta) {
        auto absoluta = std::filesystem::absolute(*pasta, ec);
        a.pastaConfig = a.pastaDados = ec ? *pasta : absoluta;
    } else {
        a.pastaConfig = PastaXdg("XDG_CONFIG_HOME", ".config");
        a.pastaDados = PastaXdg("XDG_DATA_HOME", ".local/share");
    }
    return a;
}

}  // namespace korva
