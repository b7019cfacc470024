#include "script/builtin_call.h"

#include "common/leaf_helpers.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <new>
#include <stdexcept>
#include <vector>

namespace tapwell {

namespace {

// One row of the dispatch order. A row with no function is the '$'-less form
// of a string built-in: reaching it is error 104 whatever the count.
struct Row {
    std::array<std::string_view, 3> names;
    std::uint8_t counts; // bit n set: n arguments accepted
    BuiltinFn fn;
};

// Argument counts a row accepts; a row of the string-only form accepts none.
constexpr std::uint8_t kTakes0 = 1, kTakes1 = 2, kTakes2 = 4, kTakes3 = 8;
constexpr std::uint8_t kStringFormOnly = 0;

// The rows in the language's order of comparison. As no name appears twice,
// finding a name's row by binary search is equivalent to comparing the names
// one after the other; the order is kept so the table reads like the list it
// implements. (WARNING, INFORMATION and ERROR share one place in that list.)
constexpr Row kRows[] = {
    {{"SLEEP"}, kTakes1, builtinSleep},
    {{"GETCURRENTYEAR"}, kTakes0, builtinCurrentYear},
    {{"GETCURRENTMONTH"}, kTakes0, builtinCurrentMonth},
    {{"GETCURRENTDAY"}, kTakes0, builtinCurrentDay},
    {{"GETCURRENTDAYOFWEEK"}, kTakes0, builtinCurrentDayOfWeek},
    {{"GETCURRENTHOUR"}, kTakes0, builtinCurrentHour},
    {{"GETCURRENTMINUTE"}, kTakes0, builtinCurrentMinute},
    {{"GETCURRENTSECOND"}, kTakes0, builtinCurrentSecond},
    {{"GETCURRENTMILLISECONDS"}, kTakes0, builtinCurrentMilliseconds},
    {{"RAND"}, kTakes0, builtinRand},
    {{"SRAND"}, kTakes0 | kTakes1, builtinSrand},
    {{"GETSYSTEMMETRICS"}, kTakes1, builtinSystemMetrics},
    {{"GETQZ_SCRIPTVERSION"}, kTakes0, builtinScriptVersion},
    {{"TEXTOUT", "MESSAGE", "MESSAGEBOX"}, kTakes1 | kTakes2, builtinMessage},
    {{"QUESTION"}, kTakes1 | kTakes2, builtinQuestion},
    {{"QUESTION_OKCANCEL"}, kTakes1 | kTakes2, builtinQuestionOkCancel},
    {{"QUESTION_YESNOCANCEL"}, kTakes1 | kTakes2, builtinQuestionYesNoCancel},
    {{"WARNING"}, kTakes1 | kTakes2, builtinWarning},
    {{"INFORMATION"}, kTakes1 | kTakes2, builtinInformation},
    {{"ERROR"}, kTakes1 | kTakes2, builtinError},
    {{"MESSAGEBEEP"}, kTakes1, builtinMessageBeep},
    {{"STRLEN"}, kTakes1, builtinStrlen},
    {{"TOINT"}, kTakes1, builtinToInt},
    {{"TOSTR$"}, kTakes1, builtinToStr},
    {{"TOSTR"}, kStringFormOnly, nullptr},
    {{"STRSTR"}, kTakes2, builtinStrStr},
    {{"STRSTRI"}, kTakes2, builtinStrStrI},
    {{"TOSTR2$"}, kTakes1, builtinToStr2},
    {{"TOSTR2"}, kStringFormOnly, nullptr},
    {{"TOSTR16$"}, kTakes1, builtinToStr16},
    {{"TOSTR16"}, kStringFormOnly, nullptr},
    {{"PADLEFT$"}, kTakes2 | kTakes3, builtinPadLeft},
    {{"PADLEFT"}, kStringFormOnly, nullptr},
    {{"PADRIGHT$"}, kTakes2 | kTakes3, builtinPadRight},
    {{"PADRIGHT"}, kStringFormOnly, nullptr},
    {{"TRIMLEFT$"}, kTakes1 | kTakes2, builtinTrimLeft},
    {{"TRIMLEFT"}, kStringFormOnly, nullptr},
    {{"TRIMRIGHT$"}, kTakes1 | kTakes2, builtinTrimRight},
    {{"TRIMRIGHT"}, kStringFormOnly, nullptr},
    {{"STRUPR$"}, kTakes1, builtinStrUpr},
    {{"STRUPR"}, kStringFormOnly, nullptr},
    {{"STRLWR$"}, kTakes1, builtinStrLwr},
    {{"STRLWR"}, kStringFormOnly, nullptr},
    {{"LEFT$"}, kTakes2, builtinLeft},
    {{"LEFT"}, kStringFormOnly, nullptr},
    {{"RIGHT$"}, kTakes2, builtinRight},
    {{"RIGHT"}, kStringFormOnly, nullptr},
    {{"MID$", "SUBSTR$", "SUBSTRING$"}, kTakes3, builtinMid},
    {{"MID", "SUBSTR", "SUBSTRING"}, kStringFormOnly, nullptr},
    {{"GETASCIICODE"}, kTakes2, builtinGetAsciiCode},
    {{"ASCIICODE$"}, kTakes1, builtinAsciiCode},
    {{"ASCIICODE"}, kStringFormOnly, nullptr},
    {{"REPLACE$"}, kTakes2 | kTakes3, builtinReplace},
    {{"REPLACE"}, kStringFormOnly, nullptr},
    {{"GETENV$"}, kTakes1, builtinGetEnv},
    {{"GETENV"}, kStringFormOnly, nullptr},
    {{"SETENV"}, kTakes2, builtinSetEnv},
    {{"GETCURSORPOSX"}, kTakes0, builtinCursorPosX},
    {{"GETCURSORPOSY"}, kTakes0, builtinCursorPosY},
    {{"SETCURSORPOS"}, kTakes2, builtinSetCursorPos},
    {{"MOVEMOUSE"}, kTakes2, builtinMoveMouse},
    {{"MOUSEWHEEL"}, kTakes1, builtinMouseWheel},
    {{"MOUSEBUTTONLEFT"}, kTakes1, builtinMouseLeft},
    {{"MOUSEBUTTONRIGHT"}, kTakes1, builtinMouseRight},
    {{"MOUSEBUTTONMIDDLE"}, kTakes1, builtinMouseMiddle},
    {{"MOUSEBUTTONX1"}, kTakes1, builtinMouseX1},
    {{"MOUSEBUTTONX2"}, kTakes1, builtinMouseX2},
    {{"KEYBDEVENT"}, kTakes2, builtinKeybdEvent},
    {{"SENDINPUTUNICODE"}, kTakes2, builtinSendInputUnicode},
    {{"GETCLIPBOARDTEXT$"}, kTakes0, builtinGetClipboardText},
    {{"GETCLIPBOARDTEXT"}, kStringFormOnly, nullptr},
    {{"SETCLIPBOARDTEXT"}, kTakes1, builtinSetClipboardText},
};

// Byte-wise order of the upper-case form of `name` against a table name.
int compareUpper(std::string_view name, std::string_view tableName) {
    const std::size_t n = std::min(name.size(), tableName.size());
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned char a = static_cast<unsigned char>(asciiUpper(name[i]));
        const unsigned char b = static_cast<unsigned char>(tableName[i]);
        if (a != b)
            return a < b ? -1 : 1;
    }
    return name.size() < tableName.size() ? -1 : name.size() > tableName.size() ? 1 : 0;
}

struct NameEntry {
    std::string_view name;
    std::int16_t row;
};

// Every name of every row, sorted, for a binary search.
const std::vector<NameEntry>& sortedNames() {
    static const std::vector<NameEntry> names = [] {
        std::vector<NameEntry> v;
        for (std::size_t r = 0; r < std::size(kRows); ++r)
            for (std::string_view n : kRows[r].names)
                if (!n.empty())
                    v.push_back({n, static_cast<std::int16_t>(r)});
        std::sort(v.begin(), v.end(),
                  [](const NameEntry& a, const NameEntry& b) { return a.name < b.name; });
        return v;
    }();
    return names;
}

std::string upperCopy(std::string_view name) {
    std::string s(name);
    for (char& c : s)
        c = asciiUpper(c);
    return s;
}

std::string formatError(const char* format, int line, const std::string& name, int count,
                        bool nameTwice) {
    // The name can be as long as the script makes it: size the buffer to it.
    std::string out(std::string_view(format).size() + 2 * name.size() + 32, '\0');
    const int n =
        nameTwice
            ? std::snprintf(out.data(), out.size(), format, line, name.c_str(), count, name.c_str())
            : std::snprintf(out.data(), out.size(), format, line, name.c_str(), count);
    // Plain %d and %s cannot fail to convert, so n is the length written.
    out.resize(static_cast<std::size_t>(n));
    return out;
}

void failUnknown(BuiltinEnv& env, ScriptValue& result, std::string_view name, std::size_t count,
                 int line) {
    const std::string upperName = upperCopy(name);
    env.reportRuntimeError(
        kErrorUnknownFunction, line,
        formatError("Runtime error at line %d: Unknown Function Call or Not enough "
                    "arguments:%s(args:%d)\n",
                    line, upperName, static_cast<int>(count), false));
    if (!upperName.empty() && upperName.back() == '$')
        result.setEmptyString();
    else
        result.setInteger(0);
}

void failStringFormOnly(BuiltinEnv& env, ScriptValue& result, std::string_view name,
                        std::size_t count, int line) {
    env.reportRuntimeError(kErrorStringFormOnly, line,
                           formatError("Runtime error at line %d: Unknown Function "
                                       "Call:%s(args:%d). But %s$() exists.\n",
                                       line, upperCopy(name), static_cast<int>(count), true));
    result.setInteger(0);
}

// A script can ask for any amount of memory (PADLEFT$ to two gigabytes, say);
// running out ends the script instead of the program.
void failOutOfMemory(BuiltinEnv& env, ScriptValue& result, std::string_view name, std::size_t count,
                     int line) {
    env.reportRuntimeError(kErrorOutOfMemory, line,
                           formatError("Runtime error at line %d: Out of memory:%s(args:%d)\n",
                                       line, upperCopy(name), static_cast<int>(count), false));
    result.setInteger(0);
}

} // namespace

