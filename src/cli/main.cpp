// korva-cli: the program's core, headless. Portuguese subcommands; --json
// prints data in machine-readable form. The global options (--dados, --json)
// may stand before the command or anywhere after it, at any depth.
#include <iostream>

#include "cli/Contexto.h"
#include "util/Erros.h"

int main(int argc, char** argv) {
    korva::cli::Contexto ctx;
    ctx.executavel = argv[0];
    CLI::App app{"KORVA - cálculos trabalhistas (linha de comando)", "korva-cli"};
    app.require_subcommand(1);
    // Set before the commands are added: each inherits it when created, so an
    // option a command does not know is tried on its parent, up to this one.
    app.fallthrough();
    app.add_option("--dados", ctx.dados,
                   "Pasta dos dados (aliases, configurações e bancos); também pela variável KORVA_DADOS. "
                   "Vale antes ou depois do comando");
    app.add_flag("--json", ctx.json, "Saída em JSON (antes ou depois do comando)");
    korva::cli::RegistraInit(app, ctx);
    auto* tabelas = app.add_subcommand("tabelas", "Tabelas de referência: atualização, exportação e importação");
    tabelas->require_subcommand(1);
    korva::cli::RegistraAtualizacao(*tabelas, ctx);
    korva::cli::RegistraExportacao(*tabelas, ctx);
    korva::cli::RegistraConsulta(app, ctx);
    korva::cli::RegistraCalculos(app, ctx);
    korva::cli::RegistraPrimitivas(app, ctx);
    korva::cli::RegistraResultado(app, ctx);
    korva::cli::RegistraCalcular(app, ctx);
    korva::cli::RegistraRemessa(app, ctx);
    korva::cli::RegistraRelatorios(app, ctx);
    korva::cli::RegistraVerbas(app, ctx);
    korva::cli::RegistraPlanilha(app, ctx);
    auto* ponto = app.add_subcommand("ponto", "Cartões de ponto: geração, horas, integração e relatórios");
    ponto->require_subcommand(1);
    korva::cli::RegistraPontoCartoes(*ponto, ctx);
    korva::cli::RegistraPontoHoras(*ponto, ctx);
    korva::cli::RegistraPontoRelatorio(*ponto, ctx);
    auto* prorrata = app.add_subcommand("prorrata", "Atualização prorrata dia a dia: registros, extrato e importações");
    prorrata->require_subcommand(1);
    korva::cli::RegistraProrrataRegistros(*prorrata, ctx);
    korva::cli::RegistraProrrataAtualizar(*prorrata, ctx);
    korva::cli::RegistraProrrataXml(*prorrata, ctx);
    korva::cli::RegistraProrrataPlanilha(*prorrata, ctx);
    korva::cli::RegistraManutencao(app, ctx);
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        return app.exit(e);
    } catch (const korva::ErroBanco& e) {
        std::cerr << "Erro do banco de dados (" << e.codigo() << "): " << e.what() << "\n";
        return 2;
    } catch (const std::exception& e) {
        std::cerr << "Erro: " << e.what() << "\n";
        return 2;
    }
    return 0;
}
