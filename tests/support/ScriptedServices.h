#pragma once

#include <QString>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "gui/FileDialogService.h"
#include "gui/MessageService.h"

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

// Answers open-file and save-file dialogs from a queue each: a path, or nothing for Cancel.
class ScriptedFileDialogs : public FileDialogService {
public:
    std::deque<std::optional<QString>> answers;
    std::vector<QString> filtersAsked;
    std::deque<std::optional<QString>> saveAnswers;
    std::vector<QString> saveFiltersAsked;
    std::vector<QString> saveNamesOffered;

    std::optional<QString> ChooseExistingFile(QWidget*, const QString& filter) override {
        filtersAsked.push_back(filter);
        return Next(answers);
    }
    std::optional<QString> ChooseSaveFile(QWidget*, const QString& filter,
                                          const QString& suggestedName) override {
        saveFiltersAsked.push_back(filter);
        saveNamesOffered.push_back(suggestedName);
        return Next(saveAnswers);
    }

private:
    static std::optional<QString> Next(std::deque<std::optional<QString>>& queue) {
        if (queue.empty()) return std::nullopt;
        // Copied out as a plain QString: GCC 12 misreads a copied optional<QString>.
        const bool chosen = queue.front().has_value();
        const QString path = queue.front().value_or(QString());
        queue.pop_front();
        if (!chosen) return std::nullopt;
        return path;
    }
};

}  // namespace quillora::test
