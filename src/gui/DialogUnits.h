#pragma once

#include <QFont>
#include <QRect>
#include <QString>

class QDialog;

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

// Caption, modal frame with system menu, font and fixed size of a dialog built from a
// template; returns the units its controls are placed in.
DialogUnits SetUpTemplateDialog(QDialog& dialog, const QString& caption, int fontPoints,
                                const QSize& sizeUnits);

// The template's OK (id 1, default) and Cancel (id 2) buttons, wired to accept and reject.
void AddOkCancelButtons(QDialog& dialog, const DialogUnits& units, const QRect& okUnits,
                        const QRect& cancelUnits);

}  // namespace quillora
