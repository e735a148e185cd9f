// Writes the imaging fuzzer's seed corpus into the folder named on the command line.
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "BmpFiles.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <corpus folder>\n", argv[0]);
        return 2;
    }
    std::error_code error;
    std::filesystem::create_directories(argv[1], error);
    if (error) {
        std::fprintf(stderr, "cannot create %s: %s\n", argv[1], error.message().c_str());
        return 1;
    }
    for (const quillora::test::SeedBmp& seed : quillora::test::SeedCorpus()) {
        const std::string path = (std::filesystem::path(argv[1]) / seed.name).string();
        if (!quillora::test::WriteBinaryFile(path, seed.bytes)) {
            std::fprintf(stderr, "cannot write %s\n", path.c_str());
            return 1;
        }
    }
}
