#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace quillora::cli::json {

// The documents quillora-cli prints (--json, ports --json, watch --json), written without
// Qt in the very layout scripts have always read: keys sorted, four spaces a level.

struct Value;
using Array = std::vector<Value>;
// Written sorted by key, whatever the order given.
using Object = std::vector<std::pair<std::string, Value>>;

struct Value {
    Value(bool flag) : held(flag) {}
    Value(int number) : held(std::int64_t{number}) {}
    Value(std::int64_t number) : held(number) {}
    Value(double number) : held(number) {}
    // Bytes: read as UTF-8, as every text the program shows is (cli/Utf8Text.h).
    Value(std::string text) : held(std::move(text)) {}
    Value(const char* text) : held(std::string(text)) {}
    Value(Array array) : held(std::move(array)) {}
    Value(Object object) : held(std::move(object)) {}

    std::variant<bool, std::int64_t, double, std::string, Array, Object> held;
};

enum class Layout {
    Indented,  // a line a member, ending with a line break
    Compact,   // one line, no spaces, no line break
};

// `document`: an object or an array.
std::string Write(const Value& document, Layout layout);

}  // namespace quillora::cli::json
