#pragma once

#include <QString>

#include "platform/MessageIcon.h"

class QWidget;

namespace quillora {

// Every message box of the program goes through here, so tests can answer them. The box
// is modal over `owner`, has one OK button and the application's display name as title.
class MessageService {
public:
    virtual ~MessageService() = default;
    virtual void Show(QWidget* owner, const QString& text, MessageIcon icon) = 0;
};

class QtMessageService final : public MessageService {
public:
    void Show(QWidget* owner, const QString& text, MessageIcon icon) override;
};

}  // namespace quillora
