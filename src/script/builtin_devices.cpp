// Mouse, keyboard, clipboard and environment built-ins.
#include "script/builtin_call.h"

#include "common/utf.h"
#include "keystroke/guarded_sink.h"
#include "keystroke/key_event_sink.h"

namespace tapwell {

void builtinGetEnv(BuiltinCall& c) {
    const auto value = c.env.services().environmentVariable(utf8ToUtf16(c.text(0)));
    if (value)
        c.result.setString(utf16ToUtf8(*value));
    else
        c.result.setEmptyString();
}

void builtinSetEnv(BuiltinCall& c) {
    const bool ok =
        c.env.services().setEnvironmentVariable(utf8ToUtf16(c.text(0)), utf8ToUtf16(c.text(1)));
    c.result.setInteger(ok ? 1 : 0);
}

void builtinCursorPosX(BuiltinCall& c) {
    const auto pos = c.env.services().cursorPosition();
    c.result.setInteger(pos ? pos->x : 0);
}

void builtinCursorPosY(BuiltinCall& c) {
    const auto pos = c.env.services().cursorPosition();
    c.result.setInteger(pos ? pos->y : 0);
}

void builtinSetCursorPos(BuiltinCall& c) {
    c.result.setInteger(c.env.services().setCursorPosition(c.integer(0), c.integer(1)));
}

namespace {

void mouse(BuiltinCall& c, std::uint32_t flags, std::int32_t dx, std::int32_t dy,
           std::int32_t data) {
    c.env.services().mouseEvent(flags, dx, dy, data);
    c.result.setInteger(1);
}

void button(BuiltinCall& c, std::uint32_t down, std::uint32_t up, std::int32_t data) {
    const bool release = c.integer(0) == 0;
    mouse(c, release ? up : down, 0, 0, data);
    if (HeldInputs* held = c.env.heldInputs())
        held->noteMouseButton(up, data, release);
}

} // namespace

void builtinMoveMouse(BuiltinCall& c) {
    mouse(c, mouse_flags::Move, c.integer(0), c.integer(1), 0);
}
void builtinMouseWheel(BuiltinCall& c) {
    mouse(c, mouse_flags::Wheel, 0, 0, c.integer(0));
}
void builtinMouseLeft(BuiltinCall& c) {
    button(c, mouse_flags::LeftDown, mouse_flags::LeftUp, 0);
}
void builtinMouseRight(BuiltinCall& c) {
    button(c, mouse_flags::RightDown, mouse_flags::RightUp, 0);
}
void builtinMouseMiddle(BuiltinCall& c) {
    button(c, mouse_flags::MiddleDown, mouse_flags::MiddleUp, 0);
}
void builtinMouseX1(BuiltinCall& c) {
    button(c, mouse_flags::XDown, mouse_flags::XUp, 1);
}
void builtinMouseX2(BuiltinCall& c) {
    button(c, mouse_flags::XDown, mouse_flags::XUp, 2);
}

void builtinKeybdEvent(BuiltinCall& c) {
    const auto vk = static_cast<std::uint8_t>(static_cast<std::uint32_t>(c.integer(0)) & 0xFFu);
    const bool up = c.integer(1) == 0;
    c.env.keySink().sendKey(vk, up);
    c.result.setInteger(1);
}

void builtinSendInputUnicode(BuiltinCall& c) {
    const bool up = c.integer(1) == 0;
    // Only the first unit is sent, and no UTF-8 sequence is longer than four
    // bytes: converting those is enough.
    const std::u16string units = utf8ToUtf16(std::string_view(c.text(0)).substr(0, 4));
    const char16_t unit = units.empty() ? u'\0' : units[0];
    c.result.setInteger(static_cast<std::int32_t>(c.env.keySink().sendUnicodeUnit(unit, up)));
}

void builtinGetClipboardText(BuiltinCall& c) {
    const auto text = c.env.services().clipboardText(c.env.ownerWindow());
    if (text)
        c.result.setString(utf16ToUtf8(*text));
    else
        c.result.setEmptyString();
}

void builtinSetClipboardText(BuiltinCall& c) {
    const bool ok = c.env.services().setClipboardText(c.env.ownerWindow(), utf8ToUtf16(c.text(0)));
    c.result.setInteger(ok ? 1 : 0);
}

} // namespace tapwell
