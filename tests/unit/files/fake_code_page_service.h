// A code-page service that knows a handful of byte strings: what the
// platform's strict conversions make of them, and what it detects.
#pragma once

#include "files/text_file_decoding.h"

#include <map>
#include <vector>

namespace tapwell::testing {

class FakeCodePageService : public CodePageService {
  public:
    std::optional<std::uint32_t> detected; // nothing: detection fails
    std::uint32_t ansi = 1252;
    bool failConvert = false;
    // (code page, bytes) -> text; a missing entry is invalid in that code page.
    std::map<std::pair<std::uint32_t, std::string>, std::u16string> known;
    std::vector<std::uint32_t> strictCalls;

    std::optional<std::uint32_t> detectCodePage(std::string_view) override { return detected; }
    std::optional<std::u16string> convert(std::uint32_t cp, std::string_view bytes) override {
        return failConvert ? std::nullopt : lookup(cp, bytes);
    }
    std::optional<std::u16string> decodeStrict(std::uint32_t cp, std::string_view bytes) override {
        strictCalls.push_back(cp);
        return lookup(cp, bytes);
    }
    std::uint32_t ansiCodePage() override { return ansi; }

  private:
    std::optional<std::u16string> lookup(std::uint32_t cp, std::string_view bytes) const {
        auto it = known.find({cp, std::string(bytes)});
        return it == known.end() ? std::nullopt : std::optional(it->second);
    }
};

} // namespace tapwell::testing
