#pragma once

#include <unistd.h>

#include <string>

namespace quillora::test {

// ctest runs every test case as its own process, in parallel, so a fixed listening address
// would be taken by whichever case started first. The second byte keeps areas apart, the
// third comes from the process id, the fourth is the case's own host number.
inline int LoopbackProcessByte() {
    return static_cast<int>(getpid() % 250) + 1;
}

inline std::string LoopbackAddress(int area, int host) {
    return "127." + std::to_string(area) + "." + std::to_string(LoopbackProcessByte()) + "." +
           std::to_string(host);
}

}  // namespace quillora::test
