#include "checks/DriverPrinting.h"

namespace quillora {

std::optional<ReadyCheck> PrepareDriverPrint(CheckHost& host) {
    return host.DriverPrints().PreparePrint(host);
}

}  // namespace quillora
