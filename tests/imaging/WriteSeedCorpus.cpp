// Writes the imaging fuzzer's seed corpus into the folder named on the command line.
#include <filesystem>

#include "BmpFiles.h"

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    std::filesystem::create_directories(argv[1]);  // throws, and so fails, if it cannot
    for (const quillora::test::SeedBmp& seed : quillora::test::SeedCorpus()) {
        const std::string path = (std::filesystem::path(argv[1]) / seed.name).string();
        if (!quillora::test::WriteBinaryFile(path, seed.bytes)) return 1;
    }
}
