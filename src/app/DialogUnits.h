#pragma once

#include <QFont>
#include <QRect>

namespace quillora {

// Dialog templates are laid out in dialog units: a quarter of the dialog font's average
// character width across, an eighth of its height down.
class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);
    QRect ToPixels(const QRect& units) const;
    QSize ToPixels(const QSize& units) const;
    int baseX() const { return baseX_; }
    int baseY() const { return baseY_; }

private:
    int baseX_;
    int baseY_;
};

// The templates' "宋体" at `points`, falling back to an installed CJK serif face.
QFont DialogFont(int points);

}  // namespace quillora
