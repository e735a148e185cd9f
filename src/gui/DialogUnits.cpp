#include "gui/DialogUnits.h"

#include <QDialog>
#include <QFontMetrics>
#include <QPushButton>
#include <QStringList>

namespace quillora {

DialogUnits::DialogUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    const int width = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    baseX_ = (width / 26 + 1) / 2;
    baseY_ = metrics.height();
}

QRect DialogUnits::ToPixels(const QRect& units) const {
    return {units.x() * baseX_ / 4, units.y() * baseY_ / 8, units.width() * baseX_ / 4,
            units.height() * baseY_ / 8};
}

QSize DialogUnits::ToPixels(const QSize& units) const {
    return {units.width() * baseX_ / 4, units.height() * baseY_ / 8};
}

QFont DialogFont(int points) {
    QFont font;
    font.setFamilies({QStringLiteral("SimSun"), QStringLiteral("宋体"),
                      QStringLiteral("Noto Serif CJK SC"), QStringLiteral("Noto Sans CJK SC")});
    // Points at the 96 dots per inch the templates were drawn for, so that the layout does
    // not depend on the screen's reported resolution.
    font.setPixelSize(points * 96 / 72);
    return font;
}

DialogUnits SetUpTemplateDialog(QDialog& dialog, const QString& caption, int fontPoints,
                                const QSize& sizeUnits) {
    dialog.setWindowTitle(caption);
    dialog.setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint);
    dialog.setFont(DialogFont(fontPoints));
    const DialogUnits units(dialog.font());
    dialog.setFixedSize(units.ToPixels(sizeUnits));
    return units;
}

void AddOkCancelButtons(QDialog& dialog, const DialogUnits& units, const QRect& okUnits,
                        const QRect& cancelUnits) {
    auto* ok = new QPushButton(QStringLiteral("OK"), &dialog);
    ok->setObjectName(QStringLiteral("ctl1"));
    ok->setGeometry(units.ToPixels(okUnits));
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), &dialog);
    cancel->setObjectName(QStringLiteral("ctl2"));
    cancel->setGeometry(units.ToPixels(cancelUnits));
    QObject::connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
}

}  // namespace quillora
