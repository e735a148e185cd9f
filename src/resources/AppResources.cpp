#include "resources/AppResources.h"

#include <QCoreApplication>
#include <QPixmap>

namespace quillora {

QPixmap AppIconPixmap() {
    return QPixmap(QStringLiteral(":/quillora/quillora.xpm"));
}

QIcon AppIcon() {
    return QIcon(AppIconPixmap());
}

QString AboutMenuCaption() {
    return QCoreApplication::translate("AppResources", "关于 Quillora(&A)...");
}

}  // namespace quillora
