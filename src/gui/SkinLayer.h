#pragma once

#include <string>

class QApplication;

namespace quillora {

// The skin file, when present and readable as a Qt style sheet, styles every window.
// Anything else about it (missing, binary, unreadable) changes nothing, silently.
void ApplySkin(QApplication& application, const std::string& skinPath);

}  // namespace quillora
