#include "gui/SendProgressDialog.h"

#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "commands/SendReport.h"

namespace quillora {

SendProgressDialog::SendProgressDialog(QWidget* owner, std::function<void()> cancel)
    : QDialog(owner), cancel_(std::move(cancel)) {
    setObjectName(QStringLiteral("sendProgress"));
    setWindowTitle(owner->windowTitle());
    setWindowModality(Qt::WindowModal);
    auto* layout = new QVBoxLayout(this);
    label_ = new QLabel(this);
    bar_ = new QProgressBar(this);
    bar_->setRange(0, kSteps);
    button_ = new QPushButton(QCoreApplication::translate("SendProgressDialog", "取消"), this);
    button_->setObjectName(QStringLiteral("cancelSend"));
    layout->addWidget(label_);
    layout->addWidget(bar_);
    layout->addWidget(button_, 0, Qt::AlignRight);
    connect(button_, &QPushButton::clicked, this, [this] { reject(); });
    // Laid out and given its window now, so that showing it later is quick.
    Update(QString::fromStdString(SendProgressText({}, 0, 0, 0)), 0);
    adjustSize();
    winId();
}

void SendProgressDialog::Update(const QString& text, int steps) {
    if (!button_->isEnabled()) return;
    label_->setText(text);
    bar_->setValue(steps);
}

void SendProgressDialog::reject() {
    if (!button_->isEnabled()) return;
    button_->setEnabled(false);
    label_->setText(QString::fromStdString(SendCancellingText()));
    cancel_();
}

}  // namespace quillora
