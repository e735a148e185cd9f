#pragma once

#include <QTranslator>

#include "texts/UiLanguage.h"

namespace quillora {

// Sets the texts' language and installs `translator` on the application for the widgets'
// own texts (nothing to install for Chinese); false when the embedded translation could not
// be loaded.
bool InstallTranslation(UiLanguage language, QTranslator& translator);

}  // namespace quillora
