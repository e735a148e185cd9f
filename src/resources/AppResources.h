#pragma once

#include <QIcon>
#include <QString>

#include "resources/AppIdentity.h"

namespace quillora {

// The About entry's command id; any id whose low four bits cleared equal it opens the box.
inline constexpr unsigned kAboutCommandId = 16;

// Version record (the version itself is in AppIdentity.h).
inline constexpr const char* kInternalName = "Quillora";
inline constexpr const char* kProductName = "Quillora 应用程序";
inline constexpr const char* kOriginalFileName = "Quillora.EXE";

QIcon AppIcon();
QPixmap AppIconPixmap();

// String 101: the About entry of the window's menu.
QString AboutMenuCaption();

}  // namespace quillora
