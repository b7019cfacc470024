#include "script/builtin_call.h"

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

constexpr std::uint8_t C0 = 1, C1 = 2, C2 = 4, C3 = 8;
constexpr std::uint8_t StringFormExists = 0;

// The rows in the language's order of comparison. As no name appears twice,
// finding a name's row by binary search is equivalent to comparing the names
// one after the other; the order is kept so the table reads like the list it
// implements. (WARNING, INFORMATION and ERROR share one place in that list.)
constexpr Row kRows[] = {
    {{"SLEEP"}, C1, builtinSleep},
    {{"GETCURRENTYEAR"}, C0, builtinCurrentYear},
    {{"GETCURRENTMONTH"}, C0, builtinCurrentMonth},
    {{"GETCURRENTDAY"}, C0, builtinCurrentDay},
    {{"GETCURRENTDAYOFWEEK"}, C0, builtinCurrentDayOfWeek},
    {{"GETCURRENTHOUR"}, C0, builtinCurrentHour},
    {{"GETCURRENTMINUTE"}, C0, builtinCurrentMinute},
    {{"GETCURRENTSECOND"}, C0, builtinCurrentSecond},
    {{"GETCURRENTMILLISECONDS"}, C0, builtinCurrentMilliseconds},
    {{"RAND"}, C0, builtinRand},
    {{"SRAND"}, C0 | C1, builtinSrand},
    {{"GETSYSTEMMETRICS"}, C1, builtinSystemMetrics},
    {{"GETQZ_SCRIPTVERSION"}, C0, builtinScriptVersion},
    {{"TEXTOUT", "MESSAGE", "MESSAGEBOX"}, C1 | C2, builtinMessage},
    {{"QUESTION"}, C1 | C2, builtinQuestion},
    {{"QUESTION_OKCANCEL"}, C1 | C2, builtinQuestionOkCancel},
    {{"QUESTION_YESNOCANCEL"}, C1 | C2, builtinQuestionYesNoCancel},
    {{"WARNING"}, C1 | C2, builtinWarning},
    {{"INFORMATION"}, C1 | C2, builtinInformation},
    {{"ERROR"}, C1 | C2, builtinError},
    {{"MESSAGEBEEP"}, C1, builtinMessageBeep},
    {{"STRLEN"}, C1, builtinStrlen},
    {{"TOINT"}, C1, builtinToInt},
    {{"TOSTR$"}, C1, builtinToStr},
    {{"TOSTR"}, StringFormExists, nullptr},
    {{"STRSTR"}, C2, builtinStrStr},
    {{"STRSTRI"}, C2, builtinStrStrI},
    {{"TOSTR2$"}, C1, builtinToStr2},
    {{"TOSTR2"}, StringFormExists, nullptr},
    {{"TOSTR16$"}, C1, builtinToStr16},
    {{"TOSTR16"}, StringFormExists, nullptr},
    {{"PADLEFT$"}, C2 | C3, builtinPadLeft},
    {{"PADLEFT"}, StringFormExists, nullptr},
    {{"PADRIGHT$"}, C2 | C3, builtinPadRight},
    {{"PADRIGHT"}, StringFormExists, nullptr},
    {{"TRIMLEFT$"}, C1 | C2, builtinTrimLeft},
    {{"TRIMLEFT"}, StringFormExists, nullptr},
    {{"TRIMRIGHT$"}, C1 | C2, builtinTrimRight},
    {{"TRIMRIGHT"}, StringFormExists, nullptr},
    {{"STRUPR$"}, C1, builtinStrUpr},
    {{"STRUPR"}, StringFormExists, nullptr},
    {{"STRLWR$"}, C1, builtinStrLwr},
    {{"STRLWR"}, StringFormExists, nullptr},
    {{"LEFT$"}, C2, builtinLeft},
    {{"LEFT"}, StringFormExists, nullptr},
    {{"RIGHT$"}, C2, builtinRight},
    {{"RIGHT"}, StringFormExists, nullptr},
    {{"MID$", "SUBSTR$", "SUBSTRING$"}, C3, builtinMid},
    {{"MID", "SUBSTR", "SUBSTRING"}, StringFormExists, nullptr},
    {{"GETASCIICODE"}, C2, builtinGetAsciiCode},
    {{"ASCIICODE$"}, C1, builtinAsciiCode},
    {{"ASCIICODE"}, StringFormExists, nullptr},
    {{"REPLACE$"}, C2 | C3, builtinReplace},
    {{"REPLACE"}, StringFormExists, nullptr},
    {{"GETENV$"}, C1, builtinGetEnv},
    {{"GETENV"}, StringFormExists, nullptr},
    {{"SETENV"}, C2, builtinSetEnv},
    {{"GETCURSORPOSX"}, C0, builtinCursorPosX},
    {{"GETCURSORPOSY"}, C0, builtinCursorPosY},
    {{"SETCURSORPOS"}, C2, builtinSetCursorPos},
    {{"MOVEMOUSE"}, C2, builtinMoveMouse},
    {{"MOUSEWHEEL"}, C1, builtinMouseWheel},
    {{"MOUSEBUTTONLEFT"}, C1, builtinMouseLeft},
    {{"MOUSEBUTTONRIGHT"}, C1, builtinMouseRight},
    {{"MOUSEBUTTONMIDDLE"}, C1, builtinMouseMiddle},
    {{"MOUSEBUTTONX1"}, C1, builtinMouseX1},
    {{"MOUSEBUTTONX2"}, C1, builtinMouseX2},
    {{"KEYBDEVENT"}, C2, builtinKeybdEvent},
    {{"SENDINPUTUNICODE"}, C2, builtinSendInputUnicode},
    {{"GETCLIPBOARDTEXT$"}, C0, builtinGetClipboardText},
    {{"GETCLIPBOARDTEXT"}, StringFormExists, nullptr},
    {{"SETCLIPBOARDTEXT"}, C1, builtinSetClipboardText},
};

unsigned char upper(unsigned char c) {
    return c >= 'a' && c <= 'z' ? c - ('a' - 'A') : c;
}

// Byte-wise order of the upper-case form of `name` against a table name.
int compareUpper(std::string_view name, std::string_view tableName) {
    const std::size_t n = std::min(name.size(), tableName.size());
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned char a = upper(static_cast<unsigned char>(name[i]));
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
        c = static_cast<char>(upper(static_cast<unsigned char>(c)));
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
    out.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
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

void failStringFormExists(BuiltinEnv& env, ScriptValue& result, std::string_view name,
                          std::size_t count, int line) {
    env.reportRuntimeError(kErrorStringFormExists, line,
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

BuiltinRef ResolveBuiltin(std::string_view name) {
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
                 std::span<ScriptValue> args, int line) {
    if (ref.row < 0 || static_cast<std::size_t>(ref.row) >= std::size(kRows)) {
        failUnknown(env, result, name, args.size(), line);
        return;
    }
    const Row& row = kRows[ref.row];
    if (!row.fn) {
        failStringFormExists(env, result, name, args.size(), line);
        return;
    }
    // A name with an unaccepted count would go on to the later rows; as no
    // name appears twice, it ends in 105.
    if (args.size() > 7 || !(row.counts & (1u << args.size()))) {
        failUnknown(env, result, name, args.size(), line);
        return;
    }
    BuiltinCall call{env, result, args, line};
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
    CallBuiltin(env, result, ResolveBuiltin(name), name, args, line);
}

} // namespace tapwell
