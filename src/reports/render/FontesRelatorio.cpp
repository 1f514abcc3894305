#include "reports/render/FontesRelatorio.h"

#include <QFontDatabase>
#include <QStringList>
#include <mutex>

namespace korva {

QString FamiliaRelatorio() {
    static std::once_flag carregado;
    static QString familia = QStringLiteral("DejaVu Sans");
    std::call_once(carregado, [] {
        const char* const arquivos[] = {"DejaVuSans.ttf", "DejaVuSans-Bold.ttf", "DejaVuSans-Oblique.ttf",
                                        "DejaVuSans-BoldOblique.ttf"};
        for (const char* a : arquivos) {
            const int id =
                QFontDatabase::addApplicationFont(QString::fromUtf8(kPastaFontesDejaVu) + "/" + QString::fromUtf8(a));
            if (id < 0) continue;
            const QStringList familias = QFontDatabase::applicationFontFamilies(id);
            if (!familias.isEmpty()) familia = familias.front();
        }
    });
    return familia;
}

QFont FonteQt(const Fonte& fonte) {
    QFont f(FamiliaRelatorio());
    f.setPointSizeF(fonte.tamanho > 0 ? fonte.tamanho : 10.0);
    f.setBold(fonte.negrito);
    f.setItalic(fonte.italico);
    f.setUnderline(fonte.sublinhado);
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setKerning(false);
    f.setStyleStrategy(QFont::PreferOutline);
    return f;
}

}  // namespace korva
