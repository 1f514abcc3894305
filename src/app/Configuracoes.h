#pragma once
// The settings the main window holds, read from the two settings files: the
// private file in the private root (shared by every workstation that opens
// that database) and the workstation file in the user's configuration folder.
// Both files are named "korva.INI".
//
// Reading rule: a key is read with the marker "x" as default and trimmed; when
// the result is "x" or empty its default is taken and written back, so after
// the first start every key exists in its file. The rows that differ are noted
// next to their fields.
#include <filesystem>
#include <string>
#include <string_view>

#include "util/Data.h"

namespace korva {

class Configuracoes {
public:
    static constexpr const char* NomeArquivo = "korva.INI";
    static constexpr const char* Organizacao = "Justiça do Trabalho";
    // The court name offered until the user types the real one; the region
    // number is left blank for the user to complete.
    static constexpr const char* TribunalPadrao = "Tribunal Regional do Trabalho da    ª Região";
    static constexpr const char* MunicipioPadrao = "Nome do Município";
    static constexpr int QtdeCalculosPadrao = 100;
    static constexpr int RegionalPadrao = 0;
    static constexpr int PeriodoManutencaoPadrao = 90;

    // ---- private settings file ----
    // [Configuracoes]
    std::string tribunal = TribunalPadrao;
    std::string municipio = MunicipioPadrao;
    std::string setor;  // empty: the start-up reminds the user to fill it in
    std::string integraPartes = "N";
    std::string integraAndamentos = "N";
    std::string integraPrecatorios = "N";
    std::string mascara1, mascara2, mascara3;
    // [Internet]
    std::string proxyEndereco, proxyPorta, proxyUsuario;
    std::string proxyUsaProxy = "N";
    std::string proxyAutenticacao = "N";
    // [Banco de Dados] "Qtde. Calculos por SubDiretorio": a positive integer,
    // else 100 (written back).
    int qtdeCalculosPorSubDiretorio = QtdeCalculosPadrao;
    // [INSS] "Gerar Arquivo para o INSS": only a missing key takes "N".
    std::string gerarArquivoINSS = "N";
    // [INSS] "Diretorio": only a missing key takes the default
    // (DiretorioINSSPadrao); held with a trailing separator.
    std::string diretorioINSS;
    // [INSS] "Regional": a positive integer, else 0 (written back as "00").
    int regional = RegionalPadrao;
    // [INSS] "Periodo de Manutencao dos Arquivos": a positive integer, else 90
    // (written back).
    int periodoManutencaoArquivos = PeriodoManutencaoPadrao;

    // ---- workstation settings file ----
    // [Configuracoes]
    std::string exibirDescricaoVerbas = "S";
    int ordenacaoParametros1 = 0;  // written back at shutdown
    int ordenacaoParametros2 = 0;  // written back at shutdown
    std::string lembraResumo = "S";

    // [Informação] "Caminho": the skin file (default CaminhoSkinPadrao). Read
    // from both files; the workstation value replaces the private one.
    std::string caminhoSkin;

    // ---- fixed values ----
    std::string versao = std::string("Ulmeris 2.4 - ") + Organizacao;  // printed in report footers
    Data dataCorte = Data::de(2010, 7, 28);  // cut-over date of the income-tax rules

    // Reads both files, writing every missing default back. `raizCompartilhada`
    // is the shared root, the base of the skin file default. Fails with ErroES
    // when a file cannot be read or written.
    void le(const std::filesystem::path& pastaPrivada, const std::filesystem::path& pastaEstacao,
            const std::string& raizCompartilhada);

    // Writes "Ordenacao Parametros1" and "Ordenacao Parametros2" to the
    // workstation file (at shutdown).
    void gravaOrdenacoes() const;
    // The summary reminder's check box: "S" (ticked) or "N". When that differs
    // from "Lembra Resumo" it becomes current and is written at once to the
    // workstation file. True when it changed.
    bool defineLembraResumo(bool lembrar);
    // Writes the settings the configuration dialog edits: to the private file
    // the names, switches, masks, folder size and remittance options (the
    // regional number as a plain decimal number), to the workstation file the
    // two display preferences.
    void gravaConfiguracao() const;

    const std::filesystem::path& arquivoPrivado() const { return arquivoPrivado_; }
    const std::filesystem::path& arquivoEstacao() const { return arquivoEstacao_; }

    bool setorVazio() const;

    // Defaults that name files of this installation: inside its database
    // folders, written with the separator of this platform ("/" here). A file
    // still holding the default of the Windows installations ("C:\", or the
    // shared root + "\Skins\MXSKIN28.SKN") gets the default of this one,
    // written back.
    // The folder "Remessa" of the private database, with a trailing separator.
    static std::string DiretorioINSSPadrao(const std::filesystem::path& pastaPrivada);
    // Skins/MXSKIN28.SKN in the shared root.
    static std::string CaminhoSkinPadrao(const std::string& raizCompartilhada);
    // The folder with the separator of this platform appended, unless it
    // already ends with "/" or "\"; an empty text stays empty (no folder).
    static std::string ComSeparadorFinal(std::string_view pasta);
    // The settings file of a folder: an existing file whose name equals
    // "korva.INI" without regard to case, else "korva.INI" in that folder.
    static std::filesystem::path ArquivoDaPasta(const std::filesystem::path& pasta);

private:
    std::filesystem::path arquivoPrivado_;
    std::filesystem::path arquivoEstacao_;
};

}  // namespace korva
