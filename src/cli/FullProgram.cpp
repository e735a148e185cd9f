#include "cli/FullProgram.h"

#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "checks/CheckCatalogue.h"
#include "cli/PortChoice.h"

namespace quillora::cli {
namespace {

int Fail(const std::string& path, int error) {
    std::fprintf(stderr, "quillora-cli: %s: %s\n", path.c_str(), std::strerror(error));
    std::fflush(stderr);
    return kExitUsage;
}

}  // namespace

bool NeedsPageDrawing(const CliOptions& options) {
    // watch is refused --preview and --port none, and has no tests: it never draws.
    if (options.command != Command::Run) return false;
    if (options.previewDir || IsDrawOnly(options.port)) return true;
    for (const std::string& test : options.tests) {
        const Check* check = FindCheckByName(test.substr(0, test.find('=')));
        if (check && check->printsThroughSpooler) return true;
    }
    return false;
}

int HandOverToFullProgram(char* const argv[]) {
    constexpr const char* kSelf = "/proc/self/exe";
    std::array<char, 4096> self{};
    const ssize_t length = readlink(kSelf, self.data(), self.size() - 1);
    if (length < 0) return Fail(kSelf, errno);
    if (std::size_t(length) >= self.size() - 1) return Fail(kSelf, ENAMETOOLONG);
    std::string path(self.data(), std::size_t(length));
    path = path.substr(0, path.rfind('/') + 1) + QUILLORA_CLI_FULL_FROM_BIN;
    execv(path.c_str(), argv);
    return Fail(path, errno);
}

}  // namespace quillora::cli
