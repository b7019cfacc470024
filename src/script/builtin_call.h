// What a single built-in sees of its call, and the helpers the built-in
// families share. Internal to the dispatcher and the built-in files.
#pragma once

#include "script/builtin_api.h"

#include <cstddef>
#include <span>
#include <string>

namespace tapwell {

struct BuiltinCall {
    BuiltinEnv& env;
    ScriptValue& result;
    std::span<ScriptValue> args;
    // Empty, or per argument a text lent in place of args[i] (see CallBuiltin).
    std::span<const ScriptValue*> lent;
    int line;

    std::size_t count() const { return args.size(); }
    const ScriptValue& value(std::size_t i) const {
        return !lent.empty() && lent[i] ? *lent[i] : args[i];
    }
    std::int32_t integer(std::size_t i) const { return ToInteger(value(i)); }
    // The argument's text to read; an integer argument is converted in place.
    const std::string& read(std::size_t i) const {
        const ScriptValue& v = value(i);
        return v.isString() ? v.string : makeText(args[i]);
    }
    // The argument's text for the built-in to change: a lent text is copied
    // into the argument first.
    std::string& text(std::size_t i) const {
        if (!lent.empty() && lent[i]) {
            args[i].setString(std::string_view(lent[i]->string));
            lent[i] = nullptr;
        }
        return makeText(args[i]);
    }
    // Makes the result an empty string and returns its bytes to fill. The
    // result slot and the arguments are reused by the caller from call to
    // call, so writing into the slot's own buffer (rather than moving buffers
    // between them) lets a loop run without allocating.
    std::string& resultText() const {
        result.setEmptyString();
        return result.string;
    }
};

using BuiltinFn = void (*)(BuiltinCall&);

// Strings and conversion.
void builtinStrlen(BuiltinCall&);
void builtinToInt(BuiltinCall&);
void builtinToStr(BuiltinCall&);
void builtinStrStr(BuiltinCall&);
void builtinStrStrI(BuiltinCall&);
void builtinToStr2(BuiltinCall&);
void builtinToStr16(BuiltinCall&);
void builtinPadLeft(BuiltinCall&);
void builtinPadRight(BuiltinCall&);
void builtinTrimLeft(BuiltinCall&);
void builtinTrimRight(BuiltinCall&);
void builtinStrUpr(BuiltinCall&);
void builtinStrLwr(BuiltinCall&);
void builtinLeft(BuiltinCall&);
void builtinRight(BuiltinCall&);
void builtinMid(BuiltinCall&);
void builtinGetAsciiCode(BuiltinCall&);
void builtinAsciiCode(BuiltinCall&);
void builtinReplace(BuiltinCall&);

// Time, system and messages.
void builtinSleep(BuiltinCall&);
void builtinCurrentYear(BuiltinCall&);
void builtinCurrentMonth(BuiltinCall&);
void builtinCurrentDay(BuiltinCall&);
void builtinCurrentDayOfWeek(BuiltinCall&);
void builtinCurrentHour(BuiltinCall&);
void builtinCurrentMinute(BuiltinCall&);
void builtinCurrentSecond(BuiltinCall&);
void builtinCurrentMilliseconds(BuiltinCall&);
void builtinRand(BuiltinCall&);
void builtinSrand(BuiltinCall&);
void builtinSystemMetrics(BuiltinCall&);
void builtinScriptVersion(BuiltinCall&);
void builtinMessage(BuiltinCall&);
void builtinQuestion(BuiltinCall&);
void builtinQuestionOkCancel(BuiltinCall&);
void builtinQuestionYesNoCancel(BuiltinCall&);
void builtinWarning(BuiltinCall&);
void builtinInformation(BuiltinCall&);
void builtinError(BuiltinCall&);
void builtinMessageBeep(BuiltinCall&);

// Mouse, keyboard, clipboard and environment.
void builtinGetEnv(BuiltinCall&);
void builtinSetEnv(BuiltinCall&);
void builtinCursorPosX(BuiltinCall&);
void builtinCursorPosY(BuiltinCall&);
void builtinSetCursorPos(BuiltinCall&);
void builtinMoveMouse(BuiltinCall&);
void builtinMouseWheel(BuiltinCall&);
void builtinMouseLeft(BuiltinCall&);
void builtinMouseRight(BuiltinCall&);
void builtinMouseMiddle(BuiltinCall&);
void builtinMouseX1(BuiltinCall&);
void builtinMouseX2(BuiltinCall&);
void builtinKeybdEvent(BuiltinCall&);
void builtinSendInputUnicode(BuiltinCall&);
void builtinGetClipboardText(BuiltinCall&);
void builtinSetClipboardText(BuiltinCall&);

} // namespace tapwell
