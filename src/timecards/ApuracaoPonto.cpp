#include "timecards/ApuracaoPonto.h"

#include <algorithm>
#include <limits>

#include "storage/Banco.h"
#include "storage/Tabela.h"

namespace korva {

const std::array<const char*, QtdeFigurasMes> TextosFigurasMes = {
    "horas trabalhadas",
    "horas extras",
    "horas noturnas",
    "horas em dias de folga e feriados trabalhados",
    "dias trabalhados",
    "dias úteis trabalhados",
    "dias de folga e feriados trabalhados",
    "qtde. de dias do mês",
    "qtde. de domingos do mês",
    "qtde. de sábados e domingos do mês",
    "horas trabalhadas aos domingos",
    "qtde. de dias do mês - segunda a sábado",
};

double FigurasMes::figura(int indice) const {
    return indice >= 0 && indice < QtdeFigurasMes ? figuras[static_cast<size_t>(indice)] : 0;
}

namespace {

double Numero(const Valor& v) { return v.nulo() ? 0 : v.comoNumero(); }

constexpr int Domingo = 1, Sabado = 7;

// The first Saturday on or after the date.
Data SabadoAte(Data d) { return d + (Sabado - d.diaDaSemana()); }

// Sums and counts of one month of cards.
struct Acumulado {
    int ano = 0, mes = 0;
    double horasTrab = 0, extras = 0, noturnas = 0, folgas = 0, domingos = 0;
    int diasTrab = 0, diasUteis = 0, diasFolga = 0;
};

FigurasMes Fecha(const Acumulado& a) {
    FigurasMes f;
    f.ano = a.ano;
    f.mes = a.mes;
    f.figuras[0] = a.horasTrab;
    f.figuras[1] = a.extras;
    f.figuras[2] = a.noturnas;
    f.figuras[3] = a.folgas;
    f.figuras[4] = a.diasTrab;
    f.figuras[5] = a.diasUteis;
    f.figuras[6] = a.diasFolga;
    f.figuras[10] = a.domingos;
    FigurasCalendario(a.ano, a.mes, f);
    return f;
}

}  // namespace

void FigurasCalendario(int ano, int mes, FigurasMes& f) {
    const int dias = Data::diasNoMes(ano, mes);
    int domingos = 0, sabados = 0;
    const Data primeiro = Data::de(ano, mes, 1);
    for (int i = 0; i < dias; ++i) {
        const int dia = (primeiro + i).diaDaSemana();
        if (dia == Domingo) ++domingos;
        if (dia == Sabado) ++sabados;
    }
    f.figuras[7] = dias;
    f.figuras[8] = domingos;
    f.figuras[9] = domingos + sabados;
    f.figuras[11] = dias - sabados;
}

std::vector<JornadaPonto> LeJornadas(Banco& privado, const std::string& tabelaF) {
    std::vector<JornadaPonto> r;
    if (!privado.existe(tabelaF)) return r;
    Tabela t(privado, tabelaF);
    t.abre(ModoAbertura::SomenteLeitura);
    t.defineOrdem({"Data1"});
    static const char* marcas[] = {"HE1", "HS1", "HE2", "HS2", "HE3", "HS3", "HE4", "HS4"};
    for (t.primeiro(); !t.fim(); t.proximo()) {
        if (t.valor("Data1").nulo() || t.valor("Data2").nulo()) continue;
        JornadaPonto j;
        j.data1 = t.valor("Data1").comoData();
        j.data2 = t.valor("Data2").comoData();
        j.jornDiaria = Numero(t.valor("JornDiaria"));
        j.jornSabado = Numero(t.valor("JornSabado"));
        j.intervalo = Numero(t.valor("Intervalo"));
        j.heNot = Numero(t.valor("HENot"));
        j.hsNot = Numero(t.valor("HSNot"));
        j.turnos = t.valor("Turnos").nulo() ? 1 : static_cast<int>(t.valor("Turnos").comoInteiro());
        j.semanal = !t.valor("Apuracao").nulo() && t.valor("Apuracao").comoTexto() == "S";
        j.horasSemanais = Numero(t.valor("HorasSemanais"));
        j.habilitarTolerancia = !t.valor("HabilitarTolerancia").nulo() && t.valor("HabilitarTolerancia").comoLogico();
        for (size_t i = 0; i < 8; ++i) {
            const std::string m = marcas[i];
            j.previstos[i] = {Numero(t.valor("Prev" + m)), Numero(t.valor("TolAnt" + m)),
                              Numero(t.valor("TolDep" + m))};
        }
        r.push_back(j);
    }
    t.fecha();
    return r;
}

std::vector<CartaoPonto> LeCartoes(Banco& privado, const std::string& tabelaG) {
    std::vector<CartaoPonto> r;
    if (!privado.existe(tabelaG)) return r;
    Tabela t(privado, tabelaG);
    t.abre(ModoAbertura::SomenteLeitura);
    t.defineOrdem({"Data"});
    const DefTabela& def = t.definicao();
    static const char* campos[] = {"Ent1", "Sai1", "Ent2", "Sai2", "Ent3", "Sai3", "Ent4", "Sai4"};
    int pos[8];
    for (int i = 0; i < 8; ++i) pos[i] = def.posicao(campos[i]);
    const int posData = def.posicao("Data"), posSituacao = def.posicao("Situacao");
    const int n = t.quantidade();
    r.reserve(static_cast<size_t>(n));
    for (int l = 0; l < n; ++l) {
        const std::vector<Valor>& v = t.valoresDaLinha(l);
        if (v[static_cast<size_t>(posData)].nulo()) continue;
        CartaoPonto c;
        c.data = v[static_cast<size_t>(posData)].comoData();
        for (size_t i = 0; i < 8; ++i) c.marcacoes[i] = Numero(v[static_cast<size_t>(pos[i])]);
        const Valor& s = v[static_cast<size_t>(posSituacao)];
        c.folga = !s.nulo() && s.comoTexto() == "F";
        r.push_back(c);
    }
    t.fecha();
    return r;
}

std::vector<CartaoApurado> ApuraCartoes(const std::vector<JornadaPonto>& jornadas,
                                        const std::vector<CartaoPonto>& cartoes) {
    std::vector<CartaoApurado> r;
    r.reserve(cartoes.size());
    for (const CartaoPonto& c : cartoes)
        for (size_t j = 0; j < jornadas.size(); ++j) {
            if (!jornadas[j].contem(c.data)) continue;
            CartaoApurado a;
            a.cartao = c;
            a.jornada = j;
            a.horas = CalculaHorasDia(c, jornadas[j]);
            a.extras = HorasExtDia(c, jornadas[j], a.horas.horasTrab);
            r.push_back(a);
        }
    return r;
}

std::vector<FigurasMes> ApuraMeses(const std::vector<JornadaPonto>& jornadas,
                                   const std::vector<CartaoApurado>& lidos) {
    std::vector<FigurasMes> meses;
    if (lidos.empty()) return meses;

    Acumulado mes;
    double semana = 0;  // hours of the open week
    // End of the open week; before every card, so the first card opens a week.
    Data fimSemana = Data::deSerial(std::numeric_limits<int32_t>::min());
    const CartaoApurado* anterior = nullptr;

    auto fechaSemana = [&](const JornadaPonto& j) {
        if (semana > j.horasSemanais) mes.extras += semana - j.horasSemanais;
    };

    for (const CartaoApurado& c : lidos) {
        const JornadaPonto& j = jornadas[c.jornada];
        if (anterior && anterior->anoMes() != c.anoMes()) {
            // The week is cut at the month end: what the month holds of it is
            // weighed against the limit of the new month's first card.
            if (jornadas[anterior->jornada].semanal) fechaSemana(j);
            meses.push_back(Fecha(mes));
            mes = Acumulado{};
            semana = 0;
        }
        if (!anterior || anterior->anoMes() != c.anoMes()) {
            mes.ano = c.cartao.data.ano();
            mes.mes = c.cartao.data.mes();
        }

        const double ht = c.horas.horasTrab;
        mes.folgas += c.extras.folgas;
        mes.noturnas += c.horas.horasNot;
        if (c.cartao.folga)
            ++mes.diasFolga;
        else
            ++mes.diasUteis;
        if (ht > 0) {
            ++mes.diasTrab;
            mes.horasTrab += ht;
            if (c.cartao.data.diaDaSemana() == Domingo) mes.domingos += ht;
        }

        if (!j.semanal) {
            mes.extras += c.extras.horasExt;
        } else if (c.cartao.data < fimSemana) {
            semana += ht;
        } else if (c.cartao.data == fimSemana) {
            semana += ht;
            fechaSemana(j);
            semana = 0;
            fimSemana = SabadoAte(c.cartao.data + 1);
        } else {
            fechaSemana(j);
            semana = ht;
            fimSemana = SabadoAte(c.cartao.data);
        }
        anterior = &c;
    }
    // The last week counts even when it is incomplete.
    const JornadaPonto& ultima = jornadas[anterior->jornada];
    if (ultima.semanal) fechaSemana(ultima);
    meses.push_back(Fecha(mes));
    return meses;
}

}  // namespace korva
