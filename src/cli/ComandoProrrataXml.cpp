// "prorrata importar-xml" (records from the court-payments XML document) and
// "prorrata transformacoes" (the two transformation files of its mapping).
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>

#include <nlohmann/json.hpp>

#include "app/Sessao.h"
#include "cli/Contexto.h"
#include "prorata/PrecatoriosXml.h"
#include "register/RegistroProcessos.h"

namespace korva::cli {
namespace {

void RegistraImportarXml(CLI::App& prorrata, Contexto& ctx) {
    auto arquivo = std::make_shared<std::string>(kArquivoPrecatorios);
    auto* cmd = prorrata.add_subcommand(
        "importar-xml", "Cadastra os registros prorrata do documento XML dos precatórios (tudo ou nada)");
    cmd->add_option("ARQ", *arquivo, "Documento XML (sem ele, DataPacketConvertido.xml da pasta atual)");
    cmd->callback([&ctx, arquivo] {
        Sessao sessao(ctx.ambiente());
        const std::vector<int> codigos =
            ImportaPrecatorios(sessao.privado(), AjustesDe(sessao.configuracoes()), *arquivo);
        if (ctx.json) {
            std::cout << nlohmann::json{{"Codigos", codigos}}.dump(2) << "\n";
            return;
        }
        for (int c : codigos) std::cout << c << "\n";
        std::cout << kMsgImportacaoConcluida << "\n";
    });
}

void RegistraTransformacoes(CLI::App& prorrata, Contexto& ctx) {
    auto pasta = std::make_shared<std::string>(".");
    auto* cmd = prorrata.add_subcommand(
        "transformacoes", "Grava os arquivos de transformação XMLToDP.xtr e DPToXML.xtr que faltarem na pasta");
    cmd->add_option("PASTA", *pasta, "Pasta dos arquivos (sem ela, a pasta atual)");
    cmd->callback([&ctx, pasta] {
        const auto gravados = GaranteTransformacoes(*pasta);
        if (ctx.json) {
            nlohmann::json lista = nlohmann::json::array();
            for (const auto& p : gravados) lista.push_back(p.filename().string());
            std::cout << nlohmann::json{{"Gravados", lista}}.dump(2) << "\n";
            return;
        }
        if (gravados.empty()) std::cout << "Os arquivos de transformação já existem; nada foi gravado.\n";
        for (const auto& p : gravados) std::cout << "Gravado: " << p.string() << "\n";
    });
}

}  // namespace

void RegistraProrrataXml(CLI::App& prorrata, Contexto& ctx) {
    RegistraImportarXml(prorrata, ctx);
    RegistraTransformacoes(prorrata, ctx);
}

}  // namespace korva::cli
