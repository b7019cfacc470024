// A BuiltinEnv for tests: fake services, a recording key sink, scripted
// message boxes and a record of the runtime errors reported.
#pragma once

#include "keystroke/recording_sink.h"
#include "script/builtin_api.h"
#include "script/services_fake.h"

#include <string>
#include <vector>

namespace tapwell::test {

struct ReportedError {
    int code;
    int line;
    std::string message;
};

class TestBuiltinEnv : public BuiltinEnv {
  public:
    FakeScriptServices fake;
    RecordingSink sink;
    ScriptedMessageBoxes boxes;
    std::vector<ReportedError> errors;
    std::uint32_t random = 1;

    void reportRuntimeError(int code, int line, std::string_view message) override {
        errors.push_back({code, line, std::string(message)});
    }
    int showMessageBox(std::string_view text, std::string_view caption,
                       std::uint32_t flags) override {
        return boxes.show(text, caption, flags);
    }
    OwnerWindow ownerWindow() override { return nullptr; }
    ScriptServices& services() override { return fake; }
    KeyEventSink& keySink() override { return sink; }
    std::uint32_t& randomState() override { return random; }
    bool stopRequested() const override { return false; }

    // Calls the built-in `name` with `args` on `line`.
    ScriptValue call(std::string_view name, std::vector<ScriptValue> args = {}, int line = 1) {
        ScriptValue result;
        result.setString("stale"); // a result slot reused from an earlier call
        CallBuiltin(*this, result, name, args, line);
        return result;
    }
};

inline const auto I = [](std::int32_t v) { return ScriptValue(v); };
inline const auto S = [](std::string s) { return ScriptValue(std::move(s)); };

} // namespace tapwell::test
