#include "maintenance/ui/PinturaAreaTrabalho.h"

#include <QEvent>
#include <QMdiArea>
#include <QPainter>

namespace korva::ui {

namespace {

QColor Cor(long numero) {
    const CorRgb c = CorDoNumero(numero);
    return QColor(c.r, c.g, c.b);
}

}  // namespace

PinturaAreaTrabalho::PinturaAreaTrabalho(QMdiArea* area) : QObject(area), area_(area) {
    area_->viewport()->installEventFilter(this);
}

AjustesAreaTrabalho PinturaAreaTrabalho::aplica(AjustesAreaTrabalho ajustes) {
    imagem_ = QImage();
    if (!ajustes.imagem.empty()) imagem_.load(QString::fromStdString(ajustes.imagem));
    if (imagem_.isNull()) {
        ajustes.imagem.clear();
        if (ajustes.opcao == FundoAreaTrabalho::Imagem) ajustes.opcao = FundoAreaTrabalho::Liso;
    }
    ajustes_ = ajustes;
    repinta();
    return ajustes_;
}

QImage PinturaAreaTrabalho::Desenha(const AjustesAreaTrabalho& a, const QImage& imagem, QSize tamanho) {
    QImage fundo(tamanho.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    QPainter p(&fundo);
    if (a.opcao == FundoAreaTrabalho::Gradiente) {
        const int n = FaixasPintadas(a.faixas);
        const auto cores = CoresGradiente(CorDoNumero(a.corPrincipal), CorDoNumero(a.corGradiente), n);
        for (const auto& f : FaixasGradiente(a.estilo, n, fundo.width(), fundo.height())) {
            const CorRgb& c = cores[static_cast<size_t>(f.cor)];
            p.fillRect(f.x, f.y, f.largura, f.altura, QColor(c.r, c.g, c.b));
        }
    } else if (a.opcao == FundoAreaTrabalho::Imagem && !imagem.isNull()) {
        p.fillRect(fundo.rect(), QBrush(imagem));
    } else {
        p.fillRect(fundo.rect(), Cor(a.corPrincipal));
    }
    return fundo;
}

bool PinturaAreaTrabalho::eventFilter(QObject* objeto, QEvent* evento) {
    if (objeto == area_->viewport() && evento->type() == QEvent::Resize) repinta();
    return QObject::eventFilter(objeto, evento);
}

void PinturaAreaTrabalho::repinta() {
    const QSize tamanho = area_->viewport()->size();
    if (ajustes_.opcao == FundoAreaTrabalho::Liso || tamanho.isEmpty()) {
        area_->setBackground(Cor(ajustes_.corPrincipal));
    } else if (ajustes_.opcao == FundoAreaTrabalho::Imagem) {
        // A texture brush tiles from the top-left corner by itself.
        area_->setBackground(QBrush(imagem_));
    } else {
        area_->setBackground(QBrush(Desenha(ajustes_, imagem_, tamanho)));
    }
    area_->viewport()->update();
}

}  // namespace korva::ui
