#include "maintenance/TKPdxRepair.h"

#include <cctype>

#include "storage/Aliases.h"
#include "storage/Banco.h"
#include "storage/Esquemas.h"
#include "util/Erros.h"

namespace korva {
namespace fs = std::filesystem;

namespace {

// The declared structure of a table, by its file name: a table of a
// calculation file set ("A0000023.db") or a fixed table of the private
// database. Null for any other.
const DefTabela* DefinicaoDeclarada(const std::string& nome) {
    if (nome.size() == 11) {
        bool digitos = true;
        for (size_t i = 1; i < 8; ++i) digitos = digitos && std::isdigit(static_cast<unsigned char>(nome[i]));
        const int tipo = TipoDaLetra(nome[0]);
        if (digitos && tipo >= 0 && (nome.substr(8) == ".db" || nome.substr(8) == ".DB"))
            return &ReceitaConjunto(tipo);
    }
    return EsquemaFixoPrivado(nome);
}

}  // namespace

void TKPdxRepair::SetDatabaseName(const std::string& alias, const ArquivoAliases& aliases) {
    alias_ = alias;
    pasta_ = aliases.caminho(alias);
}

void TKPdxRepair::SetDatabase(const std::string& alias, const fs::path& pasta) {
    alias_ = alias;
    pasta_ = pasta;
}

std::vector<std::string> TKPdxRepair::Tabelas() const { return TabelasDaPasta(pasta_); }

bool TKPdxRepair::Verify(const std::string& tabela) {
    detalhe_.clear();
    try {
        // Verified alone: a table another workstation has open is not.
        TravaTabela trava(caminho(tabela), TravaTabela::Modo::Exclusivo);
        const Integridade r = VerificaArquivoTabela(caminho(tabela));
        detalhe_ = r.detalhe;
        switch (r.estado) {
            case Integridade::Estado::Integra: status_ = 0; break;
            case Integridade::Estado::Danificada: status_ = 1; break;
            case Integridade::Estado::Inacessivel: status_ = kNaoVerificavel; break;
        }
    } catch (const ErroKorva& e) {
        status_ = kNaoVerificavel;
        detalhe_ = e.what();
    }
    return status_ == 0;
}

bool TKPdxRepair::Rebuild(const std::string& tabela) {
    reconstrucao_ = {};
    try {
        TravaTabela trava(caminho(tabela), TravaTabela::Modo::Exclusivo);
        reconstrucao_ = ReconstroiArquivoTabela(caminho(tabela), DefinicaoDeclarada(tabela), TempDir);
    } catch (const ErroKorva& e) {
        reconstrucao_.sucesso = false;
        reconstrucao_.mensagem = e.what();
    }
    return reconstrucao_.sucesso;
}

void TKPdxRepair::CheckAll() {
    for (const auto& tabela : Tabelas()) {
        if (BeforeTableCheck) BeforeTableCheck(tabela);
        Verify(tabela);
        const int status = status_ == 0 ? StatusIntegra : status_ == kNaoVerificavel ? StatusNaoVerificada
                                                                                    : StatusDanificada;
        int acao = status == StatusIntegra ? AcaoContinuar : status == StatusDanificada ? AcaoReparar : AcaoParar;
        if (OnCheckTable) OnCheckTable(tabela, status, acao);
        if (status == StatusDanificada && acao == AcaoReparar) {
            if (BeforeTableRepair) BeforeTableRepair(tabela);
            const bool ok = Rebuild(tabela);
            if (OnRepairTable) OnRepairTable(tabela, ok ? Reparada : FalhaReparacao);
        } else if (acao == AcaoParar) {
            break;
        }
    }
}

}  // namespace korva
