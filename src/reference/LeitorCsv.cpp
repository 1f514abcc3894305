#include "reference/LeitorCsv.h"

#include "util/Erros.h"

namespace korva {
namespace {

std::string Local(const std::string& arquivo, int linha) {
    return arquivo + ", linha " + std::to_string(linha) + ": ";
}

std::vector<std::string> Campos(std::string_view linha, const std::string& arquivo, int numero) {
    std::vector<std::string> campos;
    std::string atual;
    size_t i = 0;
    while (true) {
        if (i < linha.size() && linha[i] == '"') {
            ++i;
            while (true) {
                if (i >= linha.size())
                    throw ErroDados(Local(arquivo, numero) + "aspas abertas e não fechadas.");
                if (linha[i] == '"') {
                    if (i + 1 < linha.size() && linha[i + 1] == '"') {
                        atual += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                atual += linha[i++];
            }
            if (i < linha.size() && linha[i] != ',')
                throw ErroDados(Local(arquivo, numero) + "texto depois das aspas que fecham um campo.");
        } else {
            while (i < linha.size() && linha[i] != ',') atual += linha[i++];
        }
        campos.push_back(std::move(atual));
        atual.clear();
        if (i >= linha.size()) break;
        ++i;  // the comma: another field follows, possibly empty
    }
    return campos;
}

}  // namespace

int ArquivoCsv::coluna(std::string_view nomeColuna) const {
    for (size_t i = 0; i < colunas.size(); ++i)
        if (colunas[i] == nomeColuna) return static_cast<int>(i);
    return -1;
}

int ArquivoCsv::exigeColuna(std::string_view nomeColuna) const {
    const int c = coluna(nomeColuna);
    if (c < 0) throw ErroDados(nome + ": falta a coluna \"" + std::string(nomeColuna) + "\".");
    return c;
}

ArquivoCsv LeCsv(std::string_view texto, std::string nomeArquivo) {
    ArquivoCsv r;
    r.nome = std::move(nomeArquivo);
    if (texto.substr(0, 3) == "\xEF\xBB\xBF") texto.remove_prefix(3);
    bool temCabecalho = false;
    int numero = 0;
    size_t pos = 0;
    while (pos < texto.size()) {
        size_t fim = texto.find('\n', pos);
        if (fim == std::string_view::npos) fim = texto.size();
        std::string_view linha = texto.substr(pos, fim - pos);
        pos = fim + 1;
        ++numero;
        if (!linha.empty() && linha.back() == '\r') linha.remove_suffix(1);
        if (!temCabecalho) {
            if (linha.empty()) continue;
            if (linha.front() == '#') {
                linha.remove_prefix(1);
                if (!linha.empty() && linha.front() == ' ') linha.remove_prefix(1);
                r.comentarios.emplace_back(linha);
                continue;
            }
            r.colunas = Campos(linha, r.nome, numero);
            temCabecalho = true;
            continue;
        }
        if (linha.empty()) continue;
        LinhaCsv l;
        l.numero = numero;
        l.campos = Campos(linha, r.nome, numero);
        if (l.campos.size() != r.colunas.size())
            throw ErroDados(Local(r.nome, numero) + std::to_string(l.campos.size()) + " campos, mas o cabeçalho tem " +
                            std::to_string(r.colunas.size()) + ".");
        r.linhas.push_back(std::move(l));
    }
    if (!temCabecalho) throw ErroDados(r.nome + ": arquivo sem linha de cabeçalho.");
    return r;
}

}  // namespace korva
