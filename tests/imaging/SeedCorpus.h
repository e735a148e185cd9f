#pragma once

#include <optional>
#include <string>
#include <vector>

#include "imaging/BmpReader.h"

namespace quillora::test {

// The imaging fuzzer's seeds: readable BMPs of awkward sizes, and files the reader must
// refuse, each with its refusal.
struct SeedBmp {
    std::string name;
    std::string bytes;
    std::optional<BmpReadFailure> refusal;  // nothing: the file reads
};

std::vector<SeedBmp> SeedCorpus();

}  // namespace quillora::test
