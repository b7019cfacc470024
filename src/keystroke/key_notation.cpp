
#include "keystroke/key_notation.h"

#include "common/leaf_helpers.h"
#include "keystroke/key_tables.h"

#include <algorithm>
#include <cstdint>
#include <string_view>

namespace tapwell {

namespace {

// A code read from a name or a number; waits are done on the spot.
struct Resolved {
    bool waited = false;
    std::uint8_t code = 0;
};

Resolved resolveBody(std::u16string_view body, RunHost& host) {
    if (std::uint8_t code = lookupKeyCode(body))
        return {false, code};
    if (body.size() > 5 && startsWithIgnoringAsciiCase(body, u"WAIT:")) {
        // A negative wait would become an unsigned sleep of weeks (or for
        // ever) and freeze the dialog; it waits nothing instead.
        std::int32_t ms = readLong32(body.substr(5), 10);
        host.sleep(ms < 0 ? 0u : static_cast<std::uint32_t>(ms));
        return {true, 0};
    }
    std::int32_t value;
    if (body.size() > 2 && startsWithIgnoringAsciiCase(body, u"0X"))
        value = readLong32(body, 16);
    else if (body.size() > 1 && body[0] == u'0')
        value = readLong32(body, 8);
    else
        value = readLong32(body, 10);
    return {false, static_cast<std::uint8_t>(value & 0xFF)};
}

} // namespace

void showRunError(RunHost& host, std::u16string text, RunIcon icon) {
    host.showMessage(RunMessage{std::move(text), icon, RunMessageOwner::Dialog});
}

StepOutcome pauseForUser(NotationContext& ctx) {
    ctx.host.showMessage(RunMessage{std::u16string(runText(RunText::PauseMessage, ctx.language)),
                                    RunIcon::Information, RunMessageOwner::None});
    return StepOutcome::Continue;
}

StepOutcome parseKeyNotation(NotationContext& ctx) {
    const std::u16string& text = ctx.text;
    const std::size_t p = ctx.position;
    const char16_t opening = text[p];
    std::size_t q = text.find_first_of(u"])", p + 1);
    char16_t closing = 0; // none: the rest of the text is the body
    if (q == std::u16string::npos) {
        if (ctx.errorStop) {
            showRunError(ctx.host, std::u16string(runText(RunText::ClosingMissing, ctx.language)));
            return StepOutcome::ErrorStop;
        }
        q = text.size();
    } else {
        closing = text[q];
    }
    std::u16string_view body(text.data() + p + 1, q - p - 1);
    Resolved r = resolveBody(body, ctx.host);
    ctx.position = q;
    if (r.waited || r.code == 0)
        return StepOutcome::Continue;
    if (opening == u'[')
        ctx.sink.sendKey(r.code, false);
    if (closing == u']')
        ctx.sink.sendKey(r.code, true);
    if (opening == u'(' && closing == u')' && ctx.errorStop) {
        showRunError(ctx.host, std::u16string(runText(RunText::ParenthesesOnly, ctx.language)));
        return StepOutcome::ErrorStop;
    }
    return StepOutcome::Continue;
}

StepOutcome beginRepeatBlock(NotationContext& ctx) {
    const std::u16string& text = ctx.text;
    const std::size_t p = ctx.position;
    std::size_t c = text.find(u':', p + 1);
    if (c == std::u16string::npos)
        c = text.size();
    ctx.position = c;
    std::u16string_view countText(text.data() + p + 1, c - p - 1);
    std::int32_t count = readLong32(countText, 10);
    if (count <= 0) {
        showRunError(ctx.host,
                     formatRunText(RunText::InvalidRepeatCount, ctx.language, {countText}));
        return StepOutcome::ErrorStop;
    }
    ctx.repeatStack.push_back(RepeatFrame{count, c});
    return StepOutcome::Continue;
}

StepOutcome endRepeatBlock(NotationContext& ctx) {
    if (ctx.repeatStack.empty()) {
        showRunError(ctx.host, std::u16string(runText(RunText::ClosingBraceExcess, ctx.language)));
        return StepOutcome::ErrorStop;
    }
    RepeatFrame& top = ctx.repeatStack.back();
    if (--top.remaining >= 1)
        ctx.position = top.resume;
    else
        ctx.repeatStack.pop_back();
    return StepOutcome::Continue;
}

namespace {

bool isBlank(char16_t c) {
    return c == u' ' || (c >= u'\t' && c <= u'\r');
}

} // namespace

std::int32_t readLong32(std::u16string_view s, int base) {
    std::size_t i = 0;
    while (i < s.size() && isBlank(s[i]))
        ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) {
        negative = s[i] == u'-';
        ++i;
    }
    // "0x" counts as a prefix only when a hex digit follows; otherwise the
    // reading is the lone 0.
    if (base == 16 && i + 2 < s.size() && s[i] == u'0' && (s[i + 1] == u'x' || s[i + 1] == u'X') &&
        asciiDigitValue(s[i + 2]) < 16)
        i += 2;
    const std::uint64_t limit = negative ? 2147483648ull : 2147483647ull;
    std::uint64_t value = 0;
    bool overflow = false;
    for (; i < s.size(); ++i) {
        int d = asciiDigitValue(s[i]);
        if (d >= base)
            break;
        if (!overflow) {
            value = value * static_cast<unsigned>(base) + static_cast<unsigned>(d);
            if (value > limit)
                overflow = true;
        }
    }
    if (overflow)
        return negative ? INT32_MIN : INT32_MAX;
    std::int64_t signedValue = static_cast<std::int64_t>(value);
    return static_cast<std::int32_t>(negative ? -signedValue : signedValue);
}

} // namespace tapwell
