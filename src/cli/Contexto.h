#pragma once
// What every command of korva-cli shares: the data folder chosen on the
// command line and the output form.
#include <filesystem>
#include <optional>
#include <string>

#include <CLI/CLI.hpp>

#include "app/Ambiente.h"

namespace korva::cli {

struct Contexto {
    std::optional<std::string> dados;  // --dados DIR
    bool json = false;                 // --json
    std::filesystem::path executavel;

    Ambiente ambiente() const {
        return Ambiente::Padrao(dados ? std::optional<std::filesystem::path>(*dados) : std::nullopt, executavel);
    }
};

// Each group of commands registers its subcommands here.
void RegistraInit(CLI::App& app, Contexto& ctx);
// "tabelas atualizar" and "tabelas gerar-dat" (update over HTTP).
void RegistraAtualizacao(CLI::App& tabelas, Contexto& ctx);
// "tabelas exportar" and "tabelas importar".
void RegistraExportacao(CLI::App& tabelas, Contexto& ctx);
// "consulta salario-minimo|inss|ir MM/AAAA".
void RegistraConsulta(CLI::App& app, Contexto& ctx);
// "calculo importar|exportar", "processo listar|excluir|novo-grupo|duplicar", "gerar".
void RegistraCalculos(CLI::App& app, Contexto& ctx);
// "juros" (interest between two dates) and "fator" (daily-index factor).
void RegistraPrimitivas(CLI::App& app, Contexto& ctx);
// "resultado" (the calculation run) and "mesames" (month rows with their figures).
void RegistraResultado(CLI::App& app, Contexto& ctx);
// "calcular" (the monthly calculation).
void RegistraCalcular(CLI::App& app, Contexto& ctx);
// "remessa" (the social-security remittance file).
void RegistraRemessa(CLI::App& app, Contexto& ctx);
// "relatorio" (a report of a calculation to PDF or text) and "relatorio-verbas" (the catalogue).
void RegistraRelatorios(CLI::App& app, Contexto& ctx);
// "verbas exportar|importar" (the catalogue's exchange document).
void RegistraVerbas(CLI::App& app, Contexto& ctx);
// "ponto gerar" (the time cards of a schedule's period).
void RegistraPontoCartoes(CLI::App& ponto, Contexto& ctx);
// "ponto horas" and "ponto integrar" (hours from the time cards, and their period rows).
void RegistraPontoHoras(CLI::App& ponto, Contexto& ctx);
// "ponto relatorio" (the daily or monthly time-card report to PDF or text).
void RegistraPontoRelatorio(CLI::App& ponto, Contexto& ctx);
// "prorrata importar|exportar|listar|excluir|de-calculo" (the pro-rata records and their document).
void RegistraProrrataRegistros(CLI::App& prorrata, Contexto& ctx);
// "prorrata atualizar" (the pro-rata statement: figures, PDF or text).
void RegistraProrrataAtualizar(CLI::App& prorrata, Contexto& ctx);
// "prorrata importar-xml" (records from the court-payments XML document).
void RegistraProrrataXml(CLI::App& prorrata, Contexto& ctx);
// "prorrata planilha" (the pro-rata statement as an .xlsx workbook).
void RegistraProrrataPlanilha(CLI::App& prorrata, Contexto& ctx);
// "planilha PROCESSO GRUPO --saida ARQ.xlsx" (the workbook of a calculation).
void RegistraPlanilha(CLI::App& app, Contexto& ctx);
// "backup criar|restaurar" and "verificar" (table verification and repair).
void RegistraManutencao(CLI::App& app, Contexto& ctx);

}  // namespace korva::cli
