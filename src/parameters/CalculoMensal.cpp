#include "parameters/CalculoMensal.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <unordered_map>

#include "parameters/CodigosVerba.h"
#include "parameters/GradeCalculo.h"
#include "parameters/ReferenciasCalculo.h"
#include "parameters/VerbasCatalogo.h"
#include "reference/TabelasReferencia.h"
#include "storage/Banco.h"
#include "storage/Gravacao.h"
#include "storage/Tabela.h"

namespace korva {
namespace {

// Positions of the fields of B in its file.
struct CamposB {
    int codigo, item, mes, ano, valor, qtde, indice, divisor, base, vfm, itemMedia, mMes1, mAno1, mMes2, mAno2,
        diferenca, codDataBasePadrao, dtBase, calculado, inss;

    explicit CamposB(const DefTabela& d)
        : codigo(Exige(d, "Codigo")), item(Exige(d, "Item")), mes(Exige(d, "Mes")), ano(Exige(d, "Ano")),
          valor(Exige(d, "Valor")), qtde(Exige(d, "Qtde")), indice(Exige(d, "Indice")),
          divisor(Exige(d, "Divisor")), base(Exige(d, "Base")), vfm(Exige(d, "VFM")),
          itemMedia(Exige(d, "ItemMedia")), mMes1(Exige(d, "MMes1")), mAno1(Exige(d, "MAno1")),
          mMes2(Exige(d, "MMes2")), mAno2(Exige(d, "MAno2")), diferenca(Exige(d, "Diferenca")),
          codDataBasePadrao(Exige(d, "CodDataBasePadrao")), dtBase(Exige(d, "DtBase")),
          calculado(Exige(d, "Calculado")), inss(Exige(d, "INSS")) {}

