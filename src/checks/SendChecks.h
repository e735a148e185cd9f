#pragma once

#include <optional>
#include <vector>

#include "checks/CheckHost.h"
#include "commands/CommandBytes.h"

namespace quillora {

// The checks that only send: fixed command blocks, the sample text, a file, a switch.

// Sends `blocks` on `port`, one call each, through the host.
SendTally SendBlocksThrough(CheckHost& host, const PortName& port,
                            const std::vector<CommandBlock>& blocks);

std::optional<ReadyCheck> PrepareBlocks(std::vector<CommandBlock> blocks);
template <std::vector<CommandBlock> (*Blocks)()>
std::optional<ReadyCheck> PrepareFixedBlocks(CheckHost&) {
    return PrepareBlocks(Blocks());
}

// The sample text followed by CR LF; a short send is told with the count first.
std::optional<ReadyCheck> PrepareSinglePrint(CheckHost& host);

// A file's bytes, raw, in one call.
std::optional<ReadyCheck> PreparePrintFile(CheckHost& host);

// GS F n with the switch's new state.
std::optional<ReadyCheck> PrepareSwitchOf(CheckHost& host, const FunctionSwitch& function);
template <const FunctionSwitch& Function>
std::optional<ReadyCheck> PrepareSwitch(CheckHost& host) {
    return PrepareSwitchOf(host, Function);
}

}  // namespace quillora
