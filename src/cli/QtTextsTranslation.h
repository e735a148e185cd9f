#pragma once

#include <QCoreApplication>
#include <QTranslator>
#include <optional>

#include "texts/UiLanguage.h"

namespace quillora::cli {

// The English of the texts the checks still translate through Qt: its translator, installed
// on an application object made only for it, as making one costs a run a fifth of its time
// (quillora-cli-full has its own, for drawing).
class QtTextsTranslation {
public:
    explicit QtTextsTranslation(UiLanguage language);
    ~QtTextsTranslation();
    // False when the English translation could not be loaded.
    bool Loaded() const { return loaded_; }

private:
    // The application keeps its arguments for its lifetime.
    int argc_ = 1;
    char name_[13] = "quillora-cli";
    char* argv_[2] = {name_, nullptr};
    std::optional<QCoreApplication> application_;
    QTranslator translator_;
    bool loaded_ = false;
};

}  // namespace quillora::cli
