#include "register/ui/TFPartes.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/Configuracoes.h"
#include "app/Sessao.h"
#include "app/ui/CursorOcupado.h"
#include "app/ui/Dicas.h"
#include "app/ui/GradeTabela.h"
#include "app/ui/ModeloTabela.h"
#include "app/ui/NavegadorTabela.h"
#include "app/ui/Textos.h"
#include "app/ui/TratamentoErros.h"
#include "reference/TabelasReferencia.h"
#include "register/Partes.h"

namespace korva::ui {
namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

std::vector<std::pair<int64_t, QString>> Codigos(const std::vector<ItemLista>& lista) {
    std::vector<std::pair<int64_t, QString>> r;
    r.reserve(lista.size());
    for (const auto& item : lista) r.emplace_back(item.codigo, Q(item.nome));
    return r;
}

}  // namespace

TFPartes::TFPartes(Sessao& sessao, const std::string& nomeDiretorio, const std::string& processo, int arquivo,
                   QWidget* pai)
    : DialogoTabelas(pai), sessao_(sessao) {
    setObjectName("TFPartes");
    setModal(true);
    partes_ = std::make_unique<Partes>(sessao.privado(), nomeDiretorio, processo, arquivo);
    setWindowTitle(Q(partes_->titulo()));
    {
        TabelasReferencia referencia(sessao.compartilhado());
        partes_->carregaCodigos(referencia);
    }
    partes_->abre();

    std::vector<ColunaGrade> colunas;
    for (const auto& [campo, titulo] : Partes::Colunas()) {
        ColunaGrade c;
        c.campo = campo;
        c.titulo = Q(titulo);
        c.largura = campo == "Nome" ? 36 : campo == "Documento" ? 18 : campo.rfind("Tipo", 0) == 0 ? 16 : 11;
        if (campo == "TipoParte") c.codigos = Codigos(partes_->tiposParte());
        if (campo == "TipoDocumento") c.codigos = Codigos(partes_->tiposDocumento());
        colunas.push_back(std::move(c));
    }
    modelo_ = new ModeloTabela(partes_->tabela(), std::move(colunas), this);

    grade_ = new GradeTabela(this);
    grade_->setObjectName("GrPartes");
    grade_->defineModelo(modelo_);
    grade_->horizontalHeader()->setStretchLastSection(true);

    navegador_ = new NavegadorTabela(this);
    navegador_->setObjectName("NavPartes");
    navegador_->defineModelo(modelo_);
    navegador_->defineConfirmacaoExclusao([this] { return NavegadorTabela::PerguntaExclusao(this); });
    // A new party starts typing at its name.
    connect(navegador_, &NavegadorTabela::acionado, this, [this](int botao) {
        if (botao != NavegadorTabela::Inserir || !partes_->tabela().editando()) return;
        grade_->setCurrentIndex(modelo_->index(modelo_->linhaAtual(), 0));
        grade_->setFocus();
    });

    btImporta_ = new QPushButton(QStringLiteral("&Partes"), this);
    btImporta_->setObjectName("BtPartes");
    DefineDica(btImporta_, QStringLiteral("Importar Partes do Processo"));
    btImporta_->setVisible(Partes::ImportacaoVisivel(sessao.configuracoes().integraPartes));
    connect(btImporta_, &QPushButton::clicked, this, [this] { importa(); });

    auto* barra = new QHBoxLayout;
    barra->addWidget(navegador_, 1);
    barra->addWidget(btImporta_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grade_, 1);
    layout->addLayout(barra);

    int largura = grade_->verticalHeader()->width() + 2 * grade_->frameWidth() + 40;
    for (int i = 0; i < modelo_->columnCount(); ++i) largura += grade_->columnWidth(i);
    resize(largura, 360);
    grade_->setFocus();
}

TFPartes::~TFPartes() {
    // The model goes before the dataset it observes.
    delete grade_;
    delete modelo_;
    grade_ = nullptr;
    modelo_ = nullptr;
}

void TFPartes::importa() {
    if (!grade_->confirmaEdicao()) return;
    Protegido(this, [this] {
        const CursorOcupado cursor;
        // While the companion program runs, user input is kept out; painting goes on.
        partes_->importa(sessao_.ambiente().pastaPrograma, [] {
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 20);
        });
    });
}

bool TFPartes::fecha() {
    if (grade_) grade_->confirmaEdicao();
    return Protegido(this, [this] { partes_->fecha(); });
}

}  // namespace korva::ui
