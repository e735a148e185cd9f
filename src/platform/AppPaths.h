#pragma once

#include <string>

namespace quillora {

// Process-wide: written once at start-up (before any second thread exists), read after.
// Every data file of the program lives in AppDirectory, the working directory at start-up.
const std::string& AppDirectory();
const std::string& SettingsPath();

// AppDirectory + "/" + name, without doubling the separator at the root.
std::string DataFilePath(const std::string& name);

// Sets AppDirectory and derives SettingsPath. Start-up calls it once; tests call it
// before they build a window.
void SetAppDirectory(const std::string& directory);

}  // namespace quillora
