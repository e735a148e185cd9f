#include "gui/SerialSettingsDialog.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>

#include "gui/MessageService.h"
#include "platform/CodePage936.h"
#include "platform/ProfileFile.h"
#include "port/SerialParams.h"

namespace quillora {

SerialSettingsDialog::SerialSettingsDialog(PortName port, std::string settingsPath, QWidget* parent)
    : QDialog(parent),
      port_(std::move(port)),
      settingsPath_(std::move(settingsPath)),
      baudRates_(new QComboBox(this)),
      flowControls_(new QComboBox(this)) {
    setWindowTitle(QString::fromStdString(FromGbk(port_)) + tr(" 串口设置"));

    const ProfileSnapshot settings(settingsPath_);
    const int baudRate = settings.ReadInt(port_, "Baudrate", 9600);
    for (const int rate : StandardBaudRates()) baudRates_->addItem(QString::number(rate), rate);
    const int baudIndex = baudRates_->findData(baudRate);
    baudRates_->setCurrentIndex(baudIndex >= 0 ? baudIndex : baudRates_->findData(9600));

    // Listed in code order, so an entry's index is its flow-control code.
    flowControls_->addItems({tr("无"), QStringLiteral("XON/XOFF"), QStringLiteral("RTS/CTS"),
                             QStringLiteral("DTR/DSR")});
    const int flow = settings.ReadInt(port_, "FlowCtl", kFlowNone);
    flowControls_->setCurrentIndex(flow >= kFlowNone && flow <= kFlowDtrDsr ? flow : kFlowNone);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QFormLayout(this);
    layout->addRow(tr("波特率"), baudRates_);
    layout->addRow(tr("流控制"), flowControls_);
    layout->addRow(buttons);
}

void SerialSettingsDialog::accept() {
    storeError_ =
        WriteProfileInt(settingsPath_, port_, "Baudrate", baudRates_->currentData().toInt());
    if (!storeError_) {
        storeError_ =
            WriteProfileInt(settingsPath_, port_, "FlowCtl", flowControls_->currentIndex());
    }
    QDialog::accept();
}

LinuxPortDriver::SettingsDialog SerialSettingsDialogFor(std::string settingsPath,
                                                        MessageService& messages) {
    return [settingsPath = std::move(settingsPath),
            &messages](const PortName& port) -> std::optional<LinuxPortDriver::SettingsChoice> {
        QWidget* owner = QApplication::activeWindow();
        SerialSettingsDialog dialog(port, settingsPath, owner);
        if (dialog.exec() != QDialog::Accepted) return std::nullopt;
        const LinuxPortDriver::SettingsChoice choice{dialog.BaudRateList()->currentData().toInt(),
                                                     dialog.FlowControlList()->currentIndex(),
                                                     dialog.StoreError()};
        // The choice still holds for this session; the technician must know it will not
        // come back at the next start.
        if (choice.storeError) {
            messages.Show(owner,
                          QCoreApplication::translate("SerialSettings", "串口设置没有保存成功!\n") +
                              QString::fromLocal8Bit(choice.storeError.message().c_str()),
                          MessageIcon::Exclamation);
        }
        return choice;
    };
}

}  // namespace quillora
