#include "app/DialogUnits.h"

#include <QFontMetrics>
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

}  // namespace quillora
