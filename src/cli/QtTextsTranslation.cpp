#include "cli/QtTextsTranslation.h"

#include "resources/Translation.h"

namespace quillora::cli {

QtTextsTranslation::QtTextsTranslation(UiLanguage language) {
    // Chinese is the source text: nothing to install, and no application object is made.
    if (language == UiLanguage::English && !QCoreApplication::instance())
        application_.emplace(argc_, argv_);
    loaded_ = InstallTranslation(language, translator_);
}

// Here, so that the program's own code needs nothing of Qt to end it.
QtTextsTranslation::~QtTextsTranslation() = default;

}  // namespace quillora::cli
