#include "app/ui/Textos.h"

#include "app/Configuracoes.h"

namespace korva::ui {

QString TextoProduto() { return QStringLiteral("KORVA"); }

QString TextoVersaoSplash() { return QStringLiteral("Versão 2.4 c"); }

QString TituloPrincipal() { return TituloJanela(QStringLiteral("Ulmeris")); }

QStringList LinhasOrganizacao() {
    return {QStringLiteral("Sistema de Cálculos Trabalhistas"), QString::fromUtf8(Configuracoes::Organizacao),
            QStringLiteral("Setores de Cálculos Judiciais")};
}

QString TituloJanela(const QString& titulo) { return TextoProduto() + QStringLiteral(" - ") + titulo; }

QString TituloMensagem() { return TextoProduto(); }

QString MensagemIndisponivel() { return QStringLiteral("Esta janela ainda não está disponível nesta versão."); }

}  // namespace korva::ui
