#pragma once

namespace quillora {

// True when `fd` reports its DSR line low. Devices without modem lines (pseudo-terminals)
// never hold a write back.
bool DsrHoldsBack(int fd);

}  // namespace quillora
