#pragma once

namespace quillora {

// The icon of a message box; what a check reports carries one, so that the window shows it.
enum class MessageIcon { None, Information, Exclamation };

}  // namespace quillora
