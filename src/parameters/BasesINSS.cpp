#include "parameters/BasesINSS.h"

#include <charconv>

#include "storage/Banco.h"
#include "util/Erros.h"
#include "util/Texto.h"

namespace korva {

namespace {
LinhaBaseLembrada& Lembrada() {
    static LinhaBaseLembrada linha;
    return linha;
}
}  // namespace

std::string BasesINSS::Titulo(const std::string& nomeTabela) {
    return "KORVA - Bases de Cálculo do INSS (" + nomeTabela + ")";
}

void BasesINSS::EsqueceLinhaLembrada() { Lembrada() = {}; }

int BasesINSS::CodigoDaResposta(const std::optional<std::string>& resposta) {
    if (!resposta) return 0;
    const std::string texto = Apara(*resposta);
    int codigo = 0;
    const char* fim = texto.data() + texto.size();
    const char* inicio = texto.data();
    if (inicio != fim && *inicio == '+') ++inicio;
    auto [p, erro] = std::from_chars(inicio, fim, codigo);
    if (erro != std::errc() || p != fim || texto.empty()) return 0;
    return codigo;
}

BasesINSS::BasesINSS(Banco& privado, std::string tabelaD, std::string tabelaB)
    : BasesMensais(privado, std::move(tabelaD), Lembrada(), false), tabelaB_(std::move(tabelaB)) {}

int BasesINSS::buscaDadosParametros(int codigo, const Pergunta& acumular) {
    if (tabela_->editando()) throw ErroKorva(MsgEmEdicao);
    if (codigo < 0) throw ErroKorva(MsgItemInvalido);
    if (codigo == 0) return 0;

    Tabela b(banco_, tabelaB_);
    b.abre();
    b.defineIndice("IndAnoMesItem");
    b.defineFiltro("Item=" + std::to_string(codigo));

    Tabela d(banco_, nome_);
    d.abre();
    d.defineIndice("IndAnoMes");

    int escritos = 0;
    bool perguntou = false, soma_existentes = false;
    auto escreve = [&](int mes, int ano, double soma) {
        if (d.localizaChave({Valor(ano), Valor(mes)})) {
            if (!perguntou) {
                perguntou = true;
                soma_existentes = acumular(PerguntaAcumular);
            }
            const Valor& atual = d.valor("Valor");
            d.edita();
            d["Valor"] = soma_existentes ? (atual.nulo() ? 0.0 : atual.comoNumero()) + soma : soma;
        } else {
            d.insere();
            d["Mes"] = mes;
            d["Ano"] = ano;
            d["Valor"] = soma;
        }
        d.grava();
        ++escritos;
    };

    Transacao transacao(banco_);
    b.primeiro();
    if (!b.fim()) {
        int mes = static_cast<int>(b.valor("Mes").comoInteiro());
        int ano = static_cast<int>(b.valor("Ano").comoInteiro());
        double soma = 0;
        for (; !b.fim(); b.proximo()) {
            const int m = static_cast<int>(b.valor("Mes").comoInteiro());
            const int a = static_cast<int>(b.valor("Ano").comoInteiro());
            const double v = b.valor("Valor").nulo() ? 0.0 : b.valor("Valor").comoNumero();
            if (m == mes && a == ano) {
                soma += v;
            } else {
                escreve(mes, ano, soma);
                mes = m;
                ano = a;
                soma = v;
            }
        }
        if (soma > 0) escreve(mes, ano, soma);
    }
    transacao.confirma();
    b.fecha();
    d.fecha();
    if (tabela_->aberta()) tabela_->atualiza();
    return escritos;
}

}  // namespace korva
