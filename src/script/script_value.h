// The interpreter's one value type and the conversions every operator and
// built-in goes through.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tapwell {

// An integer or a UTF-8 byte string. The field not in use is kept at its
// neutral value (0 or empty) so that a value can be compared field by field.
// Setting an integer keeps the string's capacity, so a slot reused by a loop
// does not reallocate.
struct ScriptValue {
    enum : std::uint8_t { Integer = 0, String = 1 };

    std::uint8_t type = Integer;
    std::int32_t integer = 0;
    std::string string;

    ScriptValue() = default;
    explicit ScriptValue(std::int32_t v) : integer(v) {}
    explicit ScriptValue(std::string s) : type(String), string(std::move(s)) {}
    explicit ScriptValue(const char* s) : type(String), string(s) {}

    bool isString() const { return type == String; }
    bool isInteger() const { return type == Integer; }

    void setInteger(std::int32_t v) {
        if (type != Integer) { // an integer's string is empty already
            type = Integer;
            string.clear();
        }
        integer = v;
    }
    void setString(std::string_view s) {
        type = String;
        integer = 0;
        string.assign(s.data(), s.size());
    }
    void setString(const char* s) { setString(std::string_view(s)); }
    void setString(std::string&& s) {
        type = String;
        integer = 0;
        string = std::move(s);
    }
    // Empty string value, keeping the buffer for appends that follow.
    void setEmptyString() {
        type = String;
        integer = 0;
        string.clear();
    }

    bool operator==(const ScriptValue&) const = default;
};

// strtol in base 10 with the 32-bit range of the platform the language was
// made for: leading white space, one sign, digits up to the first other byte,
// saturating at INT32_MIN / INT32_MAX; no digits give 0.
std::int32_t ToInteger(std::string_view text);
inline std::int32_t ToInteger(const ScriptValue& v) {
    return v.type == ScriptValue::String ? ToInteger(v.string) : v.integer;
}

// "%d" of an integer; a string gives itself.
std::string ToText(const ScriptValue& v);
std::string ToText(std::int32_t v);
// Appends ToText(v) to `out` without a temporary.
void appendText(std::string& out, const ScriptValue& v);
void appendText(std::string& out, std::int32_t v);
// Turns `v` into its string form in place (a no-op for strings) and returns
// its bytes; for callers that own a temporary value.
std::string& makeText(ScriptValue& v);

// Condition truth: non-zero integer, non-empty string ("0" is true).
inline bool IsTrue(const ScriptValue& v) {
    return v.type == ScriptValue::String ? !v.string.empty() : v.integer != 0;
}

} // namespace tapwell
