#include "timecards/RelatoriosPonto.h"

#include <algorithm>

#include "app/Configuracoes.h"
#include "reports/BandasComuns.h"
#include "reports/Colunas.h"
#include "reports/Relatorio.h"
#include "results/ExecucaoCalculo.h"
#include "results/FormatoNumero.h"
#include "storage/ConjuntoCalculo.h"
#include "timecards/Horarios.h"
#include "util/Literais.h"

namespace korva {

namespace {

constexpr int Sabado = 7;

// The first Saturday on or after the date.
Data SabadoAte(Data d) { return d + (Sabado - d.diaDaSemana()); }

std::string Horas(double h) { return FormataNumero(h, 2); }

// "Jorn. Diária: 08:00", "Jorn. Sábado: 04:00" ... of a schedule, side by
// side from `x` at `y`, spaced to fill no more than the printable width.
void AdicionaJornada(Banda& b, double y, std::function<const JornadaPonto*(const Contexto&)> jornada, const Medidor& m) {
    using Texto = std::string (*)(const JornadaPonto&);
    static const std::pair<const char*, Texto> campos[] = {
        {"Jorn. Diária: ", [](const JornadaPonto& j) { return TextoHorario(j.jornDiaria); }},
        {"Jorn. Sábado: ", [](const JornadaPonto& j) { return TextoHorario(j.jornSabado); }},
        {"Intervalo: ", [](const JornadaPonto& j) { return TextoHorario(j.intervalo); }},
        {"Hora Ent. Noturna: ", [](const JornadaPonto& j) { return TextoHorario(j.heNot); }},
        {"Hora Sai. Noturna: ", [](const JornadaPonto& j) { return TextoHorario(j.hsNot); }},
    };
    const double larguraUtil = A4Largura(Orientacao::Retrato) - Margens{}.esquerda - Margens{}.direita;
    std::vector<double> larguras;
    double soma = 0;
    for (const auto& [rotulo, _] : campos) {
        larguras.push_back(m.largura(std::string(rotulo) + "00:00", FonteCorpo()));
        soma += larguras.back();
    }
    const double n = static_cast<double>(larguras.size());
    const double espaco = std::clamp((larguraUtil - soma) / (n - 1), 0.0, Caracteres(4, m));
    double x = 0;
    for (size_t i = 0; i < larguras.size(); ++i) {
        const char* rotulo = campos[i].first;
        const Texto valor = campos[i].second;
        b.adiciona(ElementoBanda::Campo(x, y, larguras[i], [jornada, rotulo, valor](const Contexto& ctx) {
            const JornadaPonto* j = jornada(ctx);
            return j ? std::string(rotulo) + valor(*j) : std::string();
        }, FonteCorpo()));
        x += larguras[i] + espaco;
    }
}

std::string TextoProcesso(const CabecalhoPonto& cab) {
    return "Processo: " + cab.processo + "     Grupo: " + cab.grupo;
}

// Court name and title, centred and bold.
Banda BandaTitulo(const CabecalhoPonto& cab, const std::string& titulo, const Medidor& m) {
    const double lh = LinhaCorpo(m);
    Banda b;
    b.adiciona(ElementoBanda::Rotulo(0, 0, 0, cab.tribunal, FonteCorpo(true), Alinhamento::Centro));
    b.adiciona(ElementoBanda::Rotulo(0, lh, 0, titulo, FonteCorpo(true), Alinhamento::Centro));
    b.altura = 3 * lh;
    return b;
}

// A rule, the version text in italics and "Pág.: n/N".
Banda BandaRodapePonto(const CabecalhoPonto& cab, const Medidor& m) {
    const double lh = LinhaCorpo(m);
    Banda b;
    b.altura = 2 * lh;
    b.adiciona(ElementoBanda::LinhaH(0, 0, 0));
    Fonte italico = FonteCorpo();
    italico.italico = true;
    b.adiciona(ElementoBanda::Rotulo(0, lh, 0, cab.versao, italico));
    b.adiciona(ElementoBanda::Campo(0, lh, 0, TextoPagina, FonteCorpo(), Alinhamento::Direita));
    return b;
}

// Column titles between two rules.
Banda BandaTitulosColunas(const GradeColunas& g, const Medidor& m) {
    const double lh = LinhaCorpo(m);
    Banda t = g.BandaTitulos(FonteCorpo(true), m);
    for (ElementoBanda& e : t.elementos) e.y += lh;
    const double fim = t.altura + lh;
    t.adiciona(ElementoBanda::LinhaH(0, 0, 0));
    t.adiciona(ElementoBanda::LinhaH(0, fim, 0));
    t.altura = fim + lh;
    return t;
}

Coluna ColunaTexto(const char* titulo, double largura, Alinhamento al, ValorTexto valor) {
    Coluna k;
    k.titulo = titulo;
    k.largura = largura;
    k.alinhamento = al;
    k.valor = std::move(valor);
    return k;
}

}  // namespace

std::string TextoDiaCartao(Data data, bool folga) {
    return data.dma() + " (" + Literais::DiaSemana(data.diaDaSemana()) + ")" + (folga ? " - F" : "");
}

std::string TextoMarcacoes(const CartaoPonto& cartao, int turnos) {
    const int n = std::clamp(turnos, 1, 4);
    std::string r;
    for (int t = 0; t < n; ++t) {
        if (t > 0) r += " ";
        r += TextoHorario(cartao.marcacoes[static_cast<size_t>(2 * t)]) + " " +
             TextoHorario(cartao.marcacoes[static_cast<size_t>(2 * t + 1)]);
    }
    return r;
}

RelatorioPonto ApuraRelatorioPonto(std::vector<JornadaPonto> jornadas, const std::vector<CartaoApurado>& lidos) {
    RelatorioPonto r;
    r.jornadas = std::move(jornadas);
    r.cartoes.reserve(lidos.size());

    double semana = 0;  // R: hours of the open week
    Data fimSemana;     // WE: last day of the open week
    MesRelatorio* mes = nullptr;

    // The month's totals are taken with its last card current: the open week
    // is weighed against that card's schedule and cut at the month end.
    auto fechaMes = [&] {
        const JornadaPonto& j = r.jornadas[r.cartoes[mes->ultimo].jornada];
        if (j.semanal && semana > j.horasSemanais) mes->extras += semana - j.horasSemanais;
        semana = 0;
        r.horasTrab += mes->horasTrab;
        r.horasNot += mes->horasNot;
        r.folgas += mes->folgas;
        r.extras += mes->extras;
        r.dias += mes->dias;
        r.diasFolga += mes->diasFolga;
    };

    for (const CartaoApurado& a : lidos) {
        const JornadaPonto& j = r.jornadas[a.jornada];
        const Data data = a.cartao.data;
        if (!mes) fimSemana = SabadoAte(data);
        if (!mes || mes->ano != data.ano() || mes->mes != data.mes()) {
            if (mes) fechaMes();
            MesRelatorio novo;
            novo.ano = data.ano();
            novo.mes = data.mes();
            novo.primeiro = r.cartoes.size();
            novo.diasDoMes = Data::diasNoMes(novo.ano, novo.mes);
            r.meses.push_back(novo);
            mes = &r.meses.back();
        }

        CartaoRelatorio c;
        c.data = data;
        c.jornada = a.jornada;
        c.mes = r.meses.size() - 1;
        c.folga = a.cartao.folga;
        c.dia = TextoDiaCartao(data, c.folga);
        c.marcacoes = TextoMarcacoes(a.cartao, j.turnos);
        c.horasTrab = a.horas.horasTrab;
        c.horasNot = a.horas.horasNot;
        c.horasExt = a.extras.horasExt;
        c.folgas = a.extras.folgas;
        mes->ultimo = r.cartoes.size();
        mes->horasTrab += c.horasTrab;
        mes->horasNot += c.horasNot;
        mes->folgas += c.folgas;

        const double ht = c.horasTrab;
        if (ht > 0) {
            ++mes->dias;
            if (c.folga) ++mes->diasFolga;
        }
        if (!j.semanal) {
            mes->extras += c.horasExt;
        } else if (data < fimSemana) {
            semana += ht;
        } else if (data == fimSemana) {
            semana += ht;
            if (semana > j.horasSemanais) mes->extras += semana - j.horasSemanais;
            semana = 0;
            fimSemana = SabadoAte(data + 1);
        } else {
            if (semana > j.horasSemanais) mes->extras += semana - j.horasSemanais;
            semana = ht;
            fimSemana = SabadoAte(data);
        }
        r.cartoes.push_back(std::move(c));
    }
    if (mes) fechaMes();
    return r;
}

RelatorioPonto LeRelatorioPonto(Banco& privado, const std::string& tabelaF, const std::string& tabelaG) {
    std::vector<JornadaPonto> jornadas = LeJornadas(privado, tabelaF);
    const std::vector<CartaoApurado> lidos = ApuraCartoes(jornadas, LeCartoes(privado, tabelaG));
    return ApuraRelatorioPonto(std::move(jornadas), lidos);
}

Documento DiagramaPontoDiario(const RelatorioPonto& dados, const CabecalhoPonto& cab, const Medidor& m) {
    const double lh = LinhaCorpo(m);
    const double c = Caracteres(1, m);
    size_t atual = 0;
    FonteFuncoes fonte([&] { return dados.cartoes.size(); }, [&](size_t i) { atual = i; });
    const auto cartao = [&]() -> const CartaoRelatorio& { return dados.cartoes[atual]; };
    const auto mes = [&]() -> const MesRelatorio& { return dados.meses[dados.cartoes[atual].mes]; };
    const auto jornada = [&]() -> const JornadaPonto& { return dados.jornadas[dados.cartoes[atual].jornada]; };

    const auto esq = Alinhamento::Esquerda, dir = Alinhamento::Direita;
    GradeColunas g;
    g.espaco = c;
    g.colunas.push_back(ColunaTexto("Data", 21 * c, esq, [&](const Contexto&) { return cartao().dia; }));
    g.colunas.push_back(ColunaTexto("Marcações", 0, esq, [&](const Contexto&) { return cartao().marcacoes; }));
    g.colunas.push_back(
        ColunaTexto("Horas Trab.", 13 * c, dir, [&](const Contexto&) { return Horas(cartao().horasTrab); }));
    // Daily overtime only where the schedule counts by day: by week it is
    // the week, not the day, that makes overtime.
    g.colunas.push_back(ColunaTexto("Horas Extras", 13 * c, dir, [&](const Contexto&) {
        return jornada().semanal ? std::string() : Horas(cartao().horasExt);
    }));
    g.colunas.push_back(
        ColunaTexto("Horas Noturnas", 13 * c, dir, [&](const Contexto&) { return Horas(cartao().horasNot); }));
    const double larguraUtil = A4Largura(Orientacao::Retrato) - Margens{}.esquerda - Margens{}.direita;
    // The punches take the room the other columns leave.
    g.colunas[1].largura = 0;
    g.AlargaAosTitulos(FonteCorpo(true), m);
    double outras = 0;
    for (size_t i = 0; i < g.colunas.size(); ++i)
        if (i != 1) outras += g.colunas[i].largura + g.espaco;
    g.colunas[1].largura = std::max(20 * c, larguraUtil - outras);

    Relatorio rel;
    rel.orientacao = Orientacao::Retrato;
    rel.cabecalhoPagina.push_back(BandaTitulo(cab, kTituloPontoDiario, m));
    rel.rodapePagina.push_back(BandaRodapePonto(cab, m));

    Grupo grupo;
    grupo.chave = [&](const Contexto&) { return std::to_string(dados.cartoes[atual].mes); };
    Banda cabecalho;
    cabecalho.novaPaginaAntes = true;
    cabecalho.adiciona(ElementoBanda::Rotulo(0, 0, 0, TextoProcesso(cab), FonteCorpo(true)));
    AdicionaJornada(cabecalho, lh, [&](const Contexto&) -> const JornadaPonto* { return &jornada(); }, m);
    Banda titulos = BandaTitulosColunas(g, m);
    const double topo = 3 * lh;
    for (ElementoBanda e : titulos.elementos) {
        e.y += topo;
        cabecalho.adiciona(std::move(e));
    }
    cabecalho.altura = topo + titulos.altura;
    grupo.cabecalho = std::move(cabecalho);

    // The month's totals, in bold, below the columns they sum.
    Banda rodape;
    const Fonte negrito = FonteCorpo(true);
    const auto emColuna = [&](size_t i, double y, ValorTexto v) {
        rodape.adiciona(ElementoBanda::Campo(g.inicio(i), y, g.colunas[i].largura, std::move(v), negrito, dir));
    };
    rodape.adiciona(ElementoBanda::LinhaH(0, 0, 0));
    rodape.adiciona(ElementoBanda::Rotulo(g.inicio(1), lh, g.colunas[1].largura, "Totais ==>", negrito, dir));
    emColuna(2, lh, [&](const Contexto&) { return Horas(mes().horasTrab); });
    emColuna(3, lh, [&](const Contexto&) { return Horas(mes().extras); });
    emColuna(4, lh, [&](const Contexto&) { return Horas(mes().horasNot); });
    const double rotulos = 40 * c, valores = 13 * c;
    const auto linha = [&](int n, const char* rotulo, ValorTexto v) {
        const double y = (3 + n) * lh;
        rodape.adiciona(ElementoBanda::Rotulo(0, y, rotulos, rotulo, negrito));
        rodape.adiciona(ElementoBanda::Campo(rotulos, y, valores, std::move(v), negrito, dir));
    };
    linha(0, "Horas Trabalhadas em Folgas/Feriados:", [&](const Contexto&) { return Horas(mes().folgas); });
    linha(1, "Dias de Folga e Feriados Trabalhados:",
          [&](const Contexto&) { return std::to_string(mes().diasFolga); });
    linha(2, "Total de Dias Trabalhados:", [&](const Contexto&) { return std::to_string(mes().dias); });
    linha(3, "Quantidade de dias do mes:", [&](const Contexto&) { return std::to_string(mes().diasDoMes); });
    rodape.altura = 7 * lh;
    grupo.rodape = std::move(rodape);
    rel.grupos.push_back(std::move(grupo));

    rel.fonte = &fonte;
    rel.detalhe = g.BandaValores(lh, FonteCorpo());
    return Diagrama(rel, m);
}

Documento DiagramaPontoMensal(const RelatorioPonto& dados, const CabecalhoPonto& cab, const Medidor& m) {
    const double lh = LinhaCorpo(m);
    const double c = Caracteres(1, m);
    size_t atual = 0;
    FonteFuncoes fonte([&] { return dados.meses.size(); }, [&](size_t i) { atual = i; });
    const auto mes = [&]() -> const MesRelatorio& { return dados.meses[atual]; };

    const auto dir = Alinhamento::Direita;
    GradeColunas g;
    g.espaco = 2 * c;
    const auto numero = [&](const char* titulo, std::function<std::string(const MesRelatorio&)> v) {
        g.colunas.push_back(ColunaTexto(titulo, 10 * c, dir, [&, v](const Contexto&) { return v(mes()); }));
    };
    g.colunas.push_back(ColunaTexto("Mês/Ano", 10 * c, Alinhamento::Esquerda, [&](const Contexto&) {
        return Literais::ZerosEsquerdaInt(mes().mes, 2) + "/" + std::to_string(mes().ano);
    }));
    numero("Horas Trab.", [](const MesRelatorio& x) { return Horas(x.horasTrab); });
    numero("Horas Extras", [](const MesRelatorio& x) { return Horas(x.extras); });
    numero("Horas Noturnas", [](const MesRelatorio& x) { return Horas(x.horasNot); });
    numero("Dobras", [](const MesRelatorio& x) { return Horas(x.folgas); });
    numero("Folgas Trab.", [](const MesRelatorio& x) { return std::to_string(x.diasFolga); });
    numero("Dias Trabalhados", [](const MesRelatorio& x) { return std::to_string(x.dias); });
    numero("Qtde. Dias Mes", [](const MesRelatorio& x) { return std::to_string(x.diasDoMes); });
    g.AlargaAosTitulos(FonteCorpo(true), m);
    // The columns share what the printable width leaves between them.
    {
        double soma = 0;
        for (const Coluna& k : g.colunas) soma += k.largura;
        const double larguraUtil = A4Largura(Orientacao::Retrato) - Margens{}.esquerda - Margens{}.direita;
        g.espaco = std::clamp((larguraUtil - soma) / static_cast<double>(g.colunas.size() - 1), 0.0, 2 * c);
    }

    Relatorio rel;
    rel.orientacao = Orientacao::Retrato;
    Banda cabecalho = BandaTitulo(cab, kTituloPontoMensal, m);
    cabecalho.adiciona(ElementoBanda::Rotulo(0, 3 * lh, 0, TextoProcesso(cab), FonteCorpo(true)));
    // The schedule of the card current when the page starts: the first card
    // on the first page; later pages start on a month line, whose totals are
    // taken with the month's last card current.
    AdicionaJornada(cabecalho, 4 * lh, [&](const Contexto& ctx) -> const JornadaPonto* {
        if (dados.meses.empty()) return nullptr;
        const size_t linha = ctx.pagina <= 1 ? dados.meses.front().primeiro : dados.meses[atual].ultimo;
        return &dados.jornadas[dados.cartoes[linha].jornada];
    }, m);
    Banda titulos = BandaTitulosColunas(g, m);
    const double topo = 6 * lh;
    for (ElementoBanda e : titulos.elementos) {
        e.y += topo;
        cabecalho.adiciona(std::move(e));
    }
    cabecalho.altura = topo + titulos.altura;
    rel.cabecalhoPagina.push_back(std::move(cabecalho));
    rel.rodapePagina.push_back(BandaRodapePonto(cab, m));

    rel.fonte = &fonte;
    rel.detalhe = g.BandaValores(lh, FonteCorpo());

    Banda resumo;
    const Fonte negrito = FonteCorpo(true);
    const auto emColuna = [&](size_t i, std::string v) {
        resumo.adiciona(ElementoBanda::Rotulo(g.inicio(i), lh, g.colunas[i].largura, std::move(v), negrito, dir));
    };
    resumo.adiciona(ElementoBanda::LinhaH(0, 0, 0));
    resumo.adiciona(ElementoBanda::Rotulo(0, lh, g.colunas[0].largura, "Totais ==>", negrito));
    emColuna(1, Horas(dados.horasTrab));
    emColuna(2, Horas(dados.extras));
    emColuna(3, Horas(dados.horasNot));
    emColuna(4, Horas(dados.folgas));
    emColuna(5, std::to_string(dados.diasFolga));
    emColuna(6, std::to_string(dados.dias));
    resumo.altura = 2 * lh;
    rel.resumo.push_back(std::move(resumo));
    return Diagrama(rel, m);
}

const char* TituloRelatorioPonto(TipoRelatorioPonto tipo) {
    return tipo == TipoRelatorioPonto::Diario ? kTituloPontoDiario : kTituloPontoMensal;
}

Documento ProduzRelatorioPonto(TipoRelatorioPonto tipo, Banco& privado, const Configuracoes& configuracoes,
                               const ParametrosExecucao& calculo, const Medidor& m) {
    const RelatorioPonto dados =
        LeRelatorioPonto(privado, ConjuntoCalculo::NomeTabelaDe(calculo.diretorio, calculo.arquivo, 'F'),
                         ConjuntoCalculo::NomeTabelaDe(calculo.diretorio, calculo.arquivo, 'G'));
    CabecalhoPonto cab;
    cab.tribunal = configuracoes.tribunal;
    cab.processo = calculo.processo;
    cab.grupo = Literais::ZerosEsquerdaInt(calculo.codRecte, 3);
    cab.versao = configuracoes.versao;
    return tipo == TipoRelatorioPonto::Diario ? DiagramaPontoDiario(dados, cab, m)
                                              : DiagramaPontoMensal(dados, cab, m);
}

}  // namespace korva
