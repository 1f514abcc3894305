#pragma once
// The read-only windows of the official tables that only show their rows:
// URV, UFIR, the three social-security rate tables and the INSS and IR
// brackets. Each is the reference-table window with its table, order and
// columns.
#include "reference/ui/TFTabelaReferencia.h"

namespace korva::ui {

// "KORVA - URV": URV.db by Data.
class TFURV : public TFTabelaReferencia {
    Q_OBJECT
public:
    explicit TFURV(Sessao& sessao, QWidget* pai = nullptr);
};

// "KORVA - UFIR": UFIR.db by (Ano, Mes).
class TFUFIR : public TFTabelaReferencia {
    Q_OBJECT
public:
    explicit TFUFIR(Sessao& sessao, QWidget* pai = nullptr);
};

// "KORVA - Tabela de Recolhimento do Empregador": PrevEmpregador.DB by Natureza.
class TFPrevEmpregador : public TFTabelaReferencia {
    Q_OBJECT
public:
    explicit TFPrevEmpregador(Sessao& sessao, QWidget* pai = nullptr);
};

// "KORVA - Tabela de Recolhimento do Terceiros": PrevTerceiro.DB by Natureza.
class TFPrevTerceiros : public TFTabelaReferencia {
    Q_OBJECT
public:
    explicit TFPrevTerceiros(Sessao& sessao, QWidget* pai = nullptr);
};

// "KORVA - Tabela de Riscos Ambientais do Trabalho": PrevSAT.DB by Natureza.
class TFPrevSAT : public TFTabelaReferencia {
    Q_OBJECT
public:
    explicit TFPrevSAT(Sessao& sessao, QWidget* pai = nullptr);
};

// "KORVA - Tabela de Faixas do INSS": FaixasINSS.DB by (Ano, Mes).
class TFFaixasINSS : public TFTabelaReferencia {
    Q_OBJECT
public:
    explicit TFFaixasINSS(Sessao& sessao, QWidget* pai = nullptr);
};

// "KORVA - Tabela de Alíquotas do Imposto de Renda": FaixasIR.db by (Ano, Mes).
class TFFaixasIR : public TFTabelaReferencia {
    Q_OBJECT
public:
    explicit TFFaixasIR(Sessao& sessao, QWidget* pai = nullptr);
};

}  // namespace korva::ui
