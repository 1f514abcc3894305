#pragma once
// The rules of the configuration dialog "Configuração": the values its
// controls edit, which controls are enabled, the key filter of the mask
// fields, the ranges checked on "&OK" and what "&OK" stores.
#include <string>
#include <string_view>

namespace korva {

class Configuracoes;

class ConfiguracaoDialogo {
public:
    static constexpr int RegionalMinimo = 0, RegionalMaximo = 24;
    static constexpr int DiasMinimo = 1, DiasMaximo = 999;
    static constexpr int QtdeCalculosMinimo = 1, QtdeCalculosMaximo = 5000;
    static constexpr size_t TamanhoMascara = 25;
    static constexpr char32_t Retrocesso = 0x08;

    // Page "&Orgão"
    std::string municipio, tribunal, setor;
    // Page "&INSS"
    bool gerarArquivoINSS = false;
    std::string diretorioINSS;
    int regional = 0;
    int periodoManutencaoArquivos = 90;
    // Page "&Dados"
    int qtdeCalculosPorSubDiretorio = 100;
    // Page "&Integração"
    bool integraPartes = false, integraAndamentos = false, integraPrecatorios = false;
    // Page "&Sistema"
    bool exibirDescricaoVerbas = true, lembraResumo = true;
    std::string mascara1, mascara2, mascara3;

    // Loads every control from the current settings (a check box is ticked
    // when its setting is "S").
    void Carrega(const Configuracoes& c);

    // The folder, the regional number and the days can be edited only while
    // the remittance option is ticked.
    bool CamposINSSHabilitados() const { return gerarArquivoINSS; }

    // What the mask field does with a typed character.
    struct ResultadoTecla {
        enum class Acao { Aceita, Recusa, RecusaComBip };
        Acao acao = Acao::Recusa;
        char32_t tecla = 0;  // the character to insert when accepted
        bool aceita() const { return acao == Acao::Aceita; }
    };
    // `texto` is the field's text before the key, `tamanhoSelecao` the number
    // of selected characters. Backspace is always accepted. A field already
    // holding 25 characters refuses every other key with a beep unless some
    // text is selected. Otherwise "-", ".", "/", "9" and "A" are accepted
    // ("a" becomes "A"); anything else is dropped without a sound.
    static ResultadoTecla AceitaTeclaMascara(std::string_view texto, size_t tamanhoSelecao, char32_t tecla);

    // Moves the non-empty masks to the front, keeping their order.
    static void EmpacotaMascaras(std::string& m1, std::string& m2, std::string& m3);

    // Converts a typed number, failing with a Portuguese message naming the
    // field when it is not a whole number within the range.
    static int ConverteInteiro(std::string_view texto, std::string_view campo, int minimo, int maximo);

    // Checks the ranges, failing with ErroKorva. The regional number and the
    // days are checked only while the remittance option is ticked: otherwise
    // they cannot be edited and are written back as they were loaded.
    void Valida() const;

    // "&OK": checks the ranges, then puts every value into the settings (the
    // folder with a trailing "\"), packs the masks and writes both settings
    // files. Nothing changes when a range check fails.
    void Confirma(Configuracoes& c);
};

}  // namespace korva
