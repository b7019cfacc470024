// Time, random numbers, system queries and message boxes.
#include "script/builtin_call.h"

#include "script/builtin_messages.h"

namespace tapwell {

void builtinSleep(BuiltinCall& c) {
    // A negative wait would be one of more than 49 days (or the endless one):
    // it waits not at all.
    const std::int32_t ms = c.integer(0);
    c.env.services().sleep(ms > 0 ? static_cast<std::uint32_t>(ms) : 0u, c.env);
    c.result.setInteger(0);
}

namespace {

template <int LocalTime::*Field> void currentField(BuiltinCall& c) {
    c.result.setInteger(c.env.services().localTime().*Field);
}

} // namespace

void builtinCurrentYear(BuiltinCall& c) {
    currentField<&LocalTime::year>(c);
}
void builtinCurrentMonth(BuiltinCall& c) {
    currentField<&LocalTime::month>(c);
}
void builtinCurrentDay(BuiltinCall& c) {
    currentField<&LocalTime::day>(c);
}
void builtinCurrentDayOfWeek(BuiltinCall& c) {
    currentField<&LocalTime::dayOfWeek>(c);
}
void builtinCurrentHour(BuiltinCall& c) {
    currentField<&LocalTime::hour>(c);
}
void builtinCurrentMinute(BuiltinCall& c) {
    currentField<&LocalTime::minute>(c);
}
void builtinCurrentSecond(BuiltinCall& c) {
    currentField<&LocalTime::second>(c);
}
void builtinCurrentMilliseconds(BuiltinCall& c) {
    currentField<&LocalTime::milliseconds>(c);
}

namespace {

// The C runtime's linear congruential generator, which scripts rely on for
// reproducible sequences.
std::int32_t nextRandom(std::uint32_t& state) {
    state = state * 214013u + 2531011u;
    return static_cast<std::int32_t>((state >> 16) & 0x7FFFu);
}

} // namespace

void builtinRand(BuiltinCall& c) {
    c.result.setInteger(nextRandom(c.env.randomState()));
}

void builtinSrand(BuiltinCall& c) {
    const std::int32_t seed =
        c.count() == 0 ? static_cast<std::int32_t>(c.env.services().tickCount()) : c.integer(0);
    c.env.randomState() = static_cast<std::uint32_t>(seed);
    c.result.setInteger(seed);
}

void builtinSystemMetrics(BuiltinCall& c) {
    c.result.setInteger(c.env.services().systemMetrics(c.integer(0)));
}

void builtinScriptVersion(BuiltinCall& c) {
    c.result.setInteger(kScriptLanguageVersion);
}

namespace {

// Shows the box of a message built-in: text and optional caption from the
// arguments, the built-in's own caption otherwise.
int showBox(BuiltinCall& c, std::string_view defaultCaption, std::uint32_t flags) {
    const std::string& text = c.read(0);
    const std::string_view caption = c.count() >= 2 ? std::string_view(c.read(1)) : defaultCaption;
    return c.env.showMessageBox(text, caption, flags);
}

} // namespace

void builtinMessage(BuiltinCall& c) {
    showBox(c, kCaptionMessage, message_box::Ok);
    c.result.setInteger(0);
}

void builtinQuestion(BuiltinCall& c) {
    const int answer = showBox(c, kCaptionQuestion, message_box::YesNo | message_box::IconQuestion);
    c.result.setInteger(answer == message_box::IdYes ? 1 : 0);
}

void builtinQuestionOkCancel(BuiltinCall& c) {
    const int answer =
        showBox(c, kCaptionQuestion, message_box::OkCancel | message_box::IconQuestion);
    c.result.setInteger(answer == message_box::IdOk ? 1 : 0);
}

void builtinQuestionYesNoCancel(BuiltinCall& c) {
    const int answer =
        showBox(c, kCaptionQuestion, message_box::YesNoCancel | message_box::IconQuestion);
    c.result.setInteger(answer == message_box::IdYes ? 1 : answer == message_box::IdNo ? 0 : -1);
}

void builtinWarning(BuiltinCall& c) {
    showBox(c, kCaptionWarning, message_box::Ok | message_box::IconWarning);
    c.result.setInteger(0);
}

void builtinInformation(BuiltinCall& c) {
    showBox(c, kCaptionInformation, message_box::Ok | message_box::IconInformation);
    c.result.setInteger(0);
}

void builtinError(BuiltinCall& c) {
    showBox(c, kCaptionError, message_box::Ok | message_box::IconError);
    c.result.setInteger(0);
}

void builtinMessageBeep(BuiltinCall& c) {
    c.result.setInteger(c.env.services().messageBeep(static_cast<std::uint32_t>(c.integer(0))));
}

} // namespace tapwell
