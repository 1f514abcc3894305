#include "app/ui/TFConfig.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/Configuracoes.h"
#include "app/ui/Dicas.h"
#include "app/ui/Textos.h"
#include "app/ui/TratamentoErros.h"

namespace korva::ui {
namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }
std::string S(const QString& s) { return s.toStdString(); }

QLabel* Nota(const QString& texto, QWidget* pai) {
    auto* nota = new QLabel(texto, pai);
    nota->setWordWrap(true);
    nota->setFrameShape(QFrame::StyledPanel);
    nota->setMargin(6);
    return nota;
}

QWidget* Pagina(QWidget* pai, QLayout* conteudo) {
    auto* pagina = new QWidget(pai);
    auto* layout = new QVBoxLayout(pagina);
    layout->addLayout(conteudo);
    layout->addStretch(1);
    return pagina;
}

}  // namespace

TFConfig::TFConfig(Configuracoes& configuracoes, QWidget* pai) : QDialog(pai), configuracoes_(configuracoes) {
    setObjectName("TFConfig");
    setWindowTitle(TituloJanela(QStringLiteral("Configuração")));
    setModal(true);

    paginas_ = new QTabWidget(this);
    paginas_->setObjectName("PgConfig");

    // ---- "&Orgão" ----
    {
        auto* grupo = new QGroupBox(QStringLiteral(" Dados do órgão/escritório: "));
        auto* form = new QFormLayout(grupo);
        edMunicipio_ = new QLineEdit;
        edMunicipio_->setObjectName("EdMunicipio");
        edTribunal_ = new QLineEdit;
        edTribunal_->setObjectName("EdTribunal");
        edSetor_ = new QLineEdit;
        edSetor_->setObjectName("EdSetor");
        DefineDica(edMunicipio_, QStringLiteral("Município|Nome do município, impresso antes da data nos relatórios"));
        DefineDica(edTribunal_, QStringLiteral("Tribunal|Nome do tribunal ou escritório, impresso no cabeçalho dos relatórios"));
        DefineDica(edSetor_, QStringLiteral("Setor|Nome do setor ou endereço"));
        form->addRow(QStringLiteral("Nome do Município:"), edMunicipio_);
        form->addRow(QStringLiteral("Nome do Tribunal/Escritório:"), edTribunal_);
        form->addRow(QStringLiteral("Nome do Setor/Endereço:"), edSetor_);
        auto* layout = new QVBoxLayout;
        layout->addWidget(grupo);
        paginas_->addTab(Pagina(paginas_, layout), QStringLiteral("&Orgão"));
    }

    // ---- "&INSS" ----
    {
        auto* grupo = new QGroupBox(QStringLiteral(" Integração com o INSS: "));
        auto* form = new QFormLayout(grupo);
        cbGerarINSS_ = new QCheckBox(QStringLiteral("Gerar arquivos de integração com o INSS"));
        cbGerarINSS_->setObjectName("CbGerarINSS");
        form->addRow(cbGerarINSS_);

        edDiretorio_ = new QLineEdit;
        edDiretorio_->setObjectName("EdDiretorio");
        edDiretorio_->setReadOnly(true);
        DefineDica(edDiretorio_, QStringLiteral("Diretório|Escolha o diretório com o botão ao lado"));
        btDiretorio_ = new QPushButton(QStringLiteral("..."));
        btDiretorio_->setObjectName("BtDiretorio");
        btDiretorio_->setFixedWidth(32);
        DefineDica(btDiretorio_, QStringLiteral("Escolher|Escolhe o diretório de geração dos arquivos"));
        auto* linhaDiretorio = new QHBoxLayout;
        linhaDiretorio->addWidget(edDiretorio_, 1);
        linhaDiretorio->addWidget(btDiretorio_);
        form->addRow(QStringLiteral("Diretório de geração dos arquivos:"), linhaDiretorio);

        edRegional_ = new QSpinBox;
        edRegional_->setObjectName("EdRegional");
        edRegional_->setRange(ConfiguracaoDialogo::RegionalMinimo, ConfiguracaoDialogo::RegionalMaximo);
        edRegional_->setFixedWidth(70);
        form->addRow(QStringLiteral("Informe o número do seu Regional:"), edRegional_);

        edDias_ = new QSpinBox;
        edDias_->setObjectName("EdDias");
        edDias_->setRange(ConfiguracaoDialogo::DiasMinimo, ConfiguracaoDialogo::DiasMaximo);
        edDias_->setFixedWidth(70);
        auto* linhaDias = new QHBoxLayout;
        linhaDias->addWidget(edDias_);
        linhaDias->addWidget(new QLabel(QStringLiteral("dias")));
        linhaDias->addStretch(1);
        form->addRow(QStringLiteral("Manter arquivos durante:"), linhaDias);

        auto* layout = new QVBoxLayout;
        layout->addWidget(grupo);
        layout->addWidget(Nota(QStringLiteral("Atenção: esta opção destina-se somente às instalações do sistema nos "
                                              "Tribunais Regionais do Trabalho."),
                               this));
        paginas_->addTab(Pagina(paginas_, layout), QStringLiteral("&INSS"));
    }

    // ---- "&Dados" ----
    {
        auto* grupo = new QGroupBox(QStringLiteral(" Banco de dados: "));
        auto* form = new QFormLayout(grupo);
        edQtdeCalculos_ = new QSpinBox;
        edQtdeCalculos_->setObjectName("EdQtdeCalculos");
        edQtdeCalculos_->setRange(ConfiguracaoDialogo::QtdeCalculosMinimo, ConfiguracaoDialogo::QtdeCalculosMaximo);
        edQtdeCalculos_->setFixedWidth(80);
        DefineDica(edQtdeCalculos_, QStringLiteral("Cálculos por subdiretório|Quantos cálculos cada subdiretório do banco de dados recebe"));
        form->addRow(QStringLiteral("Qtde. de Cálculos por Subdiretório:"), edQtdeCalculos_);
        auto* layout = new QVBoxLayout;
        layout->addWidget(grupo);
        paginas_->addTab(Pagina(paginas_, layout), QStringLiteral("&Dados"));
    }

    // ---- "&Integração" ----
    {
        cbIntegraPartes_ = new QCheckBox(QStringLiteral("Integrar dados das partes"));
        cbIntegraPartes_->setObjectName("CbIntegraPartes");
        cbIntegraAndamentos_ = new QCheckBox(QStringLiteral("Integrar consulta de andamentos"));
        cbIntegraAndamentos_->setObjectName("CbIntegraAndamentos");
        cbIntegraPrecatorios_ = new QCheckBox(QStringLiteral("Integrar dados dos precatórios"));
        cbIntegraPrecatorios_->setObjectName("CbIntegraPrecatorios");
        auto* layout = new QVBoxLayout;
        layout->addWidget(cbIntegraPartes_);
        layout->addWidget(cbIntegraAndamentos_);
        layout->addWidget(cbIntegraPrecatorios_);
        layout->addSpacing(8);
        layout->addWidget(Nota(QStringLiteral("Para utilizar a integração, crie os programas \"Partes.exe\" e "
                                              "\"Andamentos.exe\" e instale-os no diretório do sistema."),
                               this));
        paginas_->addTab(Pagina(paginas_, layout), QStringLiteral("&Integração"));
    }

    // ---- "&Sistema" ----
    {
        cbExibirDescricao_ = new QCheckBox(QStringLiteral("Exibir descrição das verbas nas telas de parâmetros"));
        cbExibirDescricao_->setObjectName("CbExibirDescricao");
        cbLembraResumo_ = new QCheckBox(QStringLiteral("Exibir lembrete sempre que for imprimir o resumo"));
        cbLembraResumo_->setObjectName("CbLembraResumo");
        auto* grupo = new QGroupBox(QStringLiteral(" Máscaras dos Números dos Processos: "));
        auto* coluna = new QVBoxLayout(grupo);
        for (int i = 0; i < 3; ++i) {
            auto* mascara = new QLineEdit;
            mascara->setObjectName(QStringLiteral("EdMascara%1").arg(i + 1));
            mascara->setMaxLength(static_cast<int>(ConfiguracaoDialogo::TamanhoMascara));
            mascara->setContextMenuPolicy(Qt::NoContextMenu);  // no pasting around the key filter
            mascara->setDragEnabled(false);
            mascara->setAcceptDrops(false);
            QFont fixa(QStringLiteral("DejaVu Sans Mono"));
            fixa.setStyleHint(QFont::Monospace);
            mascara->setFont(fixa);
            DefineDica(mascara, QStringLiteral("Máscara|9: dígito ou branco; A: letra maiúscula ou branco; "
                                               "os demais caracteres devem ser iguais"));
            mascara->installEventFilter(this);
            edMascara_[i] = mascara;
            coluna->addWidget(mascara);
        }
        auto* validos = new QLabel(QStringLiteral("Caracteres Válidos: 9 A .  / -"));
        validos->setObjectName("LbCaracteresValidos");
        coluna->addWidget(validos);

        auto* layout = new QVBoxLayout;
        layout->addWidget(cbExibirDescricao_);
        layout->addWidget(cbLembraResumo_);
        layout->addSpacing(6);
        layout->addWidget(grupo);
        paginas_->addTab(Pagina(paginas_, layout), QStringLiteral("&Sistema"));
    }

    // The enabling rule is applied again whenever any check box is clicked.
    for (QCheckBox* caixa : {cbGerarINSS_, cbIntegraPartes_, cbIntegraAndamentos_, cbIntegraPrecatorios_,
                             cbExibirDescricao_, cbLembraResumo_})
        connect(caixa, &QCheckBox::clicked, this, &TFConfig::aplicaHabilitacao);
    connect(btDiretorio_, &QPushButton::clicked, this, [this] { Protegido(this, [this] { escolheDiretorio(); }); });

    auto* ok = new QPushButton(QStringLiteral("&OK"));
    ok->setObjectName("BtOK");
    ok->setDefault(true);
    auto* cancela = new QPushButton(QStringLiteral("&Cancela"));
    cancela->setObjectName("BtCancela");
    connect(ok, &QPushButton::clicked, this, [this] { Protegido(this, [this] { confirma(); }); });
    connect(cancela, &QPushButton::clicked, this, &QDialog::reject);
    auto* botoes = new QHBoxLayout;
    botoes->addStretch(1);
    botoes->addWidget(ok);
    botoes->addWidget(cancela);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(paginas_);
    layout->addLayout(botoes);
    resize(520, 340);
}

