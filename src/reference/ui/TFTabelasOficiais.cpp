#include "reference/ui/TFTabelasOficiais.h"

namespace korva::ui {
namespace {

const QString kValor = QStringLiteral("#,##0.00");

DefinicaoJanela Oficial(const char* classe, const QString& titulo, const char* tabela, const char* indice,
                        std::vector<ColunaGrade> colunas) {
    DefinicaoJanela d;
    d.classe = classe;
    d.titulo = titulo;
    d.tabela = tabela;
    d.indice = indice;
    d.colunas = std::move(colunas);
    d.editavel = false;
    return d;
}

DefinicaoJanela Previdencia(const char* classe, const QString& titulo, const char* tabela) {
    return Oficial(classe, titulo, tabela, "IndNatureza",
                   {Coluna("Codigo", QStringLiteral("Código"), 6), Coluna("Natureza", QStringLiteral("Natureza"), 60),
                    Coluna("Taxa", QStringLiteral("Taxa (%)"), 8, kValor)});
}

// Month and year first, as every monthly table shows them.
std::vector<ColunaGrade> MesAno() {
    return {Coluna("Mes", QStringLiteral("Mês"), 3, QStringLiteral("00")),
            Coluna("Ano", QStringLiteral("Ano"), 4, QStringLiteral("0000"))};
}

}  // namespace

TFURV::TFURV(Sessao& sessao, QWidget* pai)
    : TFTabelaReferencia(sessao,
                         Oficial("TFURV", QStringLiteral("URV"), "URV.db", "",
                                 {Coluna("Data", QStringLiteral("Data"), 10),
                                  Coluna("Valor", QStringLiteral("Valor"), 12, kValor)}),
                         pai) {}

TFUFIR::TFUFIR(Sessao& sessao, QWidget* pai)
    : TFTabelaReferencia(sessao, [] {
          auto colunas = MesAno();
          colunas.push_back(Coluna("Valor", QStringLiteral("Valor"), 12, QStringLiteral("#,##0.0000")));
          return Oficial("TFUFIR", QStringLiteral("UFIR"), "UFIR.db", "", std::move(colunas));
      }(), pai) {}

TFPrevEmpregador::TFPrevEmpregador(Sessao& sessao, QWidget* pai)
    : TFTabelaReferencia(sessao,
                         Previdencia("TFPrevEmpregador", QStringLiteral("Tabela de Recolhimento do Empregador"),
                                     "PrevEmpregador.DB"),
                         pai) {}

TFPrevTerceiros::TFPrevTerceiros(Sessao& sessao, QWidget* pai)
    : TFTabelaReferencia(sessao,
                         Previdencia("TFPrevTerceiros", QStringLiteral("Tabela de Recolhimento do Terceiros"),
                                     "PrevTerceiro.DB"),
                         pai) {}

TFPrevSAT::TFPrevSAT(Sessao& sessao, QWidget* pai)
    : TFTabelaReferencia(
          sessao, Previdencia("TFPrevSAT", QStringLiteral("Tabela de Riscos Ambientais do Trabalho"), "PrevSAT.DB"),
          pai) {}

TFFaixasINSS::TFFaixasINSS(Sessao& sessao, QWidget* pai)
    : TFTabelaReferencia(sessao, [] {
          auto colunas = MesAno();
          colunas.push_back(Coluna("LimiteMinimo", QStringLiteral("Lim. Minimo"), 10, kValor));
          for (int i = 1; i <= 5; ++i) {
              const std::string n = std::to_string(i);
              colunas.push_back(Coluna(("Limite" + n).c_str(), QStringLiteral("Limite %1").arg(i), 10, kValor));
              colunas.push_back(
                  Coluna(("Percentual" + n).c_str(), QStringLiteral("Desconto %1").arg(i), 6, kValor));
          }
          return Oficial("TFFaixasINSS", QStringLiteral("Tabela de Faixas do INSS"), "FaixasINSS.DB", "",
                         std::move(colunas));
      }(), pai) {}

TFFaixasIR::TFFaixasIR(Sessao& sessao, QWidget* pai)
    : TFTabelaReferencia(sessao, [] {
          auto colunas = MesAno();
          const std::pair<const char*, const char*> campos[] = {
              {"LimiteMinimo", "Limite Min."},        {"Limite1", "Limite 1"},
              {"Percentual1", "Desconto 1"},          {"Deducao1", "Dedução 1"},
              {"Limite2", "Limite 2"},                {"Percentual2", "Desconto 2"},
              {"Deducao2", "Dedução 2"},              {"Limite3", "Limite 3"},
              {"Percentual3", "Percentual 3"},        {"Deducao3", "Dedução 3"},
              {"PercentualMaximo", "Desconto Máx."},  {"DeducaoMaximo", "Dedução Máx."},
              {"DeducaoDependente", "Dedução Dependente"}, {"DeducaoDaBase", "Dedução da Base"}};
          for (const auto& [campo, titulo] : campos)
              colunas.push_back(Coluna(campo, QString::fromUtf8(titulo), 9, kValor));
          return Oficial("TFFaixasIR", QStringLiteral("Tabela de Alíquotas do Imposto de Renda"), "FaixasIR.db", "",
                         std::move(colunas));
      }(), pai) {}

}  // namespace korva::ui
