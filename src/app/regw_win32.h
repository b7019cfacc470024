// REGW: access to the program's one registry key, opened for a single read
// or write and closed right after. Misuse (opening twice, reading or writing
// an unopened key, closing twice, forgetting to close) is survived and
// reported with a warning box.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string_view>

namespace tapwell {

class REGW {
  public:
    static constexpr int kCreate = 1;   // full access, create the key when missing
    static constexpr int kReadOnly = 2; // read access, never create

    REGW() = default;
    REGW(const REGW&) = delete;
    REGW& operator=(const REGW&) = delete;
    ~REGW();

    bool OpenKey(int mode);
    std::int32_t ReadIntegerW(std::u16string_view name, std::int32_t defaultValue);
    bool WriteIntegerW(std::u16string_view name, std::int32_t value);
    bool CloseKey();

    // The warnings' language; start-up clears it together with the UI language.
    static void setJapanese(bool japanese);
    static bool japanese();

  private:
    HKEY key_ = nullptr;
};

} // namespace tapwell
