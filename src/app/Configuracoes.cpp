#include "app/Configuracoes.h"

#include <charconv>
#include <optional>

#include "util/ArquivoIni.h"
#include "util/Erros.h"
#include "util/Texto.h"

namespace korva {

namespace fs = std::filesystem;

namespace {

constexpr const char* SecConfiguracoes = "Configuracoes";
constexpr const char* SecInternet = "Internet";
constexpr const char* SecInformacao = "Informação";
constexpr const char* SecBanco = "Banco de Dados";
constexpr const char* SecINSS = "INSS";

constexpr const char* ChaveQtdeCalculos = "Qtde. Calculos por SubDiretorio";
constexpr const char* ChaveGerarINSS = "Gerar Arquivo para o INSS";
constexpr const char* ChavePeriodo = "Periodo de Manutencao dos Arquivos";

// The general reading rule: marker "x", trimmed; "x" or empty takes the
// default, which is written back.
std::string LeTexto(ArquivoIni& ini, const char* secao, const char* chave, const std::string& padrao) {
    const std::string v = Apara(ini.le(secao, chave, "x"));
    if (v == "x" || v.empty()) {
        ini.escreve(secao, chave, padrao);
        return padrao;
    }
    return v;
}

// Only a missing key takes the default (written back); an empty value stays.
std::string LeSemRegraDoVazio(ArquivoIni& ini, const char* secao, const char* chave, const std::string& padrao) {
    if (!ini.existe(secao, chave)) {
        ini.escreve(secao, chave, padrao);
        return padrao;
    }
    return Apara(ini.le(secao, chave));
}

std::optional<int> InteiroPositivo(std::string_view texto) {
    std::string t = Apara(texto);
    std::string_view v(t);
    if (!v.empty() && v.front() == '+') v.remove_prefix(1);
    if (v.empty()) return std::nullopt;
    int n = 0;
    const auto [fim, erro] = std::from_chars(v.data(), v.data() + v.size(), n);
    if (erro != std::errc() || fim != v.data() + v.size() || n <= 0) return std::nullopt;
    return n;
}

// A positive integer, else the default; the default is written back (as
// `escritaPadrao`) whenever the stored text is not a positive integer.
int LeInteiroPositivo(ArquivoIni& ini, const char* secao, const char* chave, int padrao,
                      const std::string& escritaPadrao) {
    if (auto n = InteiroPositivo(ini.le(secao, chave, "x"))) return *n;
    ini.escreve(secao, chave, escritaPadrao);
    return padrao;
}

int LeInteiro(ArquivoIni& ini, const char* secao, const char* chave, int padrao) {
    return Inteiro(LeTexto(ini, secao, chave, std::to_string(padrao))).value_or(padrao);
}

std::string SemSeparadorFinal(std::string pasta) {
    while (!pasta.empty() && (pasta.back() == '\\' || pasta.back() == '/')) pasta.pop_back();
    return pasta;
}

// What earlier versions wrote as the defaults, the paths of a Windows
// installation: never a file or folder of this one.
bool EhDiretorioINSSAntigo(std::string_view valor) {
    return IguaisSemCaixa(valor, "C:\\") || IguaisSemCaixa(valor, "C:");
}
std::string CaminhoSkinAntigo(const std::string& raizCompartilhada) {
    return SemSeparadorFinal(raizCompartilhada) + "\\Skins\\MXSKIN28.SKN";
}

}  // namespace

std::string Configuracoes::ComSeparadorFinal(std::string_view pasta) {
    if (pasta.empty() || pasta.back() == '/' || pasta.back() == '\\') return std::string(pasta);
    return std::string(pasta) + static_cast<char>(fs::path::preferred_separator);
}

std::string Configuracoes::DiretorioINSSPadrao(const fs::path& pastaPrivada) {
    return ComSeparadorFinal((pastaPrivada / "Remessa").make_preferred().string());
}

std::string Configuracoes::CaminhoSkinPadrao(const std::string& raizCompartilhada) {
    return (fs::path(SemSeparadorFinal(raizCompartilhada)) / "Skins" / "MXSKIN28.SKN").make_preferred().string();
}

fs::path Configuracoes::ArquivoDaPasta(const fs::path& pasta) {
    std::error_code ec;
    for (fs::directory_iterator it(pasta, ec), fim; !ec && it != fim; it.increment(ec)) {
        const std::string nome = it->path().filename().string();
        if (IguaisSemCaixa(nome, NomeArquivo) && it->is_regular_file(ec)) return it->path();
    }
    return pasta / NomeArquivo;
}

bool Configuracoes::setorVazio() const { return Apara(setor).empty(); }

void Configuracoes::le(const fs::path& pastaPrivada, const fs::path& pastaEstacao,
                       const std::string& raizCompartilhada) {
    arquivoPrivado_ = ArquivoDaPasta(pastaPrivada);
    arquivoEstacao_ = ArquivoDaPasta(pastaEstacao);
    const std::string skinPadrao = CaminhoSkinPadrao(raizCompartilhada);
    const std::string skinAntigo = CaminhoSkinAntigo(raizCompartilhada);
    auto leSkin = [&](ArquivoIni& ini) {
        const std::string v = LeTexto(ini, SecInformacao, "Caminho", skinPadrao);
        if (v != skinAntigo) return v;
        ini.escreve(SecInformacao, "Caminho", skinPadrao);
        return skinPadrao;
    };

    ArquivoIni priv(arquivoPrivado_);
    tribunal = LeTexto(priv, SecConfiguracoes, "Tribunal", TribunalPadrao);
    municipio = LeTexto(priv, SecConfiguracoes, "Municipio", MunicipioPadrao);
    setor = LeTexto(priv, SecConfiguracoes, "Setor", "");
    integraPartes = LeTexto(priv, SecConfiguracoes, "Integra Partes", "N");
    integraAndamentos = LeTexto(priv, SecConfiguracoes, "Integra Andamentos", "N");
    integraPrecatorios = LeTexto(priv, SecConfiguracoes, "Integra Precatorios", "N");
    mascara1 = LeTexto(priv, SecConfiguracoes, "Mascara1", "");
    mascara2 = LeTexto(priv, SecConfiguracoes, "Mascara2", "");
    mascara3 = LeTexto(priv, SecConfiguracoes, "Mascara3", "");

    proxyEndereco = LeTexto(priv, SecInternet, "ProxyEndereco", "");
    proxyPorta = LeTexto(priv, SecInternet, "ProxyPorta", "");
    proxyUsuario = LeTexto(priv, SecInternet, "ProxyUsuario", "");
    proxyUsaProxy = LeTexto(priv, SecInternet, "ProxyUsaProxy", "N");
    proxyAutenticacao = LeTexto(priv, SecInternet, "ProxyAutenticacao", "N");

    caminhoSkin = leSkin(priv);

    qtdeCalculosPorSubDiretorio =
        LeInteiroPositivo(priv, SecBanco, ChaveQtdeCalculos, QtdeCalculosPadrao, std::to_string(QtdeCalculosPadrao));

    gerarArquivoINSS = LeSemRegraDoVazio(priv, SecINSS, ChaveGerarINSS, "N");
    const std::string inssPadrao = DiretorioINSSPadrao(pastaPrivada);
    std::string inss = LeSemRegraDoVazio(priv, SecINSS, "Diretorio", inssPadrao);
    if (EhDiretorioINSSAntigo(inss)) {
        inss = inssPadrao;
        priv.escreve(SecINSS, "Diretorio", inss);
    }
    diretorioINSS = ComSeparadorFinal(inss);
    regional = LeInteiroPositivo(priv, SecINSS, "Regional", RegionalPadrao, "00");
    periodoManutencaoArquivos =
        LeInteiroPositivo(priv, SecINSS, ChavePeriodo, PeriodoManutencaoPadrao, std::to_string(PeriodoManutencaoPadrao));

    ArquivoIni est(arquivoEstacao_);
    exibirDescricaoVerbas = LeTexto(est, SecConfiguracoes, "Exibir Descricao das Verbas", "S");
    ordenacaoParametros1 = LeInteiro(est, SecConfiguracoes, "Ordenacao Parametros1", 0);
    ordenacaoParametros2 = LeInteiro(est, SecConfiguracoes, "Ordenacao Parametros2", 0);
    lembraResumo = LeTexto(est, SecConfiguracoes, "Lembra Resumo", "S");
    caminhoSkin = leSkin(est);
}

void Configuracoes::gravaOrdenacoes() const {
    if (arquivoEstacao_.empty()) throw ErroKorva("As configurações ainda não foram lidas.");
    ArquivoIni est(arquivoEstacao_);
    est.escreve(SecConfiguracoes, "Ordenacao Parametros1", std::to_string(ordenacaoParametros1));
    est.escreve(SecConfiguracoes, "Ordenacao Parametros2", std::to_string(ordenacaoParametros2));
}

bool Configuracoes::defineLembraResumo(bool lembrar) {
    const std::string valor = lembrar ? "S" : "N";
    if (valor == lembraResumo) return false;
    if (arquivoEstacao_.empty()) throw ErroKorva("As configurações ainda não foram lidas.");
    ArquivoIni(arquivoEstacao_).escreve(SecConfiguracoes, "Lembra Resumo", valor);
    lembraResumo = valor;
    return true;
}

void Configuracoes::gravaConfiguracao() const {
    if (arquivoPrivado_.empty() || arquivoEstacao_.empty())
        throw ErroKorva("As configurações ainda não foram lidas.");
    ArquivoIni priv(arquivoPrivado_);
    priv.escreve(SecConfiguracoes, "Municipio", municipio);
    priv.escreve(SecConfiguracoes, "Tribunal", tribunal);
    priv.escreve(SecConfiguracoes, "Setor", setor);
    priv.escreve(SecConfiguracoes, "Integra Partes", integraPartes);
    priv.escreve(SecConfiguracoes, "Integra Andamentos", integraAndamentos);
    priv.escreve(SecConfiguracoes, "Integra Precatorios", integraPrecatorios);
    priv.escreve(SecConfiguracoes, "Mascara1", mascara1);
    priv.escreve(SecConfiguracoes, "Mascara2", mascara2);
    priv.escreve(SecConfiguracoes, "Mascara3", mascara3);
    priv.escreve(SecBanco, ChaveQtdeCalculos, std::to_string(qtdeCalculosPorSubDiretorio));
    priv.escreve(SecINSS, ChaveGerarINSS, gerarArquivoINSS);
    priv.escreve(SecINSS, "Diretorio", diretorioINSS);
    priv.escreve(SecINSS, "Regional", std::to_string(regional));
    priv.escreve(SecINSS, ChavePeriodo, std::to_string(periodoManutencaoArquivos));

    ArquivoIni est(arquivoEstacao_);
    est.escreve(SecConfiguracoes, "Exibir Descricao das Verbas", exibirDescricaoVerbas);
    est.escreve(SecConfiguracoes, "Lembra Resumo", lembraResumo);
}

}  // namespace korva