void TFConfig::carrega() {
    modelo_.Carrega(configuracoes_);
    edMunicipio_->setText(Q(modelo_.municipio));
    edTribunal_->setText(Q(modelo_.tribunal));
    edSetor_->setText(Q(modelo_.setor));
    cbGerarINSS_->setChecked(modelo_.gerarArquivoINSS);
    edDiretorio_->setText(Q(modelo_.diretorioINSS));
    edRegional_->setValue(modelo_.regional);
    edDias_->setValue(modelo_.periodoManutencaoArquivos);
    edQtdeCalculos_->setValue(modelo_.qtdeCalculosPorSubDiretorio);
    cbIntegraPartes_->setChecked(modelo_.integraPartes);
    cbIntegraAndamentos_->setChecked(modelo_.integraAndamentos);
    cbIntegraPrecatorios_->setChecked(modelo_.integraPrecatorios);
    cbExibirDescricao_->setChecked(modelo_.exibirDescricaoVerbas);
    cbLembraResumo_->setChecked(modelo_.lembraResumo);
    edMascara_[0]->setText(Q(modelo_.mascara1));
    edMascara_[1]->setText(Q(modelo_.mascara2));
    edMascara_[2]->setText(Q(modelo_.mascara3));
    aplicaHabilitacao();
    paginas_->setCurrentIndex(0);
    edMunicipio_->setFocus();
}

