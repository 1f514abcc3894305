#pragma once
// Where the program finds its folders: the program folder (unit list file,
// companion programs), the configuration folder (alias file and workstation
// settings file) and the data folder where a first start creates the databases.
#include <filesystem>
#include <optional>

namespace korva {

struct Ambiente {
    std::filesystem::path pastaPrograma;
    std::filesystem::path pastaConfig;
    std::filesystem::path pastaDados;

    // --dados DIR (or the variable KORVA_DADOS) puts configuration and data in
    // DIR; otherwise $XDG_CONFIG_HOME/korva and $XDG_DATA_HOME/korva.
    static Ambiente Padrao(const std::optional<std::filesystem::path>& dados,
                           const std::filesystem::path& executavel);

    std::filesystem::path arquivoAliases() const { return pastaConfig / "Aliases.cfg"; }
    std::filesystem::path pastaPrivadaInicial() const { return pastaDados / "Privado"; }
    std::filesystem::path pastaCompartilhadaInicial() const { return pastaDados / "Compartilhado"; }
    std::filesystem::path arquivoUnidades() const { return pastaPrograma / "Alias.txt"; }
};

}  // namespace korva
