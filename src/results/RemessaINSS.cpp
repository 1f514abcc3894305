#include "results/RemessaINSS.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <system_error>
#include <vector>

#include "results/ExecucaoCalculo.h"
#include "storage/Banco.h"
#include "storage/ConjuntoCalculo.h"
#include "storage/Tabela.h"
#include "util/Erros.h"
#include "util/Literais.h"
#include "util/Texto.h"

namespace fs = std::filesystem;

namespace korva {
namespace {

constexpr const char* kLiteralRegistro = "VASKO051";
constexpr int kAlgarismosSignificativos = 15;

std::string Grupo3(int grupo) { return Literais::ZerosEsquerdaInt(grupo, 3); }

std::string TextoFalha(const std::string& acao, const fs::path& p, const std::error_code& ec) {
    return "Não foi possível " + acao + " o arquivo '" + p.string() + "'" + (ec ? ": " + ec.message() : "") + ".";
}

// Adds one to a text of decimal digits.
void Incrementa(std::string& digitos) {
    for (auto i = digitos.size(); i-- > 0;) {
        if (digitos[i] != '9') {
            ++digitos[i];
            return;
        }
        digitos[i] = '0';
    }
    digitos.insert(digitos.begin(), '1');
}

std::vector<ParteRemessa> LePartes(Banco& privado, const std::string& tabela, const std::string& filtro) {
    std::vector<ParteRemessa> partes;
    if (!privado.existe(tabela)) return partes;
    Tabela t(privado, tabela);
    t.abre(ModoAbertura::SomenteLeitura);
    t.defineIndice("IndParte");
    t.defineFiltro(filtro);
    for (t.primeiro(); !t.fim(); t.proximo()) {
        ParteRemessa p;
        p.tipoDocumento = t.valor("TipoDocumento").nulo() ? 0 : static_cast<int>(t.valor("TipoDocumento").comoInteiro());
        p.documento = t.valor("Documento").nulo() ? std::string() : t.valor("Documento").comoTexto();
        partes.push_back(std::move(p));
    }
    return partes;
}

std::vector<LinhaRemessa> LeLinhasResultado(Banco& privado, const std::string& tabela) {
    if (!privado.existe(tabela)) throw ErroKorva("O cálculo não tem parâmetros mês a mês.");
    std::vector<LinhaRemessa> linhas;
    Tabela t(privado, tabela);
    t.abre(ModoAbertura::SomenteLeitura);
    t.defineIndice("IndAnoMesItem");
    for (t.primeiro(); !t.fim(); t.proximo()) {
        LinhaRemessa l;
        l.item = static_cast<int>(t.valor("Item").comoInteiro());
        if (!ItemComJuros(l.item)) continue;
        l.mes = static_cast<int>(t.valor("Mes").comoInteiro());
        l.ano = static_cast<int>(t.valor("Ano").comoInteiro());
        l.valor = t.valor("Valor").nulo() ? 0.0 : t.valor("Valor").comoNumero();
        l.inss = t.valor("INSS").nulo() ? std::string() : t.valor("INSS").comoTexto();
        linhas.push_back(std::move(l));
    }
    return linhas;
}

}  // namespace

std::string DigitosProcesso(const std::string& processo) {
    std::string d;
    for (char c : processo)
        if (c >= '0' && c <= '9') d += c;
    return d;
}

std::string NomeArquivoRemessa(const std::string& processo, int grupo) {
    return DigitosProcesso(processo) + Grupo3(grupo) + ".txt";
}

bool EhNomeArquivoRemessa(std::string_view nome) {
    constexpr std::string_view kExtensao = ".txt";
    if (nome.size() < 3 + kExtensao.size()) return false;
    const auto base = nome.substr(0, nome.size() - kExtensao.size());
    if (!IguaisSemCaixa(nome.substr(base.size()), kExtensao)) return false;
    for (char c : base)
        if (c < '0' || c > '9') return false;
    return true;
}

std::string CentavosRemessa(double valor) {
    if (!std::isfinite(valor)) throw ErroKorva("Valor inválido no arquivo de remessa ao INSS.");
    // d.dddddddddddddde±x: the 15 significant digits of the amount.
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*e", kAlgarismosSignificativos - 1, std::fabs(valor));
    const std::string texto(buf);
    const auto e = texto.find('e');
    std::string digitos = texto.substr(0, 1) + texto.substr(2, e - 2);
    const int expoente = std::stoi(texto.substr(e + 1));
    // cents = digitos x 10^deslocamento
    const int deslocamento = expoente - (kAlgarismosSignificativos - 1) + 2;
    if (deslocamento >= 0) {
        digitos.append(static_cast<size_t>(deslocamento), '0');
    } else {
        const auto descartados = static_cast<size_t>(-deslocamento);
        if (digitos.size() <= descartados) digitos.insert(0, descartados + 1 - digitos.size(), '0');
        const std::string fracao = digitos.substr(digitos.size() - descartados);
        digitos.resize(digitos.size() - descartados);
        // Ties to even: above one half rounds up, exactly one half rounds to
        // the even neighbour.
        const std::string meio = "5" + std::string(descartados - 1, '0');
        const int c = fracao.compare(meio);
        if (c > 0 || (c == 0 && (digitos.back() - '0') % 2 == 1)) Incrementa(digitos);
    }
    const auto primeiro = digitos.find_first_not_of('0');
    return primeiro == std::string::npos ? "0" : digitos.substr(primeiro);
}

std::string RegistroRemessa(const std::string& processo, const LinhaRemessa& linha, const ParteRemessa& reclamante,
                            const ParteRemessa& reclamado) {
    const std::string ano = std::to_string(linha.ano);
    const std::string mes = Literais::ZerosEsquerdaInt(linha.mes, 2);
    std::string r;
    r.reserve(120);
    r += kLiteralRegistro;
    r += std::string(20, ' ');
    r += Literais::PreencheDireita(DigitosProcesso(processo), 17, U' ');
    r += ano + mes + ano + mes;
    r += Literais::PreencheEsquerda(CentavosRemessa(linha.valor), 16, U' ');
    r += linha.inss == "S" ? "1" : "0";
    r += Literais::ZerosEsquerdaInt(linha.item, 3);
    r += std::to_string(reclamante.tipoDocumento);
    r += Literais::PreencheEsquerda(Apara(reclamante.documento), 14, U' ');
    r += std::to_string(reclamado.tipoDocumento);
    r += Literais::PreencheEsquerda(Apara(reclamado.documento), 14, U' ');
    r += "0";
    return r;
}

fs::path PastaRemessa(const std::string& diretorioConfigurado, const fs::path& pastaPrivada) {
    const std::string config = Apara(diretorioConfigurado);
    const fs::path padrao = pastaPrivada / "Remessa";
    fs::path pasta = padrao;
    if (!config.empty() && !IguaisSemCaixa(config, "C:\\") && !IguaisSemCaixa(config, "C:")) {
        std::string local = config;
        for (char& c : local)
            if (c == '\\') c = '/';
        while (local.size() > 1 && local.back() == '/') local.pop_back();
        pasta = fs::path(local);
        if (pasta.is_relative()) pasta = pastaPrivada / pasta;
        // A folder the user chose is used as it is: a missing one (a network
        // folder not mounted) fails the writing instead of being made here.
        if (pasta.lexically_normal() != padrao.lexically_normal()) return pasta;
    }
    std::error_code ec;
    fs::create_directories(pasta, ec);
    if (ec) throw ErroES("Não foi possível criar a pasta '" + pasta.string() + "': " + ec.message() + ".");
    return pasta;
}

int GravaRemessa(Banco& privado, const std::string& processo, int grupo, int diretorio, int arquivo,
                 const fs::path& pasta, int diasManutencao, fs::file_time_type agora) {
    const std::string tabelaPartes = ConjuntoCalculo::NomeTabelaDe(diretorio, arquivo, 'C');
    const auto reclamantes = LePartes(privado, tabelaPartes, "TipoParte<3");
    if (reclamantes.empty())
        throw ErroKorva("Não há reclamantes cadastrados no Processo: " + processo + "  Grupo: " + Grupo3(grupo));
    const auto reclamados = LePartes(privado, tabelaPartes, "TipoParte>=3");
    if (reclamados.empty())
        throw ErroKorva("Não há reclamados cadastrados no Processo: " + processo + "  Grupo: " + Grupo3(grupo));
    const auto linhas = LeLinhasResultado(privado, ConjuntoCalculo::NomeTabelaDe(diretorio, arquivo, 'B'));

    // Every record is built before the file is touched: a value that cannot
    // be written fails with the folder as it was.
    std::string conteudo;
    int registros = 0;
    for (const auto& reclamante : reclamantes)
        for (const auto& reclamado : reclamados)
            for (const auto& linha : linhas) {
                conteudo += Utf8ParaCp1252(RegistroRemessa(processo, linha, reclamante, reclamado));
                conteudo += "\r\n";
                ++registros;
            }

    const fs::path destino = pasta / NomeArquivoRemessa(processo, grupo);
    // Not a remittance name, so the purge never takes a file being written for an old one.
    const fs::path temporario = pasta / ("." + destino.filename().string() + ".parcial");
    {
        std::ofstream f(temporario, std::ios::binary | std::ios::trunc);
        if (!f) throw ErroES(TextoFalha("criar", destino, {}));
        f.write(conteudo.data(), static_cast<std::streamsize>(conteudo.size()));
        f.flush();
        if (!f) {
            f.close();
            std::error_code ignora;
            fs::remove(temporario, ignora);
            throw ErroES(TextoFalha("gravar", destino, {}));
        }
    }
    std::error_code ec;
    fs::rename(temporario, destino, ec);
    if (ec) {
        std::error_code ignora;
        fs::remove(temporario, ignora);
        throw ErroES(TextoFalha("gravar", destino, ec));
    }
    PurgaRemessas(pasta, diasManutencao, agora);
    return registros;
}

int PurgaRemessas(const fs::path& pasta, int dias, fs::file_time_type agora) {
    std::error_code ec;
    if (!fs::is_directory(pasta, ec)) return 0;
    using Dias = std::chrono::duration<double, std::ratio<86400>>;
    std::vector<fs::path> velhos;
    fs::directory_iterator it(pasta, ec);
    if (ec) throw ErroES("Não foi possível ler a pasta '" + pasta.string() + "': " + ec.message() + ".");
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        if (ec) throw ErroES("Não foi possível ler a pasta '" + pasta.string() + "': " + ec.message() + ".");
        // This platform has no archive attribute: every regular file with a
        // remittance name is taken as carrying it. Other files of the folder
        // (the user's notes, a read-me) are not ours to delete.
        std::error_code e2;
        if (!it->is_regular_file(e2)) continue;
        if (!EhNomeArquivoRemessa(it->path().filename().string())) continue;
        const auto quando = it->last_write_time(e2);
        if (e2) continue;
        const double idade = std::chrono::duration_cast<Dias>(agora - quando).count();
        if (idade > dias) velhos.push_back(it->path());
    }
    int apagados = 0;
    for (const auto& p : velhos) {
        // Makes the file writable first, as clearing its attributes would.
        std::error_code e3;
        fs::permissions(p, fs::perms::owner_write, fs::perm_options::add, e3);
        const bool apagou = fs::remove(p, e3);
        if (e3) throw ErroES(TextoFalha("apagar", p, e3));
        if (apagou) ++apagados;  // not removed without an error: someone else already did
    }
    return apagados;
}

}  // namespace korva