int TFConfig::exec() {
    carrega();
    return QDialog::exec();
}

void TFConfig::aplicaHabilitacao() {
    modelo_.gerarArquivoINSS = cbGerarINSS_->isChecked();
    const bool habilitados = modelo_.CamposINSSHabilitados();
    edDiretorio_->setEnabled(habilitados);
    btDiretorio_->setEnabled(habilitados);
    edRegional_->setEnabled(habilitados);
    edDias_->setEnabled(habilitados);
}

void TFConfig::escolheDiretorio() {
    QString inicio = edDiretorio_->text();
    if (inicio.isEmpty() || !QDir(inicio).exists()) inicio = QDir::homePath();
    const QString pasta = QFileDialog::getExistingDirectory(
        this, QStringLiteral("Diretório de geração dos arquivos"), inicio, QFileDialog::ShowDirsOnly);
    if (!pasta.isEmpty()) edDiretorio_->setText(QDir::toNativeSeparators(pasta));
}

void TFConfig::descarrega() {
    modelo_.municipio = S(edMunicipio_->text());
    modelo_.tribunal = S(edTribunal_->text());
    modelo_.setor = S(edSetor_->text());
    modelo_.gerarArquivoINSS = cbGerarINSS_->isChecked();
    modelo_.diretorioINSS = S(edDiretorio_->text());
    // Disabled fields keep the values they were loaded with (a loaded value
    // outside the spin box's range must not be silently changed).
    if (modelo_.CamposINSSHabilitados()) {
        modelo_.regional = edRegional_->value();
        modelo_.periodoManutencaoArquivos = edDias_->value();
    }
    modelo_.qtdeCalculosPorSubDiretorio = edQtdeCalculos_->value();
    modelo_.integraPartes = cbIntegraPartes_->isChecked();
    modelo_.integraAndamentos = cbIntegraAndamentos_->isChecked();
    modelo_.integraPrecatorios = cbIntegraPrecatorios_->isChecked();
    modelo_.exibirDescricaoVerbas = cbExibirDescricao_->isChecked();
    modelo_.lembraResumo = cbLembraResumo_->isChecked();
    modelo_.mascara1 = S(edMascara_[0]->text());
    modelo_.mascara2 = S(edMascara_[1]->text());
    modelo_.mascara3 = S(edMascara_[2]->text());
}

