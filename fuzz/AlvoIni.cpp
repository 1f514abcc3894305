// The settings-file reader and writer. The input is a first line of names
// and the file itself:
//
//   "<seção>\t<chave>\t<valor>\n<conteúdo do arquivo>"
//
// A first line that starts with "!" reads the file instead as both settings
// files of the program (private and workstation).
//
// Properties of the reader and writer: every key the section lists is found;
// a written key reads back as written (trimmed, line breaks as blanks) while
// the other keys of the section keep their values, and writing it again
// leaves the file as it is. Of the program's settings: the numbers are in
// their ranges, and a second reading after the first writes nothing more and
// reads the same.
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ApoioFuzz.h"
#include "app/Configuracoes.h"
#include "util/ArquivoIni.h"
#include "util/Erros.h"
#include "util/Texto.h"

using namespace korva;
namespace fs = std::filesystem;

namespace {

const fuzz::PastaDoProcesso& Pasta() {
    static const fuzz::PastaDoProcesso pasta("korva-fuzz-ini");
    return pasta;
}

std::string Bytes(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void Grava(const fs::path& p, std::string_view bytes) {
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    fuzz::Exige(static_cast<bool>(out), "o arquivo de entrada foi gravado", p.string());
}

std::string Esperado(std::string_view valor) {
    std::string v(valor);
    for (char& c : v)
        if (c == '\r' || c == '\n') c = ' ';
    return Apara(v);
}

void ArquivoDeConfiguracoes(std::string_view secao, std::string_view chave, std::string_view valor,
                            std::string_view conteudo) {
    const fs::path arquivo = Pasta().caminho() / "teste.ini";
    Grava(arquivo, conteudo);
    ArquivoIni ini(arquivo);

    std::vector<std::pair<std::string, std::string>> antes;
    for (const auto& k : ini.chaves(secao)) {
        fuzz::Exige(ini.existe(secao, k), "uma chave listada é encontrada", k);
        antes.emplace_back(k, ini.le(secao, k));
    }
    fuzz::Exige(ini.existeSecao(secao) || antes.empty(), "uma seção sem cabeçalho não tem chaves");
    (void)ini.le(secao, chave, "padrão");

    try {
        ini.escreve(secao, chave, valor);
    } catch (const ErroKorva&) {
        return;  // a name the file cannot hold
    }
    // Names that are not UTF-8 are read back as Windows-1252: another text.
    if (!Utf8Valido(secao) || !Utf8Valido(chave) || !Utf8Valido(valor)) return;
    fuzz::Exige(ini.existeSecao(secao) && ini.existe(secao, chave), "a chave gravada existe");
    fuzz::Exige(ini.le(secao, chave, "\x01") == Esperado(valor), "a chave gravada é lida como foi gravada",
                ini.le(secao, chave));
    for (const auto& [k, v] : antes)
        if (!IguaisSemCaixa(k, Apara(chave)))
            fuzz::Exige(ini.le(secao, k) == v, "as outras chaves da seção ficam como estavam", k);
    const std::string gravado = Bytes(arquivo);
    ini.escreve(secao, chave, valor);
    fuzz::Exige(Bytes(arquivo) == gravado, "gravar o mesmo valor não muda o arquivo");
}

void ConfiguracoesDoPrograma(std::string_view conteudo) {
    const fs::path privada = Pasta().caminho() / "privada";
    const fs::path estacao = Pasta().caminho() / "estacao";
    fs::create_directories(privada);
    fs::create_directories(estacao);
    Grava(privada / Configuracoes::NomeArquivo, conteudo);
    Grava(estacao / Configuracoes::NomeArquivo, conteudo);

    Configuracoes c;
    try {
        c.le(privada, estacao, "/srv/korva");
    } catch (const ErroKorva&) {
        return;
    }
    fuzz::Exige(c.qtdeCalculosPorSubDiretorio > 0, "calculos por pasta é positivo");
    fuzz::Exige(c.periodoManutencaoArquivos > 0, "período de manutenção é positivo");
    fuzz::Exige(c.regional >= 0, "regional não é negativo");
    fuzz::Exige(c.diretorioINSS.empty() || c.diretorioINSS.back() == '/' || c.diretorioINSS.back() == '\\',
                "a pasta do INSS, quando há, termina num separador");
    fuzz::Exige(c.diretorioINSS != "C:\\", "a pasta do INSS não é a do Windows");

    const std::string priv = Bytes(c.arquivoPrivado()), est = Bytes(c.arquivoEstacao());
    Configuracoes d;
    d.le(privada, estacao, "/srv/korva");
    fuzz::Exige(Bytes(d.arquivoPrivado()) == priv && Bytes(d.arquivoEstacao()) == est,
                "a segunda leitura não grava nada");
    fuzz::Exige(c.tribunal == d.tribunal && c.municipio == d.municipio && c.setor == d.setor &&
                    c.integraPartes == d.integraPartes && c.mascara1 == d.mascara1 && c.mascara3 == d.mascara3 &&
                    c.proxyEndereco == d.proxyEndereco && c.proxyPorta == d.proxyPorta &&
                    c.proxyUsaProxy == d.proxyUsaProxy && c.qtdeCalculosPorSubDiretorio == d.qtdeCalculosPorSubDiretorio &&
                    c.gerarArquivoINSS == d.gerarArquivoINSS && c.diretorioINSS == d.diretorioINSS &&
                    c.regional == d.regional && c.periodoManutencaoArquivos == d.periodoManutencaoArquivos &&
                    c.exibirDescricaoVerbas == d.exibirDescricaoVerbas &&
                    c.ordenacaoParametros1 == d.ordenacaoParametros1 && c.lembraResumo == d.lembraResumo &&
                    c.caminhoSkin == d.caminhoSkin,
                "a segunda leitura lê o mesmo");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dados, size_t tamanho) {
    const std::string_view entrada(reinterpret_cast<const char*>(dados), tamanho);
    const auto quebra = entrada.find('\n');
    const std::string_view nomes = entrada.substr(0, quebra);
    const std::string_view conteudo = quebra == std::string_view::npos ? std::string_view() : entrada.substr(quebra + 1);
    if (!nomes.empty() && nomes.front() == '!') {
        ConfiguracoesDoPrograma(conteudo);
        return 0;
    }
    const auto t1 = nomes.find('\t');
    const std::string_view secao = nomes.substr(0, t1);
    std::string_view resto = t1 == std::string_view::npos ? std::string_view() : nomes.substr(t1 + 1);
    const auto t2 = resto.find('\t');
    const std::string_view chave = resto.substr(0, t2);
    const std::string_view valor = t2 == std::string_view::npos ? std::string_view() : resto.substr(t2 + 1);
    ArquivoDeConfiguracoes(secao, chave, valor, conteudo);
    return 0;
}
