#include "app/Sessao.h"

#include "app/Configuracoes.h"
#include "maintenance/CopiaSeguranca.h"
#include "storage/Aliases.h"
#include "storage/Banco.h"
#include "reference/CargaInicial.h"
#include "storage/OrfaosCalculo.h"
#include "reference/EsquemasReferencia.h"
#include "storage/Esquemas.h"
#include "util/Erros.h"
#include "util/Literais.h"

namespace korva {
namespace {

constexpr const char* kAliasPrivado = "CalcPriv";
constexpr const char* kAliasCompartilhado = "CalcShare";

void CriaPasta(const std::filesystem::path& p) {
    std::error_code ec;
    std::filesystem::create_directories(p, ec);
    if (ec) throw ErroES("Não foi possível criar a pasta " + p.string() + ": " + ec.message());
}

std::unique_ptr<Banco> Conecta(const ArquivoAliases& aliases, const char* alias) {
    if (!aliases.existe(alias))
        throw ErroBanco(CodigoBanco::ArquivoNaoEncontrado,
                        std::string("O alias ") + alias + " não está configurado em " + aliases.arquivo().string());
    return std::make_unique<Banco>(alias, aliases.caminho(alias));
}

}  // namespace

bool Sessao::PrimeiraPartida(const Ambiente& ambiente, const std::function<void(const std::string&)>& progresso) {
    std::error_code ec;
    if (std::filesystem::exists(ambiente.arquivoAliases(), ec)) return false;
    auto avisa = [&](const std::string& s) {
        if (progresso) progresso(s);
    };
    const auto privada = ambiente.pastaPrivadaInicial();
    const auto compartilhada = ambiente.pastaCompartilhadaInicial();
    CriaPasta(ambiente.pastaConfig);
    CriaPasta(privada);
    CriaPasta(compartilhada);

    avisa("Criando as tabelas do banco de dados privado...");
    Banco banco("CalcPriv", privada);
    for (const auto& nome : TabelasFixasPrivadas())
        if (!banco.existe(nome)) banco.criaTabela(nome, *EsquemaFixoPrivado(nome));

    avisa("Criando as tabelas do banco de dados compartilhado...");
    Banco comum("CalcShare", compartilhada);
    for (const auto& nome : TabelasCompartilhadas())
        if (!comum.existe(nome)) comum.criaTabela(nome, *EsquemaCompartilhado(nome));

    CarregaDadosEntregues(banco, comum, avisa);

    // The alias file is written last: a first start that stopped half-way is
    // simply run again.
    ArquivoAliases aliases(ambiente.arquivoAliases());
    aliases.defineParametros(kAliasPrivado, {"PATH=" + privada.string()});
    aliases.defineParametros(kAliasCompartilhado, {"PATH=" + compartilhada.string()});
    aliases.salva();
    avisa("Banco de dados criado em " + ambiente.pastaDados.string());
    return true;
}

Sessao::Sessao(const Ambiente& ambiente) : ambiente_(ambiente) {
    aliases_ = std::make_unique<ArquivoAliases>(ambiente.arquivoAliases());
    literais_ = std::make_unique<Literais>(aliases_.get());
    configuracoes_ = std::make_unique<Configuracoes>();
    privado_ = Conecta(*aliases_, kAliasPrivado);
    compartilhado_ = Conecta(*aliases_, kAliasCompartilhado);
    // A restore cut short puts the former tables back before anything reads or completes them.
    for (const Banco* b : {privado_.get(), compartilhado_.get()}) RetomaRestauracaoInterrompida(b->pasta());
    CompletaTabelasPrivadas(*privado_);
    configuracoes_->le(privado_->pasta(), ambiente_.pastaConfig, compartilhado_->pasta().string());
    RemoveOrfaos(*privado_);
}

Sessao::~Sessao() = default;

void Sessao::reconectaPrivado() {
    aliases_->recarrega();
    auto novo = Conecta(*aliases_, kAliasPrivado);
    CompletaTabelasPrivadas(*novo);
    privado_ = std::move(novo);
    configuracoes_->le(privado_->pasta(), ambiente_.pastaConfig, compartilhado_->pasta().string());
    RemoveOrfaos(*privado_);
}

}  // namespace korva
