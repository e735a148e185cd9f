#pragma once

#include <QApplication>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>

#include "gui/AppServices.h"
#include "gui/MainTestDialog.h"
#include "platform/AppPaths.h"
#include "support/ManualTickClock.h"
#include "support/OfflineSpooler.h"
#include "support/RecordingPortDriver.h"
#include "support/ScriptedServices.h"

namespace quillora::test {

// A working directory of its own, fakes for every service, and the main window built on
// them. Files that the window reads at start-up are written before Create().
class DialogHarness {
public:
    // The window prints through `printers`; by default through a spooler with none.
    DialogHarness() : DialogHarness(noPrinters) {}
    explicit DialogHarness(Spooler& printers) : services{ports, messages, files, clock, printers} {
        SetAppDirectory(dir.path().toStdString());
    }

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
    OfflineSpooler noPrinters;
    AppServices services;
    std::unique_ptr<MainTestDialog> dialog;
};

// Runs `action` once on the next modal dialog that comes up while the watcher lives (the
// call that opens the dialog blocks, so the answer has to come from the event loop).
class ModalWatcher {
public:
    explicit ModalWatcher(std::function<void(QWidget*)> action);
    bool fired() const { return fired_; }

private:
    std::unique_ptr<QTimer> poll_;
    std::function<void(QWidget*)> action_;
    bool fired_ = false;
};

// The same, for a dialog that is sure to open: the watcher stays until it has fired.
void WhenModalOpens(std::function<void(QWidget*)> action);

}  // namespace quillora::test
