#include "app/ConfiguracaoDialogo.h"

#include <charconv>

#include "app/Configuracoes.h"
#include "util/Erros.h"
#include "util/Texto.h"

namespace korva {

namespace {

constexpr const char* CampoRegional = "Número do Regional";
constexpr const char* CampoDias = "Manter arquivos durante (dias)";
constexpr const char* CampoQtde = "Qtde. de Cálculos por Subdiretório";

[[noreturn]] void ForaDaFaixa(std::string_view campo, int minimo, int maximo) {
    throw ErroKorva("Valor inválido em \"" + std::string(campo) + "\": informe um número inteiro entre " +
                    std::to_string(minimo) + " e " + std::to_string(maximo) + ".");
}

void ConfereFaixa(int valor, std::string_view campo, int minimo, int maximo) {
    if (valor < minimo || valor > maximo) ForaDaFaixa(campo, minimo, maximo);
}

std::string SN(bool marcado) { return marcado ? "S" : "N"; }

}  // namespace

void ConfiguracaoDialogo::Carrega(const Configuracoes& c) {
    municipio = c.municipio;
    tribunal = c.tribunal;
    setor = c.setor;
    gerarArquivoINSS = c.gerarArquivoINSS == "S";
    diretorioINSS = c.diretorioINSS;
    regional = c.regional;
    periodoManutencaoArquivos = c.periodoManutencaoArquivos;
    qtdeCalculosPorSubDiretorio = c.qtdeCalculosPorSubDiretorio;
    integraPartes = c.integraPartes == "S";
    integraAndamentos = c.integraAndamentos == "S";
    integraPrecatorios = c.integraPrecatorios == "S";
    exibirDescricaoVerbas = c.exibirDescricaoVerbas == "S";
    lembraResumo = c.lembraResumo == "S";
    mascara1 = c.mascara1;
    mascara2 = c.mascara2;
    mascara3 = c.mascara3;
}

ConfiguracaoDialogo::ResultadoTecla ConfiguracaoDialogo::AceitaTeclaMascara(std::string_view texto,
                                                                            size_t tamanhoSelecao,
                                                                            char32_t tecla) {
    using Acao = ResultadoTecla::Acao;
    if (tecla == Retrocesso) return {Acao::Aceita, tecla};
    if (Comprimento(texto) >= TamanhoMascara && tamanhoSelecao == 0) return {Acao::RecusaComBip, 0};
    switch (tecla) {
        case U'-':
        case U'.':
        case U'/':
        case U'9':
        case U'A':
            return {Acao::Aceita, tecla};
        case U'a':
            return {Acao::Aceita, U'A'};
        default:
            return {Acao::Recusa, 0};
    }
}

void ConfiguracaoDialogo::EmpacotaMascaras(std::string& m1, std::string& m2, std::string& m3) {
    if (m1.empty() && !m2.empty()) {
        m1 = std::move(m2);
        m2.clear();
    }
    if (m2.empty() && !m3.empty()) {
        m2 = std::move(m3);
        m3.clear();
        if (m1.empty()) {
            m1 = std::move(m2);
            m2.clear();
        }
    }
}

int ConfiguracaoDialogo::ConverteInteiro(std::string_view texto, std::string_view campo, int minimo, int maximo) {
    const std::optional<int> n = Inteiro(texto);
    if (!n) ForaDaFaixa(campo, minimo, maximo);
    ConfereFaixa(*n, campo, minimo, maximo);
    return *n;
}

void ConfiguracaoDialogo::Valida() const {
    if (gerarArquivoINSS) {
        ConfereFaixa(regional, CampoRegional, RegionalMinimo, RegionalMaximo);
        ConfereFaixa(periodoManutencaoArquivos, CampoDias, DiasMinimo, DiasMaximo);
    }
    ConfereFaixa(qtdeCalculosPorSubDiretorio, CampoQtde, QtdeCalculosMinimo, QtdeCalculosMaximo);
    for (const std::string* m : {&mascara1, &mascara2, &mascara3})
        if (Comprimento(*m) > TamanhoMascara)
            throw ErroKorva("A máscara \"" + *m + "\" tem mais de " + std::to_string(TamanhoMascara) +
                            " caracteres.");
}

void ConfiguracaoDialogo::Confirma(Configuracoes& c) {
    Valida();

    c.municipio = municipio;
    c.tribunal = tribunal;
    c.setor = setor;
    c.integraPartes = SN(integraPartes);
    c.integraAndamentos = SN(integraAndamentos);
    c.integraPrecatorios = SN(integraPrecatorios);
    c.qtdeCalculosPorSubDiretorio = qtdeCalculosPorSubDiretorio;
    c.gerarArquivoINSS = SN(gerarArquivoINSS);
    c.diretorioINSS = Configuracoes::ComSeparadorFinal(diretorioINSS);
    c.regional = regional;
    c.periodoManutencaoArquivos = periodoManutencaoArquivos;
    c.exibirDescricaoVerbas = SN(exibirDescricaoVerbas);
    c.lembraResumo = SN(lembraResumo);

    // The fields are typed in capitals; text pasted in lower case is raised too.
    mascara1 = Maiusculas(mascara1);
    mascara2 = Maiusculas(mascara2);
    mascara3 = Maiusculas(mascara3);
    EmpacotaMascaras(mascara1, mascara2, mascara3);
    c.mascara1 = mascara1;
    c.mascara2 = mascara2;
    c.mascara3 = mascara3;

    c.gravaConfiguracao();
}

}  // namespace korva
