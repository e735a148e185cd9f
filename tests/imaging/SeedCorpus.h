#pragma once

#include <optional>
#include <string>
#include <vector>

#include "imaging/BmpReader.h"

namespace quillora::test {

// BMP files that start the imaging fuzzer: readable pictures of the awkward sizes and
// the files that the reader must refuse, each with the refusal it must give.
struct SeedBmp {
    std::string name;
    std::string bytes;
    std::optional<BmpReadFailure> refusal;  // nothing: the file reads
};

std::vector<SeedBmp> SeedCorpus();

}  // namespace quillora::test
