// Writes the imaging fuzzer's seed corpus into the folder named on the command line.
#include <cstdio>
#include <filesystem>

#include "BmpFiles.h"
#include "SeedCorpus.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <corpus folder>\n", argv[0]);
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    for (const quillora::test::SeedBmp& seed : quillora::test::SeedCorpus()) {
        quillora::test::WriteBinaryFile((folder / seed.name).string(), seed.bytes);
    }
    return 0;
}
