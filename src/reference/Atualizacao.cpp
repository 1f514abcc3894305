#include "reference/Atualizacao.h"

#include <algorithm>

#include "reference/AtualizacaoFormatoDat.h"
#include "storage/Banco.h"
#include "storage/Tabela.h"
#include "util/Erros.h"
#include "util/Texto.h"

namespace korva {
namespace {

namespace fs = std::filesystem;

constexpr const char* NadaAlterado = " Nenhuma tabela foi alterada.";

size_t PosicaoDoCampo(const std::vector<const CampoDat*>& campos, const std::string& nome) {
    for (size_t i = 0; i < campos.size(); ++i)
        if (campos[i]->nome == nome) return i;
    throw ErroKorva("Campo " + nome + " ausente do formato");  // a fault of the format tables
}

std::vector<RegistroDat> LeParaAplicar(const FormatoDat& formato, const fs::path& pasta) {
    const fs::path arquivo = pasta / formato.arquivo;
    std::error_code ec;
    if (!fs::is_regular_file(arquivo, ec))
        throw ErroES("O arquivo " + arquivo.string() + " não foi encontrado." + NadaAlterado);
    try {
        return LeArquivoDat(formato, arquivo);
    } catch (const ErroDados& e) {
        throw ErroDados(e.what() + std::string(NadaAlterado));
    } catch (const ErroES& e) {
        throw ErroES(e.what() + std::string(NadaAlterado));
    }
}

// The files cannot say "empty": an empty value is written as 0. In Valores.DB
// a month may lack the family allowance or the unemployment-insurance values,
// and the readers take an empty field as "no value for the month". A 0 there
// is no real amount, so it is stored empty again; the second family allowance
// is a real 0 in the months that had only the first, and is emptied only
// along with the first. Fields the table requires keep their 0.
RegistroDat DevolveVazios(const FormatoDat& formato, const std::vector<const CampoDat*>& campos,
                          const DefTabela& def, RegistroDat reg) {
    if (&formato != &FormatoValores()) return reg;
    auto esvazia = [&](const char* nome, bool condicao) {
        const size_t i = PosicaoDoCampo(campos, nome);
        const DefCampo* f = def.campo(nome);
        if (condicao && f && !f->obrigatorio && !reg[i].nulo() && reg[i].comoNumero() == 0.0) reg[i] = Valor();
    };
    for (const char* nome : {"LimMinimo", "LimMaximo", "ValorMaximo", "SalFam1"}) esvazia(nome, true);
    esvazia("SalFam2", reg[PosicaoDoCampo(campos, "SalFam1")].nulo());
    return reg;
}

// Merges the records of one file, in file order, into its table.
ResumoTabela Aplica(Banco& banco, const FormatoDat& formato, const std::vector<RegistroDat>& registros) {
    ResumoTabela resumo{formato.tabela, formato.arquivo, registros.size()};
    const auto campos = formato.camposComValor();
    std::vector<size_t> chave;
    for (const auto& nome : formato.chave) chave.push_back(PosicaoDoCampo(campos, nome));

    Tabela tabela(banco, formato.tabela);
    tabela.abre();
    tabela.defineIndice("");
    const bool marcaProgressiva =
        IguaisSemCaixa(formato.tabela, FormatoFaixasINSS().tabela) && tabela.temCampo("Progressiva");
    const size_t ano = marcaProgressiva ? PosicaoDoCampo(campos, "Ano") : 0;
    const size_t mes = marcaProgressiva ? PosicaoDoCampo(campos, "Mes") : 0;
    for (size_t r = 0; r < registros.size(); ++r) {
        const RegistroDat& reg = registros[r];
        const auto contexto = [&] {
            return "Não foi possível gravar o registro " + std::to_string(r + 1) + " do arquivo " + formato.arquivo +
                   " na tabela " + formato.tabela + ": ";
        };
        try {
            std::vector<Valor> valoresChave;
            for (size_t k : chave) valoresChave.push_back(reg[k]);
            if (tabela.localizaChave(valoresChave)) {
                tabela.edita();
                ++resumo.alterados;
            } else {
                tabela.insere();
                for (size_t k : chave) tabela[campos[k]->nome] = reg[k];
                ++resumo.incluidos;
            }
            const RegistroDat valores = DevolveVazios(formato, campos, tabela.definicao(), reg);
            for (size_t i = 0; i < campos.size(); ++i)
                if (std::find(chave.begin(), chave.end(), i) == chave.end()) tabela[campos[i]->nome] = valores[i];
            if (marcaProgressiva)
                tabela["Progressiva"] = MesProgressivo(static_cast<int>(reg[ano].comoInteiro()),
                                                       static_cast<int>(reg[mes].comoInteiro()));
            tabela.grava();
        } catch (const ErroBanco& e) {
            tabela.cancela();
            throw ErroBanco(e.codigo(), contexto() + e.what() + NadaAlterado);
        } catch (const ErroKorva& e) {
            tabela.cancela();
            throw ErroDados(contexto() + e.what() + NadaAlterado);
        }
    }
    return resumo;
}

}  // namespace

std::string CaminhoDownload(const std::string& arquivo) { return "/download/" + arquivo; }

bool MesProgressivo(int ano, int mes) { return ano > 2020 || (ano == 2020 && mes >= 3); }

std::vector<ResumoTabela> AplicaArquivosDat(Banco& compartilhado, const fs::path& pasta) {
    // Every file is read and checked before the first row is stored.
    std::vector<std::pair<const FormatoDat*, std::vector<RegistroDat>>> lidos;
    for (const FormatoDat* f : FormatosNaOrdemDeAplicacao()) lidos.emplace_back(f, LeParaAplicar(*f, pasta));

    std::vector<ResumoTabela> resumos;
    Transacao transacao(compartilhado);
    for (const auto& [formato, registros] : lidos) resumos.push_back(Aplica(compartilhado, *formato, registros));
    transacao.confirma();
    return resumos;
}

std::vector<ResumoTabela> GeraArquivosDat(Banco& compartilhado, const fs::path& pasta) {
    std::error_code ec;
    fs::create_directories(pasta, ec);
    if (ec || !fs::is_directory(pasta, ec))
        throw ErroES("Não foi possível criar a pasta " + pasta.string() + ".");
    std::vector<ResumoTabela> resumos;
    for (const FormatoDat* f : FormatosNaOrdemDeDownload()) {
        const auto campos = f->camposComValor();
        std::vector<RegistroDat> registros;
        {
            Tabela tabela(compartilhado, f->tabela);
            tabela.abre(ModoAbertura::SomenteLeitura);
            tabela.defineIndice("");
            for (tabela.primeiro(); !tabela.fim(); tabela.proximo()) {
                RegistroDat reg;
                for (const CampoDat* c : campos) reg.push_back(tabela.valor(c->nome));
                registros.push_back(std::move(reg));
            }
        }
        GravaArquivoDat(*f, registros, pasta / f->arquivo);
        resumos.push_back({f->tabela, f->arquivo, registros.size()});
    }
    return resumos;
}

void BaixaArquivosDat(const ParametrosAtualizacao& parametros, const ProgressoDownload& progresso) {
    std::error_code ec;
    fs::create_directories(parametros.pasta, ec);
    if (ec || !fs::is_directory(parametros.pasta, ec))
        throw ErroES("Não foi possível criar a pasta " + parametros.pasta.string() + ".");
    ClienteHttp cliente(parametros.servidor, parametros.proxy, parametros.tempos);
    int passo = 0;
    for (const FormatoDat* f : FormatosNaOrdemDeDownload()) {
        if (progresso) progresso(passo, f->rotulo);
        cliente.baixa(CaminhoDownload(f->arquivo), parametros.pasta / f->arquivo);
        ++passo;
    }
    if (progresso) progresso(PassosDownload, "");
}

std::vector<ResumoTabela> AtualizaTabelas(Banco& compartilhado, const ParametrosAtualizacao& parametros,
                                          const ProgressoDownload& progresso) {
    BaixaArquivosDat(parametros, progresso);
    return AplicaArquivosDat(compartilhado, parametros.pasta);
}

}  // namespace korva
