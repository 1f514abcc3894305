// The calculation document: the JSON text read as the import reads it, then
// imported into a private database made once per process by a first start
// (the delivered catalogue and reference tables) in a scratch folder.
//
// Properties: a text that is not JSON is refused with a place inside it (or
// just after its end) and a message in valid UTF-8; an import either stores
// the calculation or leaves the register without it; a stored calculation
// exports, and that export imported again exports the same document.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "ApoioFuzz.h"
#include "app/Ambiente.h"
#include "app/Configuracoes.h"
#include "app/Sessao.h"
#include "reference/TabelasReferencia.h"
#include "register/RegistroProcessos.h"
#include "register/TrocaCalculo.h"
#include "storage/Banco.h"
#include "storage/Tabela.h"
#include "util/Data.h"
#include "util/DocumentoJson.h"
#include "util/Erros.h"
#include "util/Texto.h"

using namespace korva;

namespace {

struct Instalacao {
    fuzz::PastaDoProcesso pasta{"korva-fuzz-documento"};
    Ambiente ambiente;
    std::unique_ptr<Sessao> sessao;
    std::unique_ptr<TabelasReferencia> referencia;

    Instalacao() {
        ambiente = Ambiente::Padrao(pasta.caminho(), pasta.caminho() / "korva");
        try {
            Sessao::PrimeiraPartida(ambiente);
            sessao = std::make_unique<Sessao>(ambiente);
        } catch (const std::exception& e) {
            fuzz::Falha("a primeira partida falhou", e.what());
        }
        referencia = std::make_unique<TabelasReferencia>(sessao->compartilhado());
    }
    Banco& privado() { return sessao->privado(); }
    AjustesRegistro ajustes() { return AjustesDe(sessao->configuracoes()); }

    CalculoImportado importa(const nlohmann::json& doc) {
        return ImportaCalculo(privado(), *referencia, ajustes(), doc, [] { return Data::de(2024, 3, 15); });
    }
    void exclui(const CalculoImportado& c) {
        RegistroProcessos reg(privado(), ajustes());
        reg.abre();
        fuzz::Exige(LocalizaCalculo(reg.processos(), c.processo, c.codRecte), "o cálculo importado está no registro",
                    c.processo);
        reg.processos().exclui();
        reg.fecha();
    }
    int calculos() {
        Tabela t(privado(), "Processo.DB");
        t.abre(ModoAbertura::SomenteLeitura);
        return t.quantidade();
    }
};

Instalacao& Dados() {
    static Instalacao i;
    return i;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dados, size_t tamanho) {
    const std::string_view texto(reinterpret_cast<const char*>(dados), tamanho);
    Instalacao& inst = Dados();

    nlohmann::json doc;
    try {
        doc = LeDocumentoJson(texto);
    } catch (const ErroDocumentoJson& e) {
        fuzz::Exige(e.linha() >= 1 && e.coluna() >= 1 && static_cast<size_t>(e.coluna()) <= texto.size() + 1,
                    "o lugar do erro está no texto", e.what());
        fuzz::Exige(Utf8Valido(e.what()), "a mensagem é UTF-8", e.what());
        return 0;
    }

    CalculoImportado importado;
    try {
        importado = inst.importa(doc);
    } catch (const ErroKorva&) {
        fuzz::Exige(inst.calculos() == 0, "uma importação recusada não deixa o cálculo no registro");
        return 0;
    }
    nlohmann::json primeira;
    try {
        primeira = ExportaCalculo(inst.privado(), importado.processo, importado.codRecte);
    } catch (const ErroKorva& e) {
        fuzz::Falha("o cálculo importado não pôde ser exportado", e.what());
    }
    inst.exclui(importado);
    fuzz::Exige(inst.calculos() == 0, "o cálculo excluído sai do registro");

    try {
        importado = inst.importa(primeira);
    } catch (const ErroKorva& e) {
        fuzz::Falha("a exportação de um cálculo importado foi recusada", std::string(e.what()) + "\n" + primeira.dump());
    }
    const nlohmann::json segunda = ExportaCalculo(inst.privado(), importado.processo, importado.codRecte);
    inst.exclui(importado);
    fuzz::Exige(segunda == primeira, "importar a exportação dá o mesmo documento",
                primeira.dump() + "\n" + segunda.dump());
    fuzz::Exige(inst.calculos() == 0, "o cálculo excluído sai do registro");
    return 0;
}
