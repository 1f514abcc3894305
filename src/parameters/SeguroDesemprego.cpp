#include "parameters/SeguroDesemprego.h"

#include <charconv>
#include <cstdint>

#include "app/Validacoes.h"
#include "parameters/ParametrosPeriodo.h"
#include "parameters/VerbasCatalogo.h"
#include "register/RegrasAcrescimos.h"
#include "storage/Tabela.h"
#include "util/Data.h"
#include "util/Dinheiro.h"
#include "util/Erros.h"
#include "util/Literais.h"
#include "util/Texto.h"

namespace korva {

namespace {

std::string MesAno(int mes, int ano) {
    return Literais::ZerosEsquerdaInt(mes, 2) + "/" + Literais::ZerosEsquerdaInt(ano, 4);
}

}  // namespace

double SeguroDesemprego::Beneficio(const ValoresSeguroDesemprego& v, double salario) {
    const double s = Arredonda4(salario);
    if (s <= v.limMinimo) {
        const double b = Arredonda4(0.8 * s);
        return b < v.salMin ? Arredonda4(v.salMin) : b;
    }
    if (s <= v.limMaximo) {
        const double parte1 = Arredonda4(0.8 * v.limMinimo);
        const double parte2 = Arredonda4(Arredonda4(s - v.limMinimo) / 2);
        return Arredonda4(parte1 + parte2);
    }
    return Arredonda4(v.valorMaximo);
}

int SeguroDesemprego::NormalizaAno(const std::string& texto) { return AnoCompleto(Inteiro(texto).value_or(0)); }

int SeguroDesemprego::LeMes(const std::string& texto) {
    const auto n = Inteiro(texto);
    return n && *n >= 1 && *n <= 12 ? *n : 13;
}

std::string SeguroDesemprego::LinhaSobrepor(int item, int mes, int ano) {
    return "Já existe item " + std::to_string(item) + " cadastrado para o mes " + MesAno(mes, ano) + ".";
}

std::string SeguroDesemprego::TextoItem(int codigo, const std::string& descricao) {
    return descricao + "(" + Literais::ZerosEsquerdaInt(codigo, 3) + ")";
}

std::vector<ItemLista> SeguroDesemprego::ItensCatalogo(Banco& privado) {
    Tabela t(privado, kTabelaRendimentos);
    t.abre(ModoAbertura::SomenteLeitura);
    t.defineIndice("IndDescRend");
    std::vector<ItemLista> r;
    for (t.primeiro(); !t.fim(); t.proximo()) {
        const Valor& codigo = t.valor("Codigo");
        if (codigo.nulo()) continue;
        const int c = static_cast<int>(codigo.comoInteiro());
        r.push_back({c, TextoItem(c, t.valor("DescRend").nulo() ? "" : t.valor("DescRend").comoTexto())});
    }
    t.fecha();
    return r;
}

int SeguroDesemprego::PosicaoDoCodigo(const std::vector<ItemLista>& itens, const std::string& texto) {
    const auto n = Inteiro(texto);
    if (!n) return -1;
    for (size_t i = 0; i < itens.size(); ++i)
        if (itens[i].codigo == *n) return static_cast<int>(i);
    return -1;
}

SeguroDesemprego::SeguroDesemprego(ParametrosPeriodo& periodo, TabelasReferencia& referencia, int dataBasePadrao)
    : periodo_(periodo), referencia_(referencia), dataBasePadrao_(dataBasePadrao) {}

double SeguroDesemprego::BeneficioSeguro(int mes, int ano, double salario) {
    return Beneficio(referencia_.SeguroDesemprego(ano, mes), salario);
}

bool SeguroDesemprego::Confirma(const Pedido& pedido, const Interacao& interacao) {
    if (!VerbasCatalogo(periodo_.tabela().banco()).Existe(pedido.item)) throw ErroCampo(MsgItemInvalido, "Item");
    const int mes = LeMes(pedido.mes);
    if (mes > 12) throw ErroCampo(MsgMesInvalido, "Mes");
    const int ano = NormalizaAno(pedido.ano);
    ValidaAno(ano);
    if (!(pedido.salario > 0)) throw ErroCampo(MsgSalarioInvalido, "Salario");
    if (pedido.parcelas < 1 || pedido.parcelas > MaxParcelas)
        throw ErroCampo(ParametrosPeriodo::MsgValorInvalido, "Parcelas");
    if (periodo_.tabela().editando())
        throw ErroKorva("Grave ou cancele a linha em edição antes de inserir o Seguro Desemprego.");

    std::string diferenca;
    if (pedido.item % 10 == 0 && interacao.diferencaNegativa) diferenca = interacao.diferencaNegativa();

    if (!pedido.parcelado) {
        const double v = Arredonda4(BeneficioSeguro(mes, ano, pedido.salario) * pedido.parcelas);
        return adicionaLinha(pedido.item, mes, ano, v, diferenca, interacao);
    }
    uint16_t m = static_cast<uint16_t>(mes), a = static_cast<uint16_t>(ano);
    for (int i = 0; i < pedido.parcelas; ++i) {
        if (i > 0) Literais::ProximoMes(m, a);
        if (!adicionaLinha(pedido.item, m, a, BeneficioSeguro(m, a, pedido.salario), diferenca, interacao))
            return false;
    }
    return true;
}

bool SeguroDesemprego::adicionaLinha(int item, int mes, int ano, double valor, const std::string& diferenca,
                                     const Interacao& interacao) {
    Tabela& t = periodo_.tabela();
    {
        Tabela existentes(t.banco(), periodo_.nomeTabela());
        existentes.abre();
        existentes.defineFiltro("Ano1=" + std::to_string(ano) + " and Mes1=" + std::to_string(mes) +
                                " and Item=" + std::to_string(item));
        existentes.primeiro();
        if (!existentes.fim()) {
            const Resposta r = interacao.sobrepor ? interacao.sobrepor(LinhaSobrepor(item, mes, ano), PerguntaSobrepor)
                                                  : Resposta::Cancela;
            if (r == Resposta::Cancela) return false;
            if (r == Resposta::Sim) {
                Transacao transacao(t.banco());
                while (!existentes.vazia()) {
                    existentes.primeiro();
                    existentes.exclui();
                }
                transacao.confirma();
                t.atualiza();
            }
        }
    }

    std::optional<Data> dtBase;
    if (dataBasePadrao_ == 50) {
        const std::string prompt = "Data Base de Atualização da Verba (" + MesAno(mes, ano) + ")";
        for (;;) {
            auto texto = interacao.pedeData ? interacao.pedeData("KORVA", prompt, ultimaData_) : std::nullopt;
            if (!texto) return false;
            const std::string d = Apara(*texto);
            if (Literais::DataValida(d)) {
                ultimaData_ = d;
                dtBase = Data::deDMA(d);
                break;
            }
            if (interacao.avisa) interacao.avisa(MsgDataInvalida);
        }
    }

    t.insere();
    try {
        t["Item"] = item;
        t["Mes1"] = mes;
        t["Mes2"] = mes;
        t["Ano1"] = ano;
        t["Ano2"] = ano;
        t["VFM"] = "V";
        t["Valor"] = valor;
        if (diferenca.empty())
            t["Diferenca"].limpa();
        else
            t["Diferenca"] = diferenca;
        if (dtBase) t["DtBase"] = *dtBase;
        t.grava();
    } catch (...) {
        if (t.editando()) t.cancela();
        throw;
    }
    return true;
}

}  // namespace korva