    static int Exige(const DefTabela& d, const char* campo) {
        const int p = d.posicao(campo);
        if (p < 0) throw ErroKorva(std::string("A tabela de parâmetros mês a mês não tem o campo ") + campo + ".");
        return p;
    }
};

int Inteiro(const Valor& v) { return v.nulo() ? 0 : static_cast<int>(v.comoInteiro()); }
std::optional<int> InteiroOpcional(const Valor& v) {
    if (v.nulo()) return std::nullopt;
    return static_cast<int>(v.comoInteiro());
}
std::optional<double> Numero(const Valor& v) {
    if (v.nulo()) return std::nullopt;
    return v.comoNumero();
}
std::string Texto(const Valor& v) { return v.nulo() ? std::string() : v.comoTexto(); }

Valor DeNumero(const std::optional<double>& n) { return n ? Valor(*n) : Valor(); }
Valor DeInteiro(const std::optional<int>& n) { return n ? Valor(*n) : Valor(); }
Valor DeTexto(const std::string& s) { return s.empty() ? Valor() : Valor(s); }
Valor DeData(const std::optional<Data>& d) { return d ? Valor(*d) : Valor(); }

LinhaCalculo LeLinha(int64_t rowid, const std::vector<Valor>& v, const CamposB& c) {
    LinhaCalculo l;
    l.rowid = rowid;
    l.codigo = v[c.codigo].nulo() ? 0 : v[c.codigo].comoInteiro();
    l.item = Inteiro(v[c.item]);
    l.mes = Inteiro(v[c.mes]);
    l.ano = Inteiro(v[c.ano]);
    l.valor = Numero(v[c.valor]);
    l.qtde = Numero(v[c.qtde]);
    l.indice = Numero(v[c.indice]);
    l.divisor = Numero(v[c.divisor]);
    l.base = InteiroOpcional(v[c.base]);
    l.vfm = Texto(v[c.vfm]);
    l.itemMedia = InteiroOpcional(v[c.itemMedia]);
    l.mMes1 = InteiroOpcional(v[c.mMes1]);
    l.mAno1 = InteiroOpcional(v[c.mAno1]);
    l.mMes2 = InteiroOpcional(v[c.mMes2]);
    l.mAno2 = InteiroOpcional(v[c.mAno2]);
    l.diferenca = Texto(v[c.diferenca]);
    l.codDataBasePadrao = Inteiro(v[c.codDataBasePadrao]);
    if (!v[c.dtBase].nulo()) l.dtBase = v[c.dtBase].comoData();
    l.calculado = !v[c.calculado].nulo() && v[c.calculado].comoLogico();
    l.inss = Texto(v[c.inss]);
    return l;
}

std::vector<Valor> LinhaNova(const LinhaCalculo& l, const CamposB& c, size_t campos) {
    std::vector<Valor> v(campos);
    // Codigo stays empty: the table's counter numbers the row.
    v[c.item] = l.item;
    v[c.mes] = l.mes;
    v[c.ano] = l.ano;
    v[c.valor] = DeNumero(l.valor);
    v[c.qtde] = DeNumero(l.qtde);
    v[c.indice] = DeNumero(l.indice);
    v[c.divisor] = DeNumero(l.divisor);
    v[c.base] = DeInteiro(l.base);
    v[c.vfm] = DeTexto(l.vfm);
    v[c.itemMedia] = DeInteiro(l.itemMedia);
    v[c.mMes1] = DeInteiro(l.mMes1);
    v[c.mAno1] = DeInteiro(l.mAno1);
    v[c.mMes2] = DeInteiro(l.mMes2);
    v[c.mAno2] = DeInteiro(l.mAno2);
    v[c.diferenca] = DeTexto(l.diferenca);
    v[c.codDataBasePadrao] = l.codDataBasePadrao;
    v[c.dtBase] = DeData(l.dtBase);
    v[c.calculado] = l.calculado;
    v[c.inss] = DeTexto(l.inss);
    return v;
}

// The four fields the run changes on a row it read.
struct Alteraveis {
    Valor valor, qtde, dtBase, calculado;
    bool operator==(const Alteraveis&) const = default;
};

Alteraveis AlteraveisDe(const LinhaCalculo& l) {
    return {DeNumero(l.valor), DeNumero(l.qtde), DeData(l.dtBase), Valor(l.calculado)};
}

// Writes the rows of the grid back into B, inside the open transaction.
void GravaGrade(Conexao& con, const DefTabela& def, const CamposB& c, const std::vector<int64_t>& diferencasLidas,
                const std::unordered_map<int64_t, Alteraveis>& lidas, const std::vector<LinhaCalculo>& linhas) {
    for (int64_t rowid : diferencasLidas) ExcluiLinha(con, rowid);

    std::vector<const LinhaCalculo*> novas;
    auto atualiza = con.preparaGuardado("UPDATE Tabela SET " + Aspas(def.campos[c.valor].nome) + "=?1, " +
                                        Aspas(def.campos[c.qtde].nome) + "=?2, " + Aspas(def.campos[c.dtBase].nome) +
                                        "=?3, " + Aspas(def.campos[c.calculado].nome) + "=?4 WHERE rowid=?5");
    for (const auto& l : linhas) {
        if (l.rowid == 0) {
            novas.push_back(&l);
            continue;
        }
        const Alteraveis agora = AlteraveisDe(l);
        auto it = lidas.find(l.rowid);
        if (it != lidas.end() && it->second == agora) continue;
        atualiza.reinicia();
        atualiza.liga(1, agora.valor, TipoCampo::Float);
        atualiza.liga(2, agora.qtde, TipoCampo::Float);
        atualiza.liga(3, agora.dtBase, TipoCampo::Date);
        atualiza.liga(4, agora.calculado, TipoCampo::Boolean);
        atualiza.liga(5, Valor(l.rowid), TipoCampo::Integer);
        atualiza.executa();
    }
    // Added rows are numbered in the order the run made them.
    std::sort(novas.begin(), novas.end(), [](const LinhaCalculo* a, const LinhaCalculo* b) { return a->codigo < b->codigo; });
    for (const LinhaCalculo* l : novas) {
        std::vector<Valor> v = LinhaNova(*l, c, def.campos.size());
        InsereLinha(con, def, v);
    }
}

}  // namespace

OpcoesCalculoMensal OpcoesCalculoMensalDe(const Tabela& p) {
    auto inteiro = [&](const char* c) { return p.valor(c).nulo() ? 0 : static_cast<int>(p.valor(c).comoInteiro()); };
    auto logico = [&](const char* c) { return !p.valor(c).nulo() && p.valor(c).comoLogico(); };
    OpcoesCalculoMensal o;
    o.salario = inteiro("Salario");
    o.valeTransporte = inteiro("ValeTransporte");
    o.atualizarBaseMedia = logico("AtualizarBaseMedia");
    o.anularReflexoNegativo = logico("AnularReflexoNegativo");
    o.indPrincipal = inteiro("IndPrincipal");
    if (!p.valor("DtBase").nulo()) o.dtBase = p.valor("DtBase").comoData();
    o.dtBasePadrao.dataBasePadrao = inteiro("DataBasePadrao");
    o.dtBasePadrao.feriadosNacionais = logico("AtualizaFeriadosNacionais");
    o.dtBasePadrao.feriadosEstaduais = logico("AtualizaFeriadosEstaduais");
    o.dtBasePadrao.feriadosMunic = inteiro("AtualizaFeriadosMunic");
    return o;
}

std::string TextoTempoCalculo(std::chrono::nanoseconds tempo) {
    long long s = std::chrono::duration_cast<std::chrono::seconds>(tempo).count();
    if (s < 0) s = 0;
    char texto[48];
    std::snprintf(texto, sizeof texto, "%02lld:%02lld:%02lld", s / 3600, (s / 60) % 60, s % 60);
    return std::string("Tempo de Cálculo: ") + texto;
}

CalculoMensal::CalculoMensal(Banco& privado, TabelasReferencia& referencia, std::string tabelaB, std::string tabelaI,
                             OpcoesCalculoMensal opcoes, FatorCorrecao fator)
    : banco_(privado),
      referencia_(referencia),
      tabelaB_(std::move(tabelaB)),
      tabelaI_(std::move(tabelaI)),
      opcoes_(opcoes),
      fator_(std::move(fator)) {}

ResultadoCalculoMensal CalculoMensal::Calcula() {
    const auto inicio = std::chrono::steady_clock::now();
    auto con = banco_.conexao(tabelaB_);
    // Refused while another workstation holds B exclusively (a generation).
    TravaTabela trava(banco_.caminho(tabelaB_), TravaTabela::Modo::Compartilhado);
    const DefTabela def = con->definicao();
    const CamposB campos(def);

    Transacao transacao(banco_);
    // B is held for writing from here on: what is read is what gets written over.
    banco_.participa(con);

    std::vector<LinhaCalculo> linhas;
    std::vector<int64_t> diferencasLidas;
    std::unordered_map<int64_t, Alteraveis> lidas;
    LeLinhas(*con, def, [&](int64_t rowid, std::vector<Valor>&& v) {
        LinhaCalculo l = LeLinha(rowid, v, campos);
        if (l.vfm == "D") diferencasLidas.push_back(rowid);
        lidas.emplace(rowid, Alteraveis{v[campos.valor], v[campos.qtde], v[campos.dtBase], v[campos.calculado]});
        linhas.push_back(std::move(l));
    });

    const CalculoDtBase dtBase(referencia_, opcoes_.dtBasePadrao);
    VerbasCatalogo catalogo(banco_);
    std::unordered_map<int, std::optional<PadroesVerba>> verbas;
    ReferenciasCalculo referencias;

    EntradasCalculo e;
    e.referencias = &referencias;
    e.catalogo = [&](int item) {
        auto it = verbas.find(item);
        if (it == verbas.end()) {
            auto v = catalogo.Busca(item);
            it = verbas.emplace(item, v ? std::optional<PadroesVerba>(v->padroes) : std::nullopt).first;
        }
        return it->second;
    };
    e.dtBase = [&](int mes, int ano, std::optional<Data> digitada, int codigo) {
        return dtBase.CalculaDtBase(mes, ano, digitada, codigo);
    };
    e.fator = fator_;
    e.dataBasePadrao = opcoes_.dtBasePadrao.dataBasePadrao;
    e.atualizarBaseMedia = opcoes_.atualizarBaseMedia;
    e.anularReflexoNegativo = opcoes_.anularReflexoNegativo;
    e.indPrincipal = opcoes_.indPrincipal;
    e.dtBaseCalculo = opcoes_.dtBase;
    if (!e.fator)
        e.fator = [](int, Data, Data) -> double {
            throw ErroKorva("O fator de correção não está disponível para o cálculo.");
        };

    GradeCalculo grade(std::move(linhas), e);
    std::exception_ptr parada;
    try {
        grade.Prepara();
        ReferenciasCalculo::Necessidades n;
        std::optional<ChaveMes> de, ate;
        for (const auto& l : grade.linhas()) {
            const bool valores = l.item == VerbaSalarioMinimo || l.item == VerbaSalarioFamilia1 ||
                                 l.item == VerbaSalarioFamilia2;
            const bool salario = l.item == VerbaSalarioNormativo, vt = l.item == VerbaValeTransporte;
            const bool bases = l.item == VerbaBasesSalariais;
            if (!(valores || salario || vt || bases)) continue;
            n.valores = n.valores || valores;
            n.salario = n.salario || salario;
            n.valeTransporte = n.valeTransporte || vt;
            n.basesSalariais = n.basesSalariais || bases;
            const ChaveMes k{l.ano, l.mes};
            if (!de || k < *de) de = k;
            if (!ate || *ate < k) ate = k;
        }
        if (de)
            referencias = ReferenciasCalculo::Carrega(referencia_.banco(), banco_, tabelaI_, opcoes_.salario,
                                                      opcoes_.valeTransporte, *de, *ate, n);
        grade.Calcula();
    } catch (...) {
        // Whatever was reached is written below; the stop is reported after.
        parada = std::current_exception();
    }

    // A failure while writing leaves the transaction undone and B as it was.
    GravaGrade(*con, def, campos, diferencasLidas, lidas, grade.linhas());
    transacao.confirma();
    if (parada) std::rethrow_exception(parada);

    ResultadoCalculoMensal r;
    r.linhas = static_cast<int>(grade.linhas().size());
    r.varreduras = grade.varreduras();
    r.tempo = std::chrono::steady_clock::now() - inicio;
    return r;
}

}  // namespace korva
