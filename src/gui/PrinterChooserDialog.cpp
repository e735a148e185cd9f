#include "gui/PrinterChooserDialog.h"

#include <QComboBox>

#include "driverprint/ChooserSelection.h"
#include "gui/DialogUnits.h"

namespace quillora {
namespace {

constexpr int kTemplateFontPoints = 12;
constexpr int kVisibleItems = 15;  // the template's 188-unit dropped list

}  // namespace

PrinterChooserDialog::PrinterChooserDialog(Spooler& spooler, QWidget* parent)
    : QDialog(parent), spooler_(spooler), printerList_(new QComboBox(this)) {
    const DialogUnits units =
        SetUpTemplateDialog(*this, tr("请选择打印机"), kTemplateFontPoints, {187, 68});

    printerList_->setObjectName(QStringLiteral("ctl%1").arg(kPrinterListId));
    printerList_->setEditable(false);
    printerList_->setMaxVisibleItems(kVisibleItems);
    QRect listGeometry = units.ToPixels(QRect(22, 20, 146, 188));
    listGeometry.setHeight(printerList_->sizeHint().height());
    printerList_->setGeometry(listGeometry);

    AddOkCancelButtons(*this, units, {73, 47, 50, 14}, {130, 47, 50, 14});

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