BuiltinRef resolveBuiltin(std::string_view name) {
    const auto& names = sortedNames();
    std::size_t lo = 0, hi = names.size();
    while (lo < hi) {
        const std::size_t mid = (lo + hi) / 2;
        const int c = compareUpper(name, names[mid].name);
        if (c == 0)
            return {names[mid].row};
        if (c < 0)
            hi = mid;
        else
            lo = mid + 1;
    }
    return {};
}

void CallBuiltin(BuiltinEnv& env, ScriptValue& result, BuiltinRef ref, std::string_view name,
                 std::span<ScriptValue> args, std::span<const ScriptValue*> lent, int line) {
    if (ref.row < 0 || static_cast<std::size_t>(ref.row) >= std::size(kRows)) {
        failUnknown(env, result, name, args.size(), line);
        return;
    }
    const Row& row = kRows[ref.row];
    if (!row.fn) {
        failStringFormOnly(env, result, name, args.size(), line);
        return;
    }
    // A name with an unaccepted count would go on to the later rows; as no
    // name appears twice, it ends in 105.
    if (args.size() > 7 || !(row.counts & (1u << args.size()))) {
        failUnknown(env, result, name, args.size(), line);
        return;
    }
    BuiltinCall call{env, result, args, lent, line};
    try {
        row.fn(call);
    } catch (const std::bad_alloc&) {
        failOutOfMemory(env, result, name, args.size(), line);
    } catch (const std::length_error&) {
        failOutOfMemory(env, result, name, args.size(), line);
    }
}

void CallBuiltin(BuiltinEnv& env, ScriptValue& result, std::string_view name,
                 std::span<ScriptValue> args, int line) {
    CallBuiltin(env, result, resolveBuiltin(name), name, args, {}, line);
}

} // namespace tapwell
