#pragma once
// The calculation a command works on: lawsuit number and group, as the
// positional arguments PROCESSO GRUPO.
#include <string>

#include <CLI/CLI.hpp>

#include "util/Erros.h"
#include "util/Texto.h"

namespace korva::cli {

struct Chave {
    std::string processo;
    int grupo = 0;
};

inline void OpcoesChave(CLI::App* cmd, Chave& c) {
    cmd->add_option("PROCESSO", c.processo, "Número do processo")->required();
    cmd->add_option("GRUPO", c.grupo, "Grupo (código do reclamante)")->required();
}

// Lawsuit numbers are stored in capitals.
inline std::string Maiusculo(const std::string& s) { return Maiusculas(Apara(s)); }

inline std::string NaoEncontrado(const Chave& c) {
    return "Cálculo não encontrado: processo " + c.processo + ", grupo " + std::to_string(c.grupo) + ".";
}

}  // namespace korva::cli
