#include "platform/AppPaths.h"

namespace quillora {
namespace {

std::string& MutableAppDirectory() {
    static std::string directory;
    return directory;
}

std::string& MutableSettingsPath() {
    static std::string path;
    return path;
}

}  // namespace

const std::string& AppDirectory() {
    return MutableAppDirectory();
}
const std::string& SettingsPath() {
    return MutableSettingsPath();
}

std::string DataFilePath(const std::string& name) {
    const std::string& directory = AppDirectory();
    if (!directory.empty() && directory.back() == '/') return directory + name;
    return directory + "/" + name;
}

void SetAppDirectory(const std::string& directory) {
    MutableAppDirectory() = directory;
    MutableSettingsPath() = DataFilePath("Option.ini");
}

}  // namespace quillora
