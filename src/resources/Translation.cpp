#include "resources/Translation.h"

#include <QCoreApplication>

#include "texts/Texts.h"

namespace quillora {

bool InstallTranslation(UiLanguage language, QTranslator& translator) {
    texts::UseLanguage(language);
    if (language == UiLanguage::Chinese) return true;
    if (!translator.load(QStringLiteral(":/i18n/quillora_en.qm"))) return false;
    return QCoreApplication::installTranslator(&translator);
}

}  // namespace quillora
