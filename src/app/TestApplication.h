#pragma once

class QApplication;

namespace quillora {

// Start-up: records the working directory, applies the skin, runs the main window
// modally. The process ends when that window closes.
class TestApplication {
public:
    explicit TestApplication(QApplication& application) : application_(application) {}
    int Run();

private:
    QApplication& application_;
};

}  // namespace quillora
