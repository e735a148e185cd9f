#include "support/DialogHarness.h"

#include <fstream>
#include <sstream>

namespace quillora::test {

void DialogHarness::WriteFile(const std::string& name, const std::string& bytes) const {
    std::ofstream(Path(name), std::ios::binary) << bytes;
}

std::string DialogHarness::ReadFile(const std::string& name) const {
    std::ifstream in(Path(name), std::ios::binary);
    std::ostringstream contents;
    contents << in.rdbuf();
    return contents.str();
}

ModalWatcher::ModalWatcher(std::function<void(QWidget*)> action)
    : poll_(std::make_unique<QTimer>()), action_(std::move(action)) {
    poll_->setInterval(5);
    QObject::connect(poll_.get(), &QTimer::timeout, [this] {
        if (QWidget* modal = QApplication::activeModalWidget(); modal && !fired_) {
            fired_ = true;
            poll_->stop();
            action_(modal);
        }
    });
    poll_->start();
}

void WhenModalOpens(std::function<void(QWidget*)> action) {
    auto watcher = std::make_shared<std::unique_ptr<ModalWatcher>>();
    *watcher =
        std::make_unique<ModalWatcher>([watcher, action = std::move(action)](QWidget* modal) {
            action(modal);
            // Released by a posted call once this one has returned; the test program's
            // main delivers what is still posted when the tests end.
            QMetaObject::invokeMethod(
                qApp, [watcher] { watcher->reset(); }, Qt::QueuedConnection);
        });
}

}  // namespace quillora::test
