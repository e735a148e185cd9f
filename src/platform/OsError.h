#pragma once

#include <cerrno>
#include <system_error>

namespace quillora {

// errno as an error code, right after the failed call.
inline std::error_code LastOsError() {
    return {errno, std::system_category()};
}

}  // namespace quillora
