// libFuzzer target: any bytes as the settings file. A key is read, written and read back:
// the written value comes back, and every other line of the file is unchanged byte for
// byte (the write changes or adds the key's line, or adds its section at the end).
#include <dirent.h>
#include <unistd.h>

#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "platform/ProfileFile.h"

namespace {

// A folder of its own for the file, in memory where there is such a place.
std::string MakeFolder() {
    std::string folder =
        (access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp") + std::string("/settings-XXXXXX");
    if (mkdtemp(folder.data()) == nullptr) std::abort();
    return folder;
}

// Lines as the settings file has them: split at '\n', the last one with or without it.
std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// A name of 1 to 8 letters and digits made from the input (letters and digits kept, other
// bytes mapped onto them).
std::string Name(const std::uint8_t*& data, std::size_t& size) {
    static constexpr char kAlphabet[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::string name;
    const std::size_t length = size == 0 ? 1 : data[0] % 8 + 1;
    for (std::size_t i = 0; i < length; ++i) {
        const std::uint8_t byte = i + 1 < size ? data[i + 1] : 0;
        name.push_back(std::isalnum(byte) ? char(byte) : kAlphabet[byte % (sizeof kAlphabet - 1)]);
    }
    const std::size_t used = std::min(size, length + 1);
    data += used, size -= used;
    return name;
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void Check(bool condition) {
    if (!condition) __builtin_trap();
}

bool OnlyTheFileIn(const std::string& folder) {
    DIR* dir = opendir(folder.c_str());
    if (dir == nullptr) std::abort();
    int entries = 0;
    while (const dirent* entry = readdir(dir)) {
        if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0) {
            ++entries;
        }
    }
    closedir(dir);
    return entries == 1;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string folder = MakeFolder();
    static const std::string path = folder + "/Option.ini";
    const std::string section = Name(data, size);
    const std::string key = Name(data, size);
    std::int32_t value = 0;
    const std::size_t valueBytes = std::min(size, sizeof value);
    std::memcpy(&value, data, valueBytes);
    data += valueBytes, size -= valueBytes;
    const std::string before(reinterpret_cast<const char*>(data), size);
    {
        std::ofstream file(path, std::ios::binary | std::ios::trunc);
        file.write(before.data(), std::streamsize(before.size()));
        if (!file) std::abort();
    }

    // Another key of the same section keeps its value.
    const std::string other = key + "x";
    const int otherBefore = quillora::ReadProfileInt(path, section, other, -7);
    quillora::ReadProfileInt(path, section, key, -7);
    if (quillora::WriteProfileInt(path, section, key, value)) std::abort();
    Check(quillora::ReadProfileInt(path, section, key, value == 0 ? 1 : 0) == value);
    Check(quillora::ReadProfileInt(path, section, other, -7) == otherBefore);
    Check(OnlyTheFileIn(folder));

    // Old and new lines agree but for one stretch: the key's line replaced or inserted, or
    // the section appended with a blank line before it when the file did not end in one.
    const std::vector<std::string> oldLines = Lines(before);
    const std::vector<std::string> newLines = Lines(ReadAll(path));
    std::size_t prefix = 0;
    while (prefix < oldLines.size() && prefix < newLines.size() &&
           oldLines[prefix] == newLines[prefix]) {
        ++prefix;
    }
    std::size_t suffix = 0;
    while (suffix < oldLines.size() - prefix && suffix < newLines.size() - prefix &&
           oldLines[oldLines.size() - 1 - suffix] == newLines[newLines.size() - 1 - suffix]) {
        ++suffix;
    }
    const std::vector<std::string> removed(oldLines.begin() + prefix, oldLines.end() - suffix);
    const std::vector<std::string> added(newLines.begin() + prefix, newLines.end() - suffix);
    const std::string cr = before.empty() || before.find("\r\n") != std::string::npos ? "\r" : "";
    const std::string entry = key + "=" + std::to_string(value) + cr;
    const std::string header = "[" + section + "]" + cr;
    const bool changedOrInserted =
        removed.size() <= 1 && (added.empty() || added == std::vector<std::string>{entry});
    const bool appended = removed.empty() && suffix == 0 &&
                          (added == std::vector<std::string>{header, entry} ||
                           added == std::vector<std::string>{cr, header, entry});
    Check(changedOrInserted || appended);
    return 0;
}
