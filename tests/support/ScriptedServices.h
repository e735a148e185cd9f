#pragma once

#include <QString>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "platform/FileDialogService.h"
#include "platform/MessageService.h"

namespace quillora::test {

// Records every message box instead of showing it.
class RecordingMessages : public MessageService {
public:
    struct Shown {
        QString text;
        MessageIcon icon;
    };
    // Runs while the "box" is up, for tests that look at the window at that moment.
    std::function<void(const Shown&)> onShow;

    void Show(QWidget*, const QString& text, MessageIcon icon) override {
        shown.push_back({text, icon});
        if (onShow) onShow(shown.back());
    }
    std::vector<Shown> shown;
};

// Answers open-file dialogs from a queue: a path, or nothing for Cancel.
class ScriptedFileDialogs : public FileDialogService {
public:
    std::deque<std::optional<QString>> answers;
    std::vector<QString> filtersAsked;

    std::optional<QString> ChooseExistingFile(QWidget*, const QString& filter) override {
        filtersAsked.push_back(filter);
        if (answers.empty()) return std::nullopt;
        const bool chosen = answers.front().has_value();
        const QString path = answers.front().value_or(QString());
        answers.pop_front();
        if (!chosen) return std::nullopt;
        return path;
    }
};

}  // namespace quillora::test
