// A ScriptHost for tests. Scripts report what they compute through callback
// calls: cb.v(1, "a") is recorded as the line `v 1 "a"`. Errors and message
// boxes are recorded in the same list, in order.
#pragma once

#include "common/utf.h"
#include "keystroke/recording_sink.h"
#include "script/script_runner.h"
#include "script/services_fake.h"

#include <functional>
#include <initializer_list>
#include <map>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace tapwell::test {

class ScriptTestHost {
  public:
    std::vector<std::string> log;
    // Answers of callback calls by name (each call takes the next one);
    // names without answers leave the result untouched.
    std::map<std::string, std::vector<HostValue>> answers;
    // Decides what CheckAbort returns; null: the host has no CheckAbort.
    std::function<int(int line)> checkAbort;
    StatementCap* cap = nullptr;
    bool withCallBack = true;
    int boxAnswer = 1;

    FakeScriptServices services;
    RecordingSink keys;

    ScriptTestHost() { current_ = this; }
    ~ScriptTestHost() { current_ = nullptr; }

    ScriptHost host() const {
        return {reinterpret_cast<void*>(0x42), withCallBack ? &callBack : nullptr, &reportError,
                checkAbort ? &abortQuery : nullptr, &messageBox};
    }

    ScriptDevices devices() { return {&services, &keys, nullptr}; }

    std::int32_t run(std::string_view utf8) {
        const std::u16string text = utf8ToUtf16(utf8);
        const ScriptHost h = host();
        return runScriptText(text.c_str(), &h, devices(), cap);
    }

    // The log of a run, one entry per line.
    std::string runLog(std::string_view utf8) {
        log.clear();
        run(utf8);
        std::string out;
        for (const std::string& line : log)
            out += line + "\n";
        return out;
    }

    // Runs every script; "" when each gave its log, else what differed.
    std::string
    mismatches(std::initializer_list<std::pair<std::string_view, std::string_view>> cases) {
        std::string out;
        for (const auto& [script, want] : cases)
            if (const std::string got = runLog(script); got != want)
                out += "script:\n" + std::string(script) + "\nlogged:\n" + got + "wanted:\n" +
                       std::string(want) + "\n";
        return out;
    }

  private:
    static inline thread_local ScriptTestHost* current_ = nullptr;

    static std::int32_t callBack(CallBackCall* call) {
        std::string line = utf16ToUtf8(call->name);
        if (call->count == 0 && call->arguments != nullptr)
            line += " <non-null arguments>";
        for (const HostValue& v : std::span(call->arguments, call->count)) {
            line += ' ';
            line += v.type == 0 ? std::to_string(v.integer) : '"' + utf16ToUtf8(v.string) + '"';
        }
        current_->log.push_back(line);
        auto it = current_->answers.find(utf16ToUtf8(call->name));
        if (it != current_->answers.end() && !it->second.empty()) {
            *call->result = it->second.front();
            it->second.erase(it->second.begin());
        }
        return 0;
    }

    static void reportError(std::int32_t code, std::int32_t line, const char16_t* text) {
        current_->log.push_back("error " + std::to_string(code) + " " + std::to_string(line) + " " +
                                utf16ToUtf8(text));
    }

    static std::int32_t abortQuery(std::int32_t line) { return current_->checkAbort(line); }

    static std::int32_t messageBox(void* owner, const char16_t* text, const char16_t* caption,
                                   std::uint32_t flags) {
        current_->log.push_back("box " + std::to_string(flags) + " " + utf16ToUtf8(caption) + ": " +
                                utf16ToUtf8(text));
        return current_->boxAnswer;
    }
};

} // namespace tapwell::test
