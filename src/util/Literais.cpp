#include "util/Literais.h"

#include <fnmatch.h>

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "storage/Aliases.h"
#include "util/Data.h"
#include "util/Erros.h"
#include "util/Texto.h"

namespace fs = std::filesystem;

namespace korva {

namespace {

std::string AcrescentaSeFaltar(std::string_view caminho, char separador) {
    std::string r(caminho);
    if (!r.empty() && r.back() != separador) r += separador;
    return r;
}

// Prepends or appends `preenche` until the trimmed text has `largura` characters.
std::string Preenche(std::string_view texto, int largura, char32_t preenche, bool aEsquerda) {
    std::u32string t = ParaU32(Apara(texto));
    if (largura > 0 && t.size() < static_cast<size_t>(largura)) {
        const std::u32string enchimento(static_cast<size_t>(largura) - t.size(), preenche);
        t = aEsquerda ? enchimento + t : t + enchimento;
    }
    return ParaUtf8(t);
}

std::string MotivoSistema(const std::error_code& ec) {
    switch (ec.value()) {
        case EACCES:
        case EPERM: return "permissão negada";
        case ENOENT: return "arquivo não encontrado";
        case EISDIR:
        case ENOTEMPTY: return "é uma pasta";
        case EBUSY: return "arquivo em uso";
        case EROFS: return "sistema de arquivos somente para leitura";
        case ENOTDIR: return "caminho inválido";
        default: return "erro do sistema " + std::to_string(ec.value());
    }
}

}  // namespace

std::string Literais::IncluiBarra(std::string_view caminho) { return AcrescentaSeFaltar(caminho, '\\'); }

std::string Literais::IncluiSeparador(std::string_view caminho) { return AcrescentaSeFaltar(caminho, '/'); }

std::vector<std::string> Literais::ListaSubDiretorios(std::string_view pasta, std::string_view padrao) {
    std::string local = IncluiBarra(pasta);
    for (char& c : local)
        if (c == '\\') c = '/';
    const std::string filtro(padrao);

    std::vector<std::string> nomes;
    std::error_code ec;
    if (local.empty()) local = "./";
    if (!fs::is_directory(local, ec)) return nomes;

    fs::directory_iterator it(local, ec);
    if (ec) throw ErroES("Não foi possível ler a pasta '" + local + "': " + MotivoSistema(ec) + ".");
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        const std::string nome = it->path().filename().string();
        if (nome.empty() || nome[0] == '.') continue;
        if (fnmatch(filtro.c_str(), nome.c_str(), FNM_CASEFOLD) != 0) continue;
        std::error_code ecStatus;
        const fs::file_status st = it->symlink_status(ecStatus);
        if (ecStatus || st.type() != fs::file_type::directory) continue;
        if ((st.permissions() & fs::perms::owner_write) == fs::perms::none) continue;
        nomes.push_back(nome);
    }
    if (ec) throw ErroES("Não foi possível ler a pasta '" + local + "': " + MotivoSistema(ec) + ".");
    return nomes;
}

void Literais::ProximoMes(uint16_t& mes, uint16_t& ano) {
    ++mes;
    if (mes > 12) {
        mes = 1;
        ++ano;
    }
}

bool Literais::DataValida(std::string_view texto) { return Data::lerDMA(texto).has_value(); }

bool Literais::EhParticula(std::u32string_view t) {
    auto em = [&](size_t i) { return i < t.size() ? t[i] : U' '; };
    const char32_t c1 = em(0), c2 = em(1), c3 = em(2);
    if (c1 == U'd') {
        if (c2 == U'e' && c3 == U' ') return true;
        if ((c2 == U'a' || c2 == U'o') && (c3 == U' ' || c3 == U's')) return true;
    }
    return c2 == U' ' && c3 == U' ';
}

bool Literais::EhParticula(std::string_view texto) { return EhParticula(std::u32string_view(ParaU32(texto))); }

