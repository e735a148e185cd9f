#pragma once

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>
#include <ostream>
#include <string>
#include <vector>

#include "app/ControlTable.h"
#include "commands/ExpectedCommands.h"
#include "support/DialogHarness.h"

// Failed comparisons of texts show the text.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << text.toStdString();
}

namespace quillora::test {

// The main window over a recording driver that counts COM1, COM2, LPT1 and USB1, with the
// network entry at 127.0.4.1. A test picks the entry that is selected at start-up.
class CommandDialogTest : public testing::Test {
protected:
    enum Entry { kCom1, kCom2, kLpt1, kUsb1, kIp };

    MainTestDialog& Open(Entry selected = kCom1) {
        h.ports.comCount = 2;
        h.ports.lptCount = 1;
        h.ports.usbCount = 1;
        h.WriteFile("Option.ini", "[System]\nPort=" + std::to_string(selected) +
                                      "\nIp1=127\nIp2=0\nIp3=4\nIp4=1\n");
        MainTestDialog& dialog = h.Create();
        dialog.show();
        // Only what a click does is of interest.
        h.ports.Clear();
        return dialog;
    }

    void Click(int id) { QTest::mouseClick(h.dialog->Control(id), Qt::LeftButton); }

    void SetCopies(const QString& text) {
        static_cast<QLineEdit*>(h.dialog->Control(ctl::Copies))->setText(text);
    }

    std::vector<std::string> SentHex() const { return ToHex(h.ports.SentBlocks()); }

    // The port of every driver call, which must all be the same one.
    std::vector<PortName> PortsUsed() const {
        std::vector<PortName> ports;
        for (const auto& call : h.ports.Calls()) ports.push_back(call.port);
        return ports;
    }

    DialogHarness h;
};

}  // namespace quillora::test
