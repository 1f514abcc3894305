// "ponto horas" and "ponto integrar": hours worked out from the time cards, and the period rows they give.
#include <charconv>
#include <iomanip>
#include <iostream>
#include <memory>
#include <sstream>

#include <nlohmann/json.hpp>

#include "app/Sessao.h"
#include "cli/ChaveCalculo.h"
#include "cli/Contexto.h"
#include "parameters/CalculoMensal.h"
#include "parameters/ParametrosPeriodo.h"
#include "register/RegrasAcrescimos.h"
#include "register/TrocaCalculo.h"
#include "storage/Banco.h"
#include "storage/ConjuntoCalculo.h"
#include "storage/Tabela.h"
#include "timecards/ApuracaoPonto.h"
#include "timecards/IntegracaoPonto.h"
#include "util/Erros.h"
#include "util/Texto.h"

namespace korva::cli {

namespace {

struct Calculo {
    int diretorio = 0, arquivo = 0;
    OpcoesCalculoMensal opcoes;
    std::string tabela(char letra) const { return ConjuntoCalculo::NomeTabelaDe(diretorio, arquivo, letra); }
};

Calculo AbreCalculo(Sessao& sessao, const Chave& chave) {
    Tabela p(sessao.privado(), "Processo.DB");
    p.abre(ModoAbertura::SomenteLeitura);
    if (!LocalizaCalculo(p, Maiusculo(chave.processo), chave.grupo)) throw ErroKorva(NaoEncontrado(chave));
    Calculo c;
    c.diretorio = static_cast<int>(p.valor("Diretorio").comoInteiro());
    c.arquivo = static_cast<int>(p.valor("Arquivo").comoInteiro());
    c.opcoes = OpcoesCalculoMensalDe(p);
    return c;
}

std::string Horas(double h) {
    std::ostringstream s;
    s << std::fixed << std::setprecision(4) << h;
    return s.str();
}

// "figura=K" or "valor=X" (decimal point or comma).
IntegracaoPonto::Escolha LeEscolha(const std::string& opcao, const std::string& texto) {
    const auto igual = texto.find('=');
    const std::string tipo = igual == std::string::npos ? "" : Minusculas(Apara(texto.substr(0, igual)));
    std::string numero = igual == std::string::npos ? "" : Apara(texto.substr(igual + 1));
    for (char& ch : numero)
        if (ch == ',') ch = '.';
    const auto erro = [&] {
        return ErroKorva("Valor inválido para " + opcao + ": \"" + texto + "\" (use figura=K, com K de 0 a 11, ou valor=X).");
    };
    if (numero.empty()) throw erro();
    if (tipo == "figura") {
        int k = 0;
        auto [p, e] = std::from_chars(numero.data(), numero.data() + numero.size(), k);
        if (e != std::errc() || p != numero.data() + numero.size() || k < 0 || k >= QtdeFigurasMes) throw erro();
        return IntegracaoPonto::Escolha::Figura(k);
    }
    if (tipo == "valor") {
        double v = 0;
        auto [p, e] = std::from_chars(numero.data(), numero.data() + numero.size(), v);
        if (e != std::errc() || p != numero.data() + numero.size()) throw erro();
        return IntegracaoPonto::Escolha::Informado(v);
    }
    throw erro();
}

// "MM/AAAA" into the month and year boxes.
void LeMesAno(const std::string& opcao, const std::string& texto, std::string& mes, std::string& ano) {
    const auto barra = texto.find('/');
    if (barra == std::string::npos)
        throw ErroKorva("Valor inválido para " + opcao + ": \"" + texto + "\" (use MM/AAAA).");
    mes = texto.substr(0, barra);
    ano = texto.substr(barra + 1);
}

struct OpcoesIntegrar {
    Chave chave;
    int item = 0, base = 0;
    std::string de, ate, qtde, indice, divisor, diferenca;
};

}  // namespace

void RegistraPontoHoras(CLI::App& ponto, Contexto& ctx) {
    auto chaveHoras = std::make_shared<Chave>();
    auto* horas = ponto.add_subcommand("horas", "Horas dos cartões de ponto: por cartão e as figuras de cada mês");
    OpcoesChave(horas, *chaveHoras);
    horas->callback([&ctx, chaveHoras] {
        Sessao sessao(ctx.ambiente());
        const Calculo c = AbreCalculo(sessao, *chaveHoras);
        const std::vector<JornadaPonto> jornadas = LeJornadas(sessao.privado(), c.tabela('F'));
        const std::vector<CartaoApurado> lidos =
            ApuraCartoes(jornadas, LeCartoes(sessao.privado(), c.tabela('G')));
        const std::vector<FigurasMes> meses = ApuraMeses(jornadas, lidos);
        if (ctx.json) {
            nlohmann::json cartoes = nlohmann::json::array(), lista = nlohmann::json::array();
            for (const CartaoApurado& a : lidos)
                cartoes.push_back({{"Data", a.cartao.data.dma()},
                                   {"Jornada", jornadas[a.jornada].data1.dma()},
                                   {"HorasTrab", a.horas.horasTrab},
                                   {"HorasNot", a.horas.horasNot},
                                   {"HorasExt", a.extras.horasExt},
                                   {"Folgas", a.extras.folgas}});
            for (const FigurasMes& m : meses)
                lista.push_back({{"Ano", m.ano}, {"Mes", m.mes}, {"figuras", m.figuras}});
            std::cout << nlohmann::json{{"cartoes", cartoes}, {"meses", lista}}.dump(2) << "\n";
            return;
        }
        if (lidos.empty()) {
            std::cout << "Nenhum cartão de ponto dentro do período de uma jornada.\n";
            return;
        }
        std::cout << "Data        Jornada     HorasTrab  HorasNot  HorasExt    Folgas\n";
        for (const CartaoApurado& a : lidos)
            std::cout << a.cartao.data.dma() << "  " << jornadas[a.jornada].data1.dma() << std::setw(11)
                      << Horas(a.horas.horasTrab) << std::setw(10) << Horas(a.horas.horasNot) << std::setw(10)
                      << Horas(a.extras.horasExt) << std::setw(10) << Horas(a.extras.folgas) << "\n";
        for (const FigurasMes& m : meses) {
            std::cout << "\n" << std::setw(2) << std::setfill('0') << m.mes << "/" << m.ano << std::setfill(' ') << "\n";
            for (int i = 0; i < QtdeFigurasMes; ++i) {
                // Figures 4 to 9 and 11 count days; the others are hours.
                const bool dias = (i >= 4 && i <= 9) || i == 11;
                std::cout << "  " << std::setw(2) << i << " " << TextosFigurasMes[static_cast<size_t>(i)] << ": "
                          << (dias ? std::to_string(static_cast<long long>(m.figura(i))) : Horas(m.figura(i)))
                          << "\n";
            }
        }
    });

    auto o = std::make_shared<OpcoesIntegrar>();
    auto* integrar = ponto.add_subcommand(
        "integrar", "Inclui nos parâmetros por período (A) uma linha por mês com as figuras dos cartões de ponto");
    OpcoesChave(integrar, o->chave);
    integrar->add_option("--item", o->item, "Item de cálculo")->required();
    integrar->add_option("--base", o->base, "Item base")->required();
    integrar->add_option("--de", o->de, "Primeiro mês (MM/AAAA)")->required();
    integrar->add_option("--ate", o->ate, "Último mês (MM/AAAA)")->required();
    const char* escolha = "figura=K (figura mensal 0 a 11) ou valor=X";
    integrar->add_option("--qtde", o->qtde, std::string("Quantidade: ") + escolha)->required();
    integrar->add_option("--indice", o->indice, std::string("Índice: ") + escolha)->required();
    integrar->add_option("--divisor", o->divisor, std::string("Divisor: ") + escolha)->required();
    integrar->add_option("--diferenca", o->diferenca, "Diferenças negativas: Z (zerar) ou C (compensar)")
        ->check(CLI::IsMember({"Z", "C", "z", "c"}));
    integrar->callback([&ctx, o] {
        IntegracaoPonto::Pedido pedido;
        pedido.item = o->item;
        pedido.base = o->base;
        LeMesAno("--de", o->de, pedido.mes1, pedido.ano1);
        LeMesAno("--ate", o->ate, pedido.mes2, pedido.ano2);
        pedido.qtde = LeEscolha("--qtde", o->qtde);
        pedido.indice = LeEscolha("--indice", o->indice);
        pedido.divisor = LeEscolha("--divisor", o->divisor);

        Sessao sessao(ctx.ambiente());
        const Calculo c = AbreCalculo(sessao, o->chave);
        if (!sessao.privado().existe(c.tabela('A'))) throw ErroKorva("O cálculo não tem a tabela de parâmetros por período.");

        IntegracaoPonto::Interacao interacao;
        interacao.diferencaNegativa = [&]() -> std::string {
            if (o->diferenca.empty())
                throw ErroKorva(std::string(IntegracaoPonto::PerguntaDiferenca) + " Informe --diferenca Z (zerar) ou C (compensar) para o item " +
                                std::to_string(o->item) + ".");
            return Maiusculas(o->diferenca);
        };
        // Code 50: the date of each month is read from the standard input, one a line.
        interacao.pedeData = [](const std::string&, const std::string& prompt,
                                const std::string&) -> std::optional<std::string> {
            std::cerr << prompt << ": " << std::flush;
            std::string linha;
            if (!std::getline(std::cin, linha)) {
                std::cerr << "\n";
                return std::nullopt;
            }
            return linha;
        };
        interacao.avisa = [](const std::string& texto) { std::cerr << texto << "\n"; };

        ParametrosPeriodo periodo(sessao.privado(), c.tabela('A'), c.opcoes.dtBasePadrao);
        periodo.abre();
        std::optional<int> linhas;
        try {
            linhas = IntegracaoPonto(periodo, c.tabela('F'), c.tabela('G'), c.opcoes.dtBasePadrao.dataBasePadrao)
                         .Confirma(pedido, interacao);
        } catch (const ErroCampo& e) {
            // The box of the window, as the option of this command.
            const std::string opcao = e.campo() == "Mes1"   ? "--de"
                                      : e.campo() == "Mes2" ? "--ate"
                                                            : "--" + Minusculas(e.campo());
            throw ErroKorva(std::string(e.what()) + " (" + opcao + ")");
        }
        periodo.fecha();
        if (!linhas) throw ErroKorva("Integração cancelada: nenhuma linha incluída.");
        if (ctx.json) {
            std::cout << nlohmann::json{{"linhas", *linhas}}.dump(2) << "\n";
            return;
        }
        std::cout << *linhas << " linha(s) incluída(s) em " << c.tabela('A') << ".\n";
    });
}

}  // namespace korva::cli
