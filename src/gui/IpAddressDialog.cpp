#include "gui/IpAddressDialog.h"

#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>

#include "gui/DialogUnits.h"

namespace quillora {

IpAddressEdit::IpAddressEdit(QWidget* parent) : QWidget(parent) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (size_t i = 0; i < fields_.size(); ++i) {
        auto* field = new QLineEdit(this);
        field->setObjectName(QStringLiteral("ipField%1").arg(i));
        field->setValidator(new QIntValidator(0, 255, field));
        field->setMaxLength(3);
        field->setAlignment(Qt::AlignCenter);
        layout->addWidget(field);
        if (i + 1 < fields_.size()) layout->addWidget(new QLabel(QStringLiteral("."), this));
        fields_[i] = field;
    }
    // Typing the third digit moves on to the next field, as an address control does.
    for (size_t i = 0; i + 1 < fields_.size(); ++i) {
        connect(fields_[i], &QLineEdit::textEdited, this, [this, i](const QString& text) {
            if (text.size() == 3) fields_[i + 1]->setFocus();
        });
    }
}

void IpAddressEdit::SetAddress(std::uint32_t packed) {
    for (size_t i = 0; i < fields_.size(); ++i) {
        fields_[i]->setText(QString::number((packed >> (24 - 8 * i)) & 0xFF));
    }
}

IpOctets IpAddressEdit::Address() const {
    IpOctets octets{};
    for (size_t i = 0; i < fields_.size(); ++i) {
        octets[i] = static_cast<std::uint8_t>(std::min(fields_[i]->text().toInt(), 255));
    }
    return octets;
}

IpAddressDialog::IpAddressDialog(QWidget* parent) : QDialog(parent) {
    const DialogUnits units = SetUpTemplateDialog(*this, tr("IP设置"), 12, {187, 65});

    address_ = new IpAddressEdit(this);
    address_->setObjectName(QStringLiteral("ctl1030"));
    address_->setGeometry(units.ToPixels(QRect(40, 18, 100, 15)));

    AddOkCancelButtons(*this, units, {72, 44, 50, 14}, {130, 44, 50, 14});
}

void IpAddressDialog::InitDialog() {
    address_->SetAddress(PackAddress(Octets));
    address_->Field(0)->setFocus();
}

void IpAddressDialog::accept() {
    Octets = address_->Address();
    QDialog::accept();
}

}  // namespace quillora