void TFConfig::confirma() {
    descarrega();
    modelo_.Confirma(configuracoes_);
    accept();
}

bool TFConfig::eventFilter(QObject* objeto, QEvent* evento) {
    if (evento->type() != QEvent::KeyPress) return QDialog::eventFilter(objeto, evento);
    auto* campo = qobject_cast<QLineEdit*>(objeto);
    if (!campo) return false;
    auto* tecla = static_cast<QKeyEvent*>(evento);

    char32_t caractere = 0;
    if (tecla->key() == Qt::Key_Backspace) {
        caractere = ConfiguracaoDialogo::Retrocesso;
    } else {
        const QString texto = tecla->text();
        // Keys that type nothing (arrows, Home, End, Delete, Tab, Enter) keep
        // their usual meaning.
        if (texto.isEmpty() || tecla->key() == Qt::Key_Delete || tecla->key() == Qt::Key_Tab ||
            tecla->key() == Qt::Key_Backtab || tecla->key() == Qt::Key_Return ||
            tecla->key() == Qt::Key_Enter || tecla->key() == Qt::Key_Escape)
            return false;
        const auto u32 = texto.toUcs4();
        caractere = u32.isEmpty() ? 0 : static_cast<char32_t>(u32.front());
    }

    const auto resultado = ConfiguracaoDialogo::AceitaTeclaMascara(
        S(campo->text()), static_cast<size_t>(campo->selectedText().size()), caractere);
    using Acao = ConfiguracaoDialogo::ResultadoTecla::Acao;
    switch (resultado.acao) {
        case Acao::Aceita:
            if (resultado.tecla == ConfiguracaoDialogo::Retrocesso) return false;
            campo->insert(QString::fromUcs4(&resultado.tecla, 1));
            return true;
        case Acao::RecusaComBip:
            QApplication::beep();
            return true;
        case Acao::Recusa:
            return true;
    }
    return true;
}

}  // namespace korva::ui