std::string Literais::NomeProprio(std::string_view texto) {
    std::u32string resto = ParaU32(Minusculas(Apara(texto)));
    auto maiusculaEm = [](std::u32string& s, size_t i) {
        if (i < s.size()) s[i] = MaiusculaLatin1(s[i]);
    };
    auto particula = [](std::u32string_view palavra) {
        std::u32string t(palavra);
        t += U"  ";
        return EhParticula(std::u32string_view(t));
    };

    for (const char32_t separador : {U' ', U'.', U'/', U'-'}) {
        std::u32string acumulado;
        size_t p;  // position of the separator, counted from 0
        while ((p = resto.find(separador)) != std::u32string::npos) {
            switch (separador) {
                case U' ':
                    // A word of four or more letters always gets its capital;
                    // a shorter one unless it is a particle.
                    if (p + 1 > 4 || !particula(resto.substr(0, p))) maiusculaEm(resto, 0);
                    break;
                case U'.':
                    if (p > 0 && resto[p - 1] == U' ') {
                        resto.erase(p - 1, 1);
                        --p;
                    }
                    maiusculaEm(resto, 0);
                    break;
                default:  // "/" and "-": the letter after the separator
                    maiusculaEm(resto, p + 1);
                    break;
            }
            acumulado.append(resto, 0, p + 1);
            resto.erase(0, p + 1);
        }
        if (!particula(resto)) maiusculaEm(resto, 0);
        resto = acumulado + resto;
    }
    return ParaUtf8(resto);
}

std::string Literais::ZerosEsquerda(std::string_view texto, int largura) {
    return Preenche(texto, largura, U'0', true);
}

std::string Literais::ZerosEsquerdaInt(long long numero, int largura) {
    if (numero < 0) {
        // The sign stays in front: zeros between sign and digits.
        const unsigned long long absoluto = 0ULL - static_cast<unsigned long long>(numero);
        return "-" + ZerosEsquerda(std::to_string(absoluto), largura - 1);
    }
    return ZerosEsquerda(std::to_string(numero), largura);
}

std::string Literais::PreencheEsquerda(std::string_view texto, int largura, char32_t preenche) {
    return Preenche(texto, largura, preenche, true);
}

std::string Literais::PreencheDireita(std::string_view texto, int largura, char32_t preenche) {
    return Preenche(texto, largura, preenche, false);
}

std::string Literais::CaminhoAlias(const std::string& alias) const {
    if (!aliases_) throw ErroKorva("Configuração dos aliases do banco de dados não disponível.");
    return aliases_->caminho(alias);
}

std::string Literais::DiaSemana(int dia) {
    static const char* const kNomes[] = {"Dom.", "Seg.", "Ter.", "Qua.", "Qui.", "Sex.", "Sáb."};
    if (dia < 1 || dia > 7) return {};
    return kNomes[dia - 1];
}

bool Literais::ApagaArquivo(const std::string& arquivo) {
    const fs::path caminho(arquivo);
    std::error_code ec;
    const fs::file_status st = fs::symlink_status(caminho, ec);
    if (ec || !fs::exists(st)) throw ErroES("Arquivo não encontrado: '" + arquivo + "'.");
    if (st.type() == fs::file_type::directory)
        throw ErroES("Não foi possível apagar o arquivo '" + arquivo + "': é uma pasta.");
    if (st.type() != fs::file_type::symlink) {
        // Clear the read-only state first; a failure here shows up in the removal.
        std::error_code ecPerm;
        fs::permissions(caminho, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add, ecPerm);
    }
    if (!fs::remove(caminho, ec) || ec)
        throw ErroES("Não foi possível apagar o arquivo '" + arquivo + "': " +
                     MotivoSistema(ec ? ec : std::make_error_code(std::errc::no_such_file_or_directory)) + ".");
    return true;
}

}  // namespace korva
