#pragma once
// "KORVA - Configuração da Área de Trabalho": the desktop background chosen
// per workstation. " Fundo " ('&Liso' RbLiso, '&Gradiente' RbGradiente,
// '&Fundo' RbFundo); " Cor de Fundo " (PnCorPrincipal, "&Alterar Cor"
// BtAlterarCor); " Papel de Parede " ("&Imagem" BtImagem, ImgPreview);
// " Gradiente " ("Estilo:" CbEstilo, "Forma:" CbForma, "Cor:" PnCorGradiente
// with "Al&terar Cor" BtAlterarCorGradiente, "Definição:" SlDefinicao 15..100
// with LbDefinicao). "&OK" (BtOk) writes the settings and repaints the
// desktop; "&Cancela" (BtCancela) leaves everything as it was.
#include <QDialog>
#include <QImage>

#include <functional>

#include "maintenance/AreaTrabalho.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSlider;

namespace korva::ui {

class PinturaAreaTrabalho;

class TFAreaTrabalho : public QDialog {
    Q_OBJECT
public:
    // `arquivoEstacao`: the workstation settings file the keys are written to.
    TFAreaTrabalho(PinturaAreaTrabalho& pintura, std::string arquivoEstacao, QWidget* pai = nullptr);

    // Loads the current settings into the controls, then runs the dialog.
    int exec() override;

    // The settings the controls hold now.
    AjustesAreaTrabalho escolha() const;

    // Replace the colour and file pickers (tests). An empty function restores the real one.
    static void DefineEscolhaCorTeste(std::function<QColor(QColor atual)> escolha);
    static void DefineEscolhaImagemTeste(std::function<QString()> escolha);

public slots:
    void accept() override;

private:
    void carrega(const AjustesAreaTrabalho& a);
    void habilita();
    void escolheImagem();
    void defineImagem(const QString& caminho);
    void mostraCor(QLabel* amostra, long cor);

    PinturaAreaTrabalho& pintura_;
    std::string arquivoEstacao_;
    long corPrincipal_ = 0, corGradiente_ = 0;
    QString imagem_;
    QImage imagemCarregada_;

    QRadioButton* rbLiso_ = nullptr;
    QRadioButton* rbGradiente_ = nullptr;
    QRadioButton* rbFundo_ = nullptr;
    QGroupBox* grCor_ = nullptr;
    QGroupBox* grPapel_ = nullptr;
    QGroupBox* grGradiente_ = nullptr;
    QLabel* pnCorPrincipal_ = nullptr;
    QLabel* pnCorGradiente_ = nullptr;
    QLabel* imgPreview_ = nullptr;
    QComboBox* cbEstilo_ = nullptr;
    QComboBox* cbForma_ = nullptr;
    QSlider* slDefinicao_ = nullptr;
    QLabel* lbDefinicao_ = nullptr;
    QPushButton* btOk_ = nullptr;
};

}  // namespace korva::ui
