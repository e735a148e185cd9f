#pragma once

namespace quillora {

// Application name, shown as the title of every message box and in the version line.
inline constexpr const char* kAppDisplayName = "Quillora";

// The project's version (CMake's project()), so the program, the About box and the
// package never disagree.
inline constexpr const char* kFileVersion = QUILLORA_VERSION;

// The menu entry's file name without ".desktop"; the window system matches windows to it.
inline constexpr const char* kDesktopFileName = QUILLORA_APP_ID;

}  // namespace quillora
