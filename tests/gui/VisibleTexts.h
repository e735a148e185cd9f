#pragma once

#include <QString>
#include <QWidget>
#include <vector>

namespace quillora::test {

// One text a person reads on screen, and the widget that shows it.
struct ShownText {
    QWidget* widget;
    QString text;
};

// Every text `window` and its visible children show: titles, captions, labels, list items,
// line edits, table headers and cells. The text box is left out: what it holds is the
// printer's text, not the window's.
std::vector<ShownText> VisibleTexts(QWidget& window);

// Whether a caption is drawn whole inside its widget: a push button's, check box's or radio
// button's text beside its indicator, a group box's title, a label's text (wrapped when the
// label wraps). An empty string when it fits, else what is cut off and by how much.
QString CutOff(const ShownText& shown);

// Whether `text` holds a Chinese character (CJK ideographs and punctuation, full-width forms).
bool HasChinese(const QString& text);

}  // namespace quillora::test
