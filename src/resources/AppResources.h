#pragma once

#include <QIcon>
#include <QString>

namespace quillora {

// The About entry's command id; any id whose low four bits cleared equal it opens the box.
inline constexpr unsigned kAboutCommandId = 16;

// Application name, shown as the title of every message box.
inline constexpr const char* kAppDisplayName = "Quillora";

// Version record.
inline constexpr const char* kFileVersion = "1.0.0.1";
inline constexpr const char* kInternalName = "Quillora";
inline constexpr const char* kProductName = "Quillora 应用程序";
inline constexpr const char* kOriginalFileName = "Quillora.EXE";

QIcon AppIcon();
QPixmap AppIconPixmap();

// String 101: the About entry of the window's menu.
QString AboutMenuCaption();

}  // namespace quillora
