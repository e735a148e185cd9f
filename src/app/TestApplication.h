#pragma once

class QApplication;

namespace quillora {

// Start-up: records the working directory, applies the skin, runs the main window
// modally. The process ends when that window closes; SIGTERM and SIGINT close it (main
// blocks them before QApplication starts its threads).
class TestApplication {
public:
    explicit TestApplication(QApplication& application) : application_(application) {}
    int Run();

private:
    QApplication& application_;
};

}  // namespace quillora
