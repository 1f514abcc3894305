#include "register/Partes.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

#include "app/Integracao.h"
#include "storage/Banco.h"
#include "storage/ConjuntoCalculo.h"
#include "storage/Excecoes.h"
#include "util/Erros.h"
#include "util/Literais.h"
#include "util/Texto.h"

namespace fs = std::filesystem;

namespace korva {
namespace {

constexpr const char* DependentesInvalido = "Quantidade de dependentes inválida!";
constexpr const char* SequencialForaDaFaixa = "Valor do campo sequencial fora da faixa válida";
constexpr const char* SemDados = "A aplicação de controle não encontrou dados sobre o processo especificado!";

void ConfereDependentes(int64_t n) {
    if (n < 0) throw ErroKorva(DependentesInvalido);
}

void ConfereSequencial(int64_t n) {
    if (n < 0 || n > Partes::SequencialMaximo) throw ErroKorva(SequencialForaDaFaixa);
}

// A decimal integer of an import line (blanks around it allowed).
int64_t Inteiro(const std::string& texto, const char* campo) {
    const std::string t = Apara(texto);
    size_t i = 0;
    if (i < t.size() && (t[i] == '-' || t[i] == '+')) ++i;
    bool valido = i < t.size() && t.size() - i <= 12;
    for (size_t k = i; valido && k < t.size(); ++k) valido = t[k] >= '0' && t[k] <= '9';
    if (!valido) throw ErroConversao("'" + t + "' não é um número inteiro válido para o campo " + campo + ".");
    return std::stoll(t);
}

// Keeps at most `maximo` characters of a UTF-8 text.
std::string Primeiros(const std::string& texto, size_t maximo) {
    const std::u32string u = ParaU32(texto);
    if (u.size() <= maximo) return texto;
    return ParaUtf8(std::u32string_view(u).substr(0, maximo));
}

// Deletes a file of the integration when it is there.
void ApagaSeExiste(const fs::path& arquivo) {
    std::error_code ec;
    if (fs::exists(fs::symlink_status(arquivo, ec))) Literais::ApagaArquivo(arquivo.string());
}

}  // namespace

Partes::Partes(Banco& privado, std::string nomeDiretorio, std::string processo, int arquivo)
    : banco_(privado),
      processo_(std::move(processo)),
      arquivo_(arquivo),
      nomeTabela_(NomeTabelaPartes(nomeDiretorio, arquivo)),
      tabela_(std::make_unique<Tabela>(privado, nomeTabela_)) {}

Partes::~Partes() = default;

std::string Partes::NomeTabelaPartes(const std::string& nomeDiretorio, int arquivo) {
    return nomeDiretorio + ConjuntoCalculo::NomeCurto('C', arquivo) + ".db";
}

std::string Partes::titulo() const { return "KORVA - Tabela de Partes (" + nomeTabela_ + ")"; }

const std::vector<std::pair<std::string, std::string>>& Partes::Colunas() {
    static const std::vector<std::pair<std::string, std::string>> colunas{
        {"Nome", "Nome da Parte"},         {"TipoParte", "Tipo Parte"}, {"Dependentes", "Dependentes"},
        {"Sequencial", "Sequencial"},      {"TipoDocumento", "Tipo Documento"}, {"Documento", "Documento"},
    };
    return colunas;
}

bool Partes::ImportacaoVisivel(const std::string& integraPartes) { return Apara(integraPartes) == "S"; }

void Partes::carregaCodigos(TabelasReferencia& referencia) {
    tiposParte_ = referencia.ListaNomes("TipoParte.db");
    tiposDocumento_ = referencia.ListaNomes("Documento.db");
}

std::string Partes::Nome(const std::vector<ItemLista>& lista, int codigo) {
    for (const auto& item : lista)
        if (item.codigo == codigo) return item.nome;
    return {};
}

void Partes::abre() {
    Tabela& t = *tabela_;
    t.abre();
    t.defineIndice("IndParte");
    aplicaRegras(t);
    t.primeiro();
}

void Partes::fecha() {
    if (!tabela_->aberta()) return;
    if (tabela_->editando()) OperacaoPendente(0);
    tabela_->fecha();
}

void Partes::aplicaRegras(Tabela& t) {
    t.aoNovoRegistro = [](Tabela& tab) {
        tab["Dependentes"] = 0;
        tab["Sequencial"] = 0;
        tab["TipoDocumento"] = DocumentoSequencial;
    };
    t.aoAlterarCampo("Nome", [this](Tabela& tab) {
        if (formatando_) return;
        const Valor& v = tab.valor("Nome");
        if (v.nulo()) return;
        const std::string nome = Literais::NomeProprio(v.comoTexto());
        if (nome == v.comoTexto()) return;
        formatando_ = true;
        try {
            tab["Nome"] = nome;
        } catch (...) {
            formatando_ = false;
            throw;
        }
        formatando_ = false;
    });
    t.validaCampo("Dependentes", [](Tabela&, const Valor& novo) {
        if (!novo.nulo()) ConfereDependentes(novo.comoInteiro());
    });
    t.validaCampo("Sequencial", [](Tabela&, const Valor& novo) {
        if (!novo.nulo()) ConfereSequencial(novo.comoInteiro());
    });
    t.antesGravar = [](Tabela& tab) {
        const Valor& tipo = tab.valor("TipoDocumento");
        if (!tipo.nulo() && tipo.comoInteiro() == DocumentoSequencial && !tab.valor("Sequencial").nulo())
            tab["Documento"] = std::to_string(tab.valor("Sequencial").comoInteiro());
    };
}

// Nome;Dependentes;TipoParte;Sequencial;TipoDocumento;Documento — the
// document is the rest of the line.
void Partes::gravaLinha(const std::string& linha) {
    std::vector<std::string> campos;
    size_t inicio = 0;
    for (int i = 0; i < 5; ++i) {
        const size_t p = linha.find(';', inicio);
        if (p == std::string::npos) {
            throw ErroKorva("A linha não tem os campos esperados (Nome;Dependentes;TipoParte;Sequencial;"
                            "TipoDocumento;Documento).");
        }
        campos.push_back(linha.substr(inicio, p - inicio));
        inicio = p + 1;
    }
    const std::string documento = Primeiros(linha.substr(inicio), DocumentoImportadoMaximo);
    const int64_t dependentes = Inteiro(campos[1], "Dependentes");
    const int64_t tipoParte = Inteiro(campos[2], "TipoParte");
    const int64_t sequencial = Inteiro(campos[3], "Sequencial");
    const int64_t tipoDocumento = Inteiro(campos[4], "TipoDocumento");
    // The checks of the fields, before the table's own range checks can speak first.
    ConfereDependentes(dependentes);
    ConfereSequencial(sequencial);

    Tabela& t = *tabela_;
    t.insere();
    try {
        t["Nome"] = Apara(campos[0]);
        t["Dependentes"] = dependentes;
        t["TipoParte"] = tipoParte;
        t["Sequencial"] = sequencial;
        t["TipoDocumento"] = tipoDocumento;
        t["Documento"] = documento;
        t.grava();
    } catch (...) {
        t.cancela();
        throw;
    }
}

int Partes::importaTexto(std::string_view conteudo) {
    Tabela& t = *tabela_;
    if (!t.aberta()) abre();
    if (t.editando()) t.grava();  // a pending row is stored first, on its own

    std::vector<std::string> linhas;
    for (std::string& l : Divide(conteudo, '\n')) {
        if (!l.empty() && l.back() == '\r') l.pop_back();
        linhas.push_back(TextoExterno(l));
    }
    if (!linhas.empty() && linhas.front().rfind(processo_, 0) == 0) throw ErroKorva(SemDados);

    int gravadas = 0;
    try {
        Transacao tx(banco_);
        for (size_t i = 0; i < linhas.size(); ++i) {
            if (Apara(linhas[i]).empty()) continue;
            try {
                gravaLinha(linhas[i]);
            } catch (const std::exception& e) {
                throw ErroKorva("Erro na linha " + std::to_string(i + 1) + " do arquivo de partes: " + e.what());
            }
            ++gravadas;
        }
        tx.confirma();
    } catch (...) {
        // The transaction is undone: the rows appended by this import are gone,
        // so the dataset reads the table again.
        try {
            t.atualiza();
        } catch (...) {
            // The failure of the import is the one worth reporting.
        }
        throw;
    }
    return gravadas;
}

int Partes::importaArquivo(const fs::path& arquivo) {
    std::ifstream f(arquivo, std::ios::binary);
    if (!f) {
        throw ErroES("Não foi possível abrir o arquivo '" + arquivo.string() + "': " + std::strerror(errno) + ".");
    }
    std::ostringstream conteudo;
    conteudo << f.rdbuf();
    if (f.bad()) throw ErroES("Não foi possível ler o arquivo '" + arquivo.string() + "'.");
    return importaTexto(conteudo.str());
}

int Partes::importa(const fs::path& pastaPrograma, const std::function<void()>& processaEventos) {
    const std::string numero = std::to_string(arquivo_);
    const fs::path programa = pastaPrograma / "Partes.exe";
    const fs::path resultado = pastaPrograma / ("P" + numero + ".PAR");
    const fs::path lote = pastaPrograma / ("P" + numero + ".bat");
    ApagaSeExiste(resultado);

    const std::string linha =
        ArgumentoShell(programa.string()) + " " + ArgumentoShell(processo_) + " " + ArgumentoShell("P" + numero + ".PAR");
    int gravadas = 0;
    try {
        ExecutaIntegracao(programa.string(), linha, lote.string(), processaEventos);
        gravadas = importaArquivo(resultado);
    } catch (...) {
        try {
            ApagaSeExiste(resultado);
            ApagaSeExiste(lote);
        } catch (...) {
            // The failure of the import is the one worth reporting.
        }
        throw;
    }
    ApagaSeExiste(resultado);
    ApagaSeExiste(lote);
    return gravadas;
}

}  // namespace korva
