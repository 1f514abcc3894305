#pragma once
// The open databases and settings of one running program: the alias file,
// the private and shared databases, the settings of both files and the
// Literais object. Built by start-up, used by every window.
#include <functional>
#include <memory>
#include <string>

#include "app/Ambiente.h"

namespace korva {

class ArquivoAliases;
class Banco;
class Configuracoes;
class Literais;

class Sessao {
public:
    // First start: when the alias file does not exist, creates the private and
    // the shared databases under the data folder with every fixed table and the
    // delivered rows, and writes the alias file. Returns true when it created them.
    static bool PrimeiraPartida(const Ambiente& ambiente,
                                const std::function<void(const std::string&)>& progresso = {});

    // Connects both databases through their aliases (fails with an engine
    // error when an alias or its folder is missing) and reads both settings files.
    explicit Sessao(const Ambiente& ambiente);
    ~Sessao();

    const Ambiente& ambiente() const { return ambiente_; }
    ArquivoAliases& aliases() { return *aliases_; }
    Banco& privado() { return *privado_; }
    Banco& compartilhado() { return *compartilhado_; }
    Configuracoes& configuracoes() { return *configuracoes_; }
    Literais& literais() { return *literais_; }

    // Reconnects the private database (after the unit selection changed its
    // alias) and re-reads the settings of the new private folder.
    void reconectaPrivado();

private:
    Ambiente ambiente_;
    std::unique_ptr<ArquivoAliases> aliases_;
    std::unique_ptr<Banco> privado_;
    std::unique_ptr<Banco> compartilhado_;
    std::unique_ptr<Configuracoes> configuracoes_;
    std::unique_ptr<Literais> literais_;
};

}  // namespace korva
