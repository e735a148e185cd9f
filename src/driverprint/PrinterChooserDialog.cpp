#include "driverprint/PrinterChooserDialog.h"

#include <QComboBox>
#include <QPushButton>

#include "app/DialogUnits.h"
#include "driverprint/ChooserSelection.h"

namespace quillora {
namespace {

constexpr int kTemplateFontPoints = 12;
constexpr int kVisibleItems = 15;  // the template's 188-unit dropped list

}  // namespace

PrinterChooserDialog::PrinterChooserDialog(Spooler& spooler, QWidget* parent)
    : QDialog(parent), spooler_(spooler), printerList_(new QComboBox(this)) {
    setWindowTitle(QStringLiteral("请选择打印机"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setFont(DialogFont(kTemplateFontPoints));
    const DialogUnits units(font());
    setFixedSize(units.ToPixels(QSize(187, 68)));

    printerList_->setObjectName(QStringLiteral("ctl%1").arg(kPrinterListId));
    printerList_->setEditable(false);
    printerList_->setMaxVisibleItems(kVisibleItems);
    QRect listGeometry = units.ToPixels(QRect(22, 20, 146, 188));
    listGeometry.setHeight(printerList_->sizeHint().height());
    printerList_->setGeometry(listGeometry);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("ctl1"));
    ok->setGeometry(units.ToPixels(QRect(73, 47, 50, 14)));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("ctl2"));
    cancel->setGeometry(units.ToPixels(QRect(130, 47, 50, 14)));
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    FillPrinterList();
}

void PrinterChooserDialog::FillPrinterList() {
    printerList_->clear();
    // An unreachable spooler leaves the list empty, as one with no printers would.
    const PrinterList printers = spooler_.LocalPrinters();
    for (const std::string& name : printers.names)
        printerList_->addItem(QString::fromStdString(name));
    printerList_->setCurrentIndex(-1);
    const PrinterName defaultPrinter = spooler_.DefaultPrinterName();
    printerList_->setCurrentIndex(PreselectedPrinter(printers.names, defaultPrinter.name, -1));
}

void PrinterChooserDialog::accept() {
    chosenName_ = printerList_->currentIndex() < 0 ? std::string()
                                                   : printerList_->currentText().toStdString();
    defaultChange_ = spooler_.SetDefaultPrinter(chosenName_);
    QDialog::accept();
}

}  // namespace quillora
