#pragma once

#include <optional>

#include "checks/CheckHost.h"
#include "commands/StatusExchange.h"

namespace quillora {

// A status query: serial connections only; every outcome is told, the reply decoded.
std::optional<ReadyCheck> PrepareStatusQueryOf(StatusQuery (*query)());
template <StatusQuery (*Query)()>
std::optional<ReadyCheck> PrepareStatusQuery(CheckHost&) {
    return PrepareStatusQueryOf(Query);
}

}  // namespace quillora
