#include "gui/AboutDialog.h"

#include <QLabel>
#include <QPushButton>

#include "gui/DialogUnits.h"
#include "resources/AppResources.h"

namespace quillora {

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    const DialogUnits units = SetUpTemplateDialog(*this, tr("关于 Quillora"), 9, {235, 55});

    auto* icon = new QLabel(this);
    icon->setPixmap(AppIconPixmap());
    icon->setGeometry(units.ToPixels(QRect(11, 17, 20, 20)));

    auto* name = new QLabel(tr("Quillora 1.0 版"), this);
    name->setGeometry(units.ToPixels(QRect(40, 10, 119, 8)));
    auto* line = new QLabel(tr("ESC/POS 票据打印机测试工具"), this);
    line->setObjectName(QStringLiteral("aboutSecondLine"));
    line->setGeometry(units.ToPixels(QRect(40, 25, 119, 8)));

    auto* ok = new QPushButton(tr("确定"), this);
    ok->setGeometry(units.ToPixels(QRect(178, 7, 50, 14)));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

}  // namespace quillora
