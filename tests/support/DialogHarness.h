#pragma once

#include <QApplication>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>

#include "app/AppPaths.h"
#include "app/AppServices.h"
#include "app/MainTestDialog.h"
#include "support/ManualTickClock.h"
#include "support/RecordingPortDriver.h"
#include "support/ScriptedServices.h"

namespace quillora::test {

// A working directory of its own, fakes for every service, and the main window built on
// them. Files that the window reads at start-up are written before Create().
class DialogHarness {
public:
    DialogHarness() { SetAppDirectory(dir.path().toStdString()); }

    std::string Path(const std::string& name) const { return DataFilePath(name); }
    void WriteFile(const std::string& name, const std::string& bytes) const;
    std::string ReadFile(const std::string& name) const;

    MainTestDialog& Create() {
        dialog = std::make_unique<MainTestDialog>(services);
        return *dialog;
    }

    QTemporaryDir dir;
    RecordingPortDriver ports;
    RecordingMessages messages;
    ScriptedFileDialogs files;
    ManualTickClock clock;
    AppServices services{ports, messages, files, clock};
    std::unique_ptr<MainTestDialog> dialog;
};

// Runs `action` on the next modal dialog once it is up (the call that opens it blocks).
void WhenModalOpens(std::function<void(QWidget*)> action);

}  // namespace quillora::test
