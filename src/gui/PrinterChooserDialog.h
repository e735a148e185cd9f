#pragma once

#include <QDialog>
#include <optional>
#include <string>

#include "driverprint/Spooler.h"

class QComboBox;

namespace quillora {

// Dialog 130: the local printers in the spooler's order, the default one preselected.
// OK makes the chosen printer the default printer and ends the dialog with Accepted.
class PrinterChooserDialog : public QDialog {
    Q_OBJECT

public:
    static constexpr int kPrinterListId = 1031;

    PrinterChooserDialog(Spooler& spooler, QWidget* parent);

    // The name taken at OK ("" when nothing was selected).
    const std::string& ChosenName() const { return chosenName_; }
    // What the spooler answered to the change of default; nothing before OK.
    const std::optional<SetDefaultResult>& DefaultChange() const { return defaultChange_; }

    void accept() override;

private:
    void FillPrinterList();

    Spooler& spooler_;
    QComboBox* printerList_;
    std::string chosenName_;
    std::optional<SetDefaultResult> defaultChange_;
};

}  // namespace quillora
