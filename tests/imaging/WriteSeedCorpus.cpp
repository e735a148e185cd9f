// Writes the imaging fuzzer's seed corpus into the folder named on the command line.
#include <cstdio>
#include <filesystem>

#include "BmpFiles.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <corpus folder>\n", argv[0]);
        return 2;
    }
    std::filesystem::create_directories(argv[1]);
    for (const quillora::test::SeedBmp& seed : quillora::test::SeedCorpus())
        quillora::test::WriteBinaryFile((std::filesystem::path(argv[1]) / seed.name).string(),
                                        seed.bytes);
}
