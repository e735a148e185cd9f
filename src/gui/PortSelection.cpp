// Port selection handlers of MainTestDialog: the connection list, the properties
// button and the resolution of the selection into a PortName.
#include <QComboBox>

#include "gui/ControlTable.h"
#include "gui/IpAddressDialog.h"
#include "gui/MainTestDialog.h"
#include "platform/AppPaths.h"
#include "platform/CodePage936.h"
#include "port/ConnectionList.h"

namespace quillora {

void MainTestDialog::BuildConnectionList() {
    auto* list = static_cast<QComboBox*>(Control(ctl::PortList));
    for (const std::string& entry : BuildConnectionEntries(services_.ports)) {
        list->addItem(QString::fromStdString(FromGbk(entry)));
    }
}

void MainTestDialog::ApplyPortSelection() {
    const std::string entry = SelectedEntryText();
    QWidget* properties = Control(ctl::PortProperties);
    if (IsSerialEntry(entry)) {
        properties->setEnabled(true);
        ApplySerialSettings(services_.ports, entry, SettingsPath());
        return;
    }
    properties->setEnabled(IsNetworkEntry(entry));
}

void MainTestDialog::ShowPortProperties() {
    UpdateData(true);
    const std::string entry = SelectedEntryText();
    if (IsSerialEntry(entry)) {
        services_.ports.ShowCOMSettingDlg(entry);
        return;
    }
    IpAddressDialog dialog(this);
    dialog.Octets = ReadIpOctets(SettingsPath());
    dialog.InitDialog();
    if (dialog.exec() != QDialog::Accepted) return;
    // The old address stays in force; the technician must know the new one was not kept.
    if (const std::error_code error = WriteIpOctets(SettingsPath(), dialog.Octets)) {
        ShowMessage(tr("IP地址没有保存成功!\n") + QString::fromLocal8Bit(error.message().c_str()),
                    MessageIcon::Exclamation);
    }
}

PortName MainTestDialog::CurrentPortName(bool pullFields) {
    if (pullFields) UpdateData(true);
    return ResolveEntry(SelectedEntryText(), SettingsPath());
}

}  // namespace quillora
