#pragma once

#include <QDialog>
#include <QWidget>
#include <array>

#include "port/ConnectionList.h"

class QLineEdit;

namespace quillora {

// An IPv4 address entry of four fields 0..255; a blank field reads as 0.
class IpAddressEdit : public QWidget {
    Q_OBJECT

public:
    explicit IpAddressEdit(QWidget* parent = nullptr);
    void SetAddress(std::uint32_t packed);
    IpOctets Address() const;
    QLineEdit* Field(int index) const { return fields_[static_cast<size_t>(index)]; }

private:
    std::array<QLineEdit*, 4> fields_{};
};

// Dialog 129: the network printer's address.
class IpAddressDialog : public QDialog {
    Q_OBJECT

public:
    explicit IpAddressDialog(QWidget* parent = nullptr);

    IpOctets Octets{192, 168, 1, 10};

    // Shows Octets in the address control; call before running the dialog.
    void InitDialog();
    void accept() override;

private:
    IpAddressEdit* address_;
};

}  // namespace quillora
