#include "VisibleTexts.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOptionButton>

namespace quillora::test {
namespace {

// A table's headers and cells. The text a reading quotes ("...") is what the printer got,
// not the window's, and is left out.
void AddModelTexts(QWidget* view, const QAbstractItemModel& model, std::vector<ShownText>& out) {
    static const QRegularExpression quoted(QStringLiteral("\"[^\"]*\""));
    for (int column = 0; column < model.columnCount(); ++column) {
        out.push_back({view, model.headerData(column, Qt::Horizontal).toString()});
        for (int row = 0; row < model.rowCount(); ++row)
            out.push_back({view, model.index(row, column).data().toString().remove(quoted)});
    }
}

void AddTextsOf(QWidget* widget, std::vector<ShownText>& out) {
    if (widget->isWindow()) out.push_back({widget, widget->windowTitle()});
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
        out.push_back({widget, button->text()});
    if (auto* label = qobject_cast<QLabel*>(widget)) out.push_back({widget, label->text()});
    if (auto* group = qobject_cast<QGroupBox*>(widget)) out.push_back({widget, group->title()});
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) out.push_back({widget, edit->text()});
    if (auto* list = qobject_cast<QComboBox*>(widget)) {
        for (int i = 0; i < list->count(); ++i) out.push_back({widget, list->itemText(i)});
    }
    if (auto* view = qobject_cast<QAbstractItemView*>(widget); view && view->model()) {
        if (!qobject_cast<QComboBox*>(widget->parentWidget()))
            AddModelTexts(view, *view->model(), out);
    }
}

int TextWidth(const QWidget& widget, const QString& text) {
    QString plain = text;
    plain.remove(QRegularExpression(QStringLiteral("&(?=[^&])")));
    return widget.fontMetrics().horizontalAdvance(plain);
}

}  // namespace

std::vector<ShownText> VisibleTexts(QWidget& window) {
    std::vector<ShownText> texts;
    AddTextsOf(&window, texts);
    for (QWidget* child : window.findChildren<QWidget*>()) {
        if (!child->isVisibleTo(&window) || qobject_cast<QPlainTextEdit*>(child)) continue;
        if (qobject_cast<QHeaderView*>(child)) continue;  // its model's headers are taken
        AddTextsOf(child, texts);
    }
    std::erase_if(texts, [](const ShownText& shown) { return shown.text.isEmpty(); });
    return texts;
}

QString CutOff(const ShownText& shown) {
    QWidget& widget = *shown.widget;
    const QStyle& style = *widget.style();
    int needed = TextWidth(widget, shown.text);
    int room = widget.width();
    if (qobject_cast<QPushButton*>(&widget)) {
        // The style's own size of a button around the text: its margin and frame.
        QStyleOptionButton option;
        option.initFrom(&widget);
        option.text = shown.text;
        needed = style
                     .sizeFromContents(QStyle::CT_PushButton, &option,
                                       {needed, widget.fontMetrics().height()}, &widget)
                     .width();
    } else if (qobject_cast<QCheckBox*>(&widget)) {
        needed += style.pixelMetric(QStyle::PM_IndicatorWidth, nullptr, &widget) +
                  style.pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, &widget);
    } else if (qobject_cast<QRadioButton*>(&widget)) {
        needed += style.pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, &widget) +
                  style.pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, &widget);
    } else if (qobject_cast<QGroupBox*>(&widget)) {
        needed += 2 * style.pixelMetric(QStyle::PM_LayoutLeftMargin, nullptr, &widget);
    } else if (auto* label = qobject_cast<QLabel*>(&widget); label && label->wordWrap()) {
        const int height = label->heightForWidth(label->width());
        if (height <= label->height()) return {};
        return QStringLiteral("\"%1\" needs %2 px down, has %3")
            .arg(shown.text)
            .arg(height)
            .arg(label->height());
    } else if (!qobject_cast<QLabel*>(&widget)) {
        return {};  // windows, lists and tables: laid out or scrolled, never cut
    }
    if (needed <= room) return {};
    return QStringLiteral("\"%1\" needs %2 px across, has %3")
        .arg(shown.text)
        .arg(needed)
        .arg(room);
}

bool HasChinese(const QString& text) {
    static const QRegularExpression chinese(
        QStringLiteral("[\\x{3000}-\\x{303f}\\x{3400}-\\x{9fff}\\x{ff00}-\\x{ffef}]"));
    return text.contains(chinese);
}

}  // namespace quillora::test
