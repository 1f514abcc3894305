#include "results/JurosPeriodos.h"

#include "util/Erros.h"

namespace korva {
namespace {

// Cut-over dates of the legal schedule.
const Data kFimMeioPorCento = Data::de(1987, 2, 26);  // last day at 0.5 % simple
const Data kFimCapitalizado = Data::de(1991, 3, 3);   // last day at 1 % compound
const Data kFimLimitado = Data::de(2001, 8, 26);      // last day at 1 % in the limited schedule

Data Menor(Data d, Data final) { return d > final ? final : d; }

void ProximoMes(int& ano, int& mes) {
    if (++mes > 12) {
        mes = 1;
        ++ano;
    }
}

// One more month compounded into the accumulated percentage. A rate that is
// zero or negative leaves it as it is.
void Capitaliza(double& acumulado, double taxa) {
    if (taxa <= 0) return;
    acumulado = acumulado == 0 ? taxa : (acumulado + 100) * (1 + taxa / 100) - 100;
}

char FormaDaLinha(const std::string& forma) {
    const char c = forma.front();
    return c == 's' ? 'S' : c;
}

// The rate period beginning on `inicio`. In mode 2, `posicao` is the first row
// not yet known to end before `inicio`; it only moves forward, because the walk
// asks with ever later start dates, so the rows are scanned once per walk.
PeriodoJuros Proximo(Data inicio, Data final, int modo, const std::vector<VariacaoJuros>& linhas,
                     size_t& posicao) {
    switch (modo) {
        case ModoJuros::Legais:
        case ModoJuros::Limitados:
            if (inicio <= kFimMeioPorCento) return {Menor(kFimMeioPorCento, final), 0.5, 'S'};
            if (inicio <= kFimCapitalizado) return {Menor(kFimCapitalizado, final), 1.0, 'C'};
            if (modo == ModoJuros::Legais) return {final, 1.0, 'S'};
            if (inicio <= kFimLimitado) return {Menor(kFimLimitado, final), 1.0, 'S'};
            return {final, 0.5, 'S'};
        case ModoJuros::Variacao: {
            while (posicao < linhas.size() && linhas[posicao].data < inicio) ++posicao;
            if (posicao == linhas.size()) return {final, 0.0, 'S'};
            const VariacaoJuros& l = linhas[posicao];
            if (l.forma.empty()) return {Menor(l.data, final), 0.0, 'S'};
            return {Menor(l.data, final), l.juros, FormaDaLinha(l.forma)};
        }
        case ModoJuros::UmPorCento:
            return {final, 1.0, 'S'};
        default:
            throw ErroKorva("Modo de cálculo dos juros inválido: " + std::to_string(modo) + ".");
    }
}

}  // namespace

int DiasDoMes(int mes, int ano) { return mes == 2 ? Data::diasNoMes(ano, 2) : 30; }

double FracaoInicial(int dia, int mes, int ano, double taxa) {
    if (dia == 31) return taxa / 30;
    const int l = DiasDoMes(mes, ano);
    return taxa * (l - dia) / l;
}

double FracaoFinal(int dia, int mes, int ano, double taxa) {
    if (dia >= 30) return taxa;
    return taxa * dia / DiasDoMes(mes, ano);
}

double JurosNoMes(Data inicio, Data fim, double taxa) {
    const int mes = inicio.mes(), ano = inicio.ano();
    return FracaoFinal(fim.dia(), mes, ano, taxa) - FracaoFinal(inicio.dia(), mes, ano, taxa);
}

double JurosDoPeriodo(Data inicio, Data fim, double taxa, char forma) {
    int a1, m1, d1, a2, m2, d2;
    inicio.decompoe(a1, m1, d1);
    fim.decompoe(a2, m2, d2);
    const bool simples = forma == 'S';
    double soma = 0, capitalizado = 0;

    // The calendar months strictly between the start month and the end month.
    int ano = a1, mes = m1;
    ProximoMes(ano, mes);
    while (ano * 100 + mes < a2 * 100 + m2) {
        if (simples)
            soma += taxa;
        else
            Capitaliza(capitalizado, taxa);
        ProximoMes(ano, mes);
    }

    if (a1 == a2 && m1 == m2) return soma + JurosNoMes(inicio, fim, taxa);

    if (simples)
        soma += FracaoInicial(d1, m1, a1, taxa);
    else if (d1 <= 15)
        Capitaliza(capitalizado, taxa);
    soma += capitalizado;

    if (simples)
        soma += FracaoFinal(d2, m2, a2, taxa);
    else if (d2 >= 16)
        soma += taxa;
    return soma;
}

PeriodoJuros ProximoPeriodoJuros(Data inicio, Data final, int modo, const std::vector<VariacaoJuros>& linhas) {
    size_t posicao = 0;
    return Proximo(inicio, final, modo, linhas, posicao);
}

double CalculaJuros(bool calcula, Data de, Data ate, int modo, const std::vector<VariacaoJuros>& linhas) {
    if (!calcula) return 0;
    if (modo == ModoJuros::Variacao && linhas.empty()) throw ErroKorva(kMsgInformeVariacaoJuros);
    // A span that ends before it starts earns nothing in any mode.
    if (modo == ModoJuros::UmPorCento) return ate < de ? 0.0 : JurosDoPeriodo(de, ate, 1.0, 'S');
    if (modo < ModoJuros::Legais || modo > ModoJuros::Variacao)
        throw ErroKorva("Modo de cálculo dos juros inválido: " + std::to_string(modo) + ".");

    // The walk goes on to `ate` even past a period of a single day (a start on
    // one of the schedule's last days, or consecutive table dates): such a
    // period earns nothing, and the periods after it earn their own interest.
    double total = 0;
    size_t posicao = 0;
    Data inicio = de;
    while (inicio < ate) {
        const PeriodoJuros p = Proximo(inicio, ate, modo, linhas, posicao);
        total += JurosDoPeriodo(inicio, p.fim, p.taxa, p.forma);
        inicio = p.fim + 1;
    }
    return total;
}

}  // namespace korva
