#include "app/Unidades.h"

#include <fstream>
#include <sstream>

#include "storage/Aliases.h"
#include "util/Erros.h"
#include "util/Texto.h"

namespace korva {

std::vector<Unidade> Unidades::Interpreta(std::string_view conteudo) {
    std::vector<Unidade> r;
    for (auto bruta : Divide(conteudo, '\n')) {
        if (!bruta.empty() && bruta.back() == '\r') bruta.pop_back();
        const std::string linha = TextoExterno(bruta);
        if (Apara(linha).empty()) continue;
        const size_t ponto = linha.find(';');
        if (ponto == std::string::npos) continue;
        std::u32string pasta = ParaU32(std::string_view(linha).substr(ponto + 1));
        if (pasta.size() > TamanhoMaximoPasta) pasta.resize(TamanhoMaximoPasta);
        Unidade u{Apara(std::string_view(linha).substr(0, ponto)), Apara(ParaUtf8(pasta))};
        if (u.pasta.empty()) continue;
        r.push_back(std::move(u));
    }
    return r;
}

std::vector<Unidade> Unidades::Le(const std::filesystem::path& arquivo) {
    std::error_code ec;
    if (!std::filesystem::exists(arquivo, ec)) return {};
    std::ifstream in(arquivo, std::ios::binary);
    std::stringstream ss;
    if (in) ss << in.rdbuf();
    if (!in || in.bad())
        throw ErroES("Não foi possível ler a lista de unidades \"" + arquivo.string() + "\".");
    return Interpreta(ss.str());
}

void Unidades::MudaDiretorio(ArquivoAliases& aliases, const std::string& pasta) {
    if (!aliases.existe(AliasPrivado)) throw ErroKorva(MensagemSemAlias);
    const auto anteriores = aliases.parametros(AliasPrivado);
    aliases.defineParametros(AliasPrivado, {"PATH=" + pasta});
    try {
        aliases.salva();
    } catch (...) {
        aliases.defineParametros(AliasPrivado, anteriores);  // memory stays as the file is
        throw;
    }
}

}  // namespace korva
