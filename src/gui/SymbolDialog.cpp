#include "gui/SymbolDialog.h"

#include <QComboBox>
#include <QFormLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>

#include "checks/SymbolChecks.h"

namespace quillora {

SymbolDialog::SymbolDialog(SymbolKind kind, Print print, QWidget* parent)
    : QDialog(parent), kind_(kind) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(kind == SymbolKind::Qr ? tr("二维码打印") : tr("PDF417打印"));
    auto* form = new QFormLayout(this);
    text_ = new QPlainTextEdit(QString::fromStdString(DefaultSymbolText(kind)), this);
    text_->setMaximumHeight(80);
    form->addRow(tr("文字"), text_);
    encoding_ = new QComboBox(this);
    encoding_->addItems({QStringLiteral("GBK"), QStringLiteral("UTF-8")});
    form->addRow(tr("编码"), encoding_);
    if (kind == SymbolKind::Qr) {
        size_ = new QSpinBox(this);
        size_->setRange(3, 8);
        size_->setValue(6);
        form->addRow(tr("模块大小"), size_);
        level_ = new QComboBox(this);
        level_->addItems(
            {QStringLiteral("L"), QStringLiteral("M"), QStringLiteral("Q"), QStringLiteral("H")});
        level_->setCurrentIndex(1);
        form->addRow(tr("纠错等级"), level_);
    }
    auto* printButton = new QPushButton(tr("打印"), this);
    printButton->setDefault(true);
    form->addRow(printButton);
    connect(printButton, &QPushButton::clicked, this, [this, print] { print(Request()); });
}

SymbolRequest SymbolDialog::Request() const {
    SymbolRequest request;
    request.text = text_->toPlainText().toStdString();
    request.encoding = encoding_->currentIndex() == 1 ? TextEncoding::Utf8 : TextEncoding::Gbk;
    if (kind_ == SymbolKind::Qr) {
        request.qrModuleSize = size_->value();
        request.qrErrorLevel = level_->currentText().at(0).toLatin1();
    }
    return request;
}

}  // namespace quillora
