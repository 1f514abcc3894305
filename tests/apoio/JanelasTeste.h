#pragma once
// For window tests: a fresh installation with a session, calculations taken
// from the sample documents, the recorder of the messages the error handler
// shows, and the closer that answers message and input boxes as a user does.
#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QObject>
#include <QPushButton>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <deque>
#include <filesystem>
#include <memory>
#include <string>

#include "apoio/PastaTemporaria.h"
#include "app/Ambiente.h"
#include "app/Configuracoes.h"
#include "app/Sessao.h"
#include "app/ui/TratamentoErros.h"
#include "storage/Excecoes.h"
#include "parameters/CalculoAberto.h"
#include "reference/TabelasReferencia.h"
#include "register/TrocaCalculo.h"
#include "util/DocumentoJson.h"

#ifndef KORVA_FONTE
#define KORVA_FONTE "."
#endif

namespace korva::teste {

// The messages shown through the error handler (DefineApresentacao).
class RegistroMensagens : public ApresentacaoErros {
public:
    void beep() override {}
    void mostraInformacao(const std::string& t) override { mensagens.append(QString::fromStdString(t)); }
    void mostraErro(const std::string& t) override { mensagens.append(QString::fromStdString(t)); }
    void mostraCodigo(const std::string& t) override { mensagens.append(QString::fromStdString(t)); }
    QStringList mensagens;
};

// Answers every modal message box with the next queued button (or, with the
// queue empty, its default button, else Ok) and every input box with the
// next queued text (or accepts what it proposes; "\x1b" cancels it). The
// texts of both are kept in `textos`, in the order they came up.
class RespondeMensagens : public QObject {
public:
    RespondeMensagens() {
        connect(&relogio_, &QTimer::timeout, this, [this] { responde(); });
        relogio_.start(15);
    }
    void responde(QMessageBox::StandardButton botao) { botoes_.push_back(botao); }
    void digita(const QString& texto) { entradas_.push_back(texto); }
    QStringList textos;
    bool semRespostasPendentes() const { return botoes_.empty() && entradas_.empty(); }

private:
    void responde() {
        QWidget* w = QApplication::activeModalWidget();
        if (auto* caixa = qobject_cast<QMessageBox*>(w)) {
            textos.append(caixa->text());
            QMessageBox::StandardButton b = QMessageBox::Ok;
            if (!botoes_.empty()) {
                b = botoes_.front();
                botoes_.pop_front();
            } else if (caixa->defaultButton()) {
                b = caixa->standardButton(caixa->defaultButton());
            }
            if (QAbstractButton* bt = caixa->button(b)) bt->click();
            else caixa->done(b);
        } else if (auto* entrada = qobject_cast<QInputDialog*>(w)) {
            textos.append(entrada->labelText());
            QString t = entrada->textValue();
            if (!entradas_.empty()) {
                t = entradas_.front();
                entradas_.pop_front();
            }
            if (t == QStringLiteral("\x1b")) {
                entrada->reject();
            } else {
                entrada->setTextValue(t);
                entrada->accept();
            }
        }
    }
    QTimer relogio_;
    std::deque<QMessageBox::StandardButton> botoes_;
    std::deque<QString> entradas_;
};

// A new installation in a temporary folder, with its session open.
struct InstalacaoTeste {
    std::unique_ptr<PastaTemporaria> pasta = std::make_unique<PastaTemporaria>();
    Ambiente ambiente;
    std::unique_ptr<Sessao> sessao;

    InstalacaoTeste() {
        ambiente = Ambiente::Padrao(pasta->caminho(), "korva");
        ambiente.pastaPrograma = pasta->caminho() / "programa";
        std::filesystem::create_directories(ambiente.pastaPrograma);
        Sessao::PrimeiraPartida(ambiente);
        sessao = std::make_unique<Sessao>(ambiente);
    }
    ~InstalacaoTeste() {
        sessao.reset();
        pasta.reset();
    }

    // Imports a sample document of exemplos/ ("fgts-dois-reclamantes.json")
    // and returns what the windows of that calculation receive.
    CalculoAberto importa(const std::string& exemplo) {
        TabelasReferencia referencia(sessao->compartilhado());
        const auto doc = LeArquivoJson((std::filesystem::path(KORVA_FONTE) / "exemplos" / exemplo).string());
        const CalculoImportado r =
            ImportaCalculo(sessao->privado(), referencia, AjustesDe(sessao->configuracoes()), doc);
        return CalculoAbertoDe(sessao->privado(), r.processo, r.codRecte);
    }
};

// With KORVA_TELAS naming a folder, the window is saved there as a picture.
inline void GuardaTela(QWidget* janela, const QString& nome) {
    const QString pasta = qEnvironmentVariable("KORVA_TELAS");
    if (pasta.isEmpty()) return;
    QTest::qWait(100);
    janela->grab().save(pasta + "/" + nome + ".png");
}

}  // namespace korva::teste
