#pragma once

#include <QDialog>
#include <functional>

class QLabel;
class QProgressBar;
class QPushButton;

namespace quillora {

// A send's progress: bytes taken of total, rate and connection, and a cancel button;
// Escape and the close button cancel too. Cancelling disables the button and says so.
class SendProgressDialog : public QDialog {
public:
    // The bar's range.
    static constexpr int kSteps = 1000;

    SendProgressDialog(QWidget* owner, std::function<void()> cancel);
    // Nothing once cancelled.
    void Update(const QString& text, int steps);
    void reject() override;

private:
    std::function<void()> cancel_;
    QLabel* label_;
    QProgressBar* bar_;
    QPushButton* button_;
};

}  // namespace quillora
