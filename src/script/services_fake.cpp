#include "script/services_fake.h"

#include "common/leaf_helpers.h"
#include "keystroke/recording_sink.h"
#include "script/builtin_messages.h"

#include <algorithm>
#include <cstdio>

namespace tapwell {

namespace {

constexpr std::int64_t kMsPerDay = 86400000;

// Days since 1970-01-01 of a date of the proleptic Gregorian calendar.
std::int64_t daysFromCivil(std::int64_t y, int m, int d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yoe = y - era * 400;
    const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

LocalTime civilFromMs(std::int64_t ms) {
    std::int64_t days = ms / kMsPerDay;
    std::int64_t rest = ms % kMsPerDay;
    if (rest < 0) {
        rest += kMsPerDay;
        --days;
    }
    LocalTime t;
    t.dayOfWeek = static_cast<int>(((days % 7) + 11) % 7); // 1970-01-01 was a Thursday
    const std::int64_t z = days + 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    t.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    t.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    t.year = static_cast<int>(yoe + era * 400 + (t.month <= 2));
    t.hour = static_cast<int>(rest / 3600000);
    t.minute = static_cast<int>(rest / 60000 % 60);
    t.second = static_cast<int>(rest / 1000 % 60);
    t.milliseconds = static_cast<int>(rest % 1000);
    return t;
}

} // namespace

FakeScriptServices::FakeScriptServices(DryRunLineOut out) : out_(std::move(out)) {
    metrics[0] = 1920; // SM_CXSCREEN
    metrics[1] = 1080; // SM_CYSCREEN
    setLocalTime({2024, 1, 1, 1, 9, 0, 0, 0});
}

void FakeScriptServices::setLocalTime(const LocalTime& start) {
    startMs_ = daysFromCivil(start.year, start.month, start.day) * kMsPerDay +
               ((start.hour * 60 + start.minute) * 60 + start.second) * std::int64_t{1000} +
               start.milliseconds;
    elapsedMs_ = 0;
}

void FakeScriptServices::print(const std::string& line) {
    if (out_)
        out_(line);
}

bool FakeScriptServices::sleep(std::uint32_t ms, const StopQuery& stop) {
    sleeps.push_back(ms);
    print("sleep " + std::to_string(ms));
    if (stop.stopRequested())
        return true;
    elapsedMs_ += ms;
    return false;
}

LocalTime FakeScriptServices::localTime() {
    return civilFromMs(startMs_ + static_cast<std::int64_t>(elapsedMs_));
}

std::uint32_t FakeScriptServices::tickCount() {
    return tickAtStart + static_cast<std::uint32_t>(elapsedMs_);
}

std::int32_t FakeScriptServices::systemMetrics(std::int32_t index) {
    const auto it = metrics.find(index);
    return it == metrics.end() ? 0 : it->second;
}

std::int32_t FakeScriptServices::messageBeep(std::uint32_t type) {
    beeps.push_back(type);
    print("beep " + std::to_string(static_cast<std::int32_t>(type)));
    return 1;
}

std::optional<CursorPosition> FakeScriptServices::cursorPosition() {
    return cursor;
}

std::int32_t FakeScriptServices::setCursorPosition(std::int32_t x, std::int32_t y) {
    cursor = {x, y};
    print("setcursor " + std::to_string(x) + " " + std::to_string(y));
    return 1;
}

void FakeScriptServices::mouseEvent(std::uint32_t flags, std::int32_t dx, std::int32_t dy,
                                    std::int32_t data) {
    mouseEvents.push_back({flags, dx, dy, data});
    // Relative moves carry the virtual cursor along, without acceleration.
    if (flags & mouse_flags::Move) {
        cursor.x = static_cast<std::int32_t>(static_cast<std::uint32_t>(cursor.x) +
                                             static_cast<std::uint32_t>(dx));
        cursor.y = static_cast<std::int32_t>(static_cast<std::uint32_t>(cursor.y) +
                                             static_cast<std::uint32_t>(dy));
    }
    char buf[64];
    std::snprintf(buf, sizeof buf, "mouse %04X %d %d %d", static_cast<unsigned>(flags),
                  static_cast<int>(dx), static_cast<int>(dy), static_cast<int>(data));
    print(buf);
}

std::optional<std::u16string> FakeScriptServices::clipboardText(OwnerWindow owner) {
    if (!clipboardOpens)
        return std::nullopt;
    clipboardOwners.push_back(owner);
    return clipboard;
}

bool FakeScriptServices::setClipboardText(OwnerWindow owner, std::u16string_view text) {
    if (!clipboardOpens)
        return false;
    clipboardOwners.push_back(owner);
    clipboard = std::u16string(text);
    return true;
}

bool FakeScriptServices::NameLess::operator()(const std::u16string& a,
                                              const std::u16string& b) const {
    return std::lexicographical_compare(
        a.begin(), a.end(), b.begin(), b.end(),
        [](char16_t x, char16_t y) { return asciiUpper(x) < asciiUpper(y); });
}

std::optional<std::u16string> FakeScriptServices::environmentVariable(std::u16string_view name) {
    const auto it = environment_.find(std::u16string(name));
    if (it == environment_.end())
        return std::nullopt;
    return it->second;
}

bool FakeScriptServices::setEnvironmentVariable(std::u16string_view name,
                                                std::u16string_view value) {
    if (name.empty() || name.find(u'=') != std::u16string_view::npos)
        return false;
    environment_.insert_or_assign(std::u16string(name), std::u16string(value));
    return true;
}

std::optional<int> ScriptedMessageBoxes::parseAnswer(std::string_view word) {
    if (word == "ok")
        return message_box::IdOk;
    if (word == "cancel")
        return message_box::IdCancel;
    if (word == "yes")
        return message_box::IdYes;
    if (word == "no")
        return message_box::IdNo;
    return std::nullopt;
}

namespace {

bool offersButton(std::uint32_t flags, int id) {
    using namespace message_box;
    switch (flags & ButtonsMask) {
    case Ok:
        return id == IdOk;
    case OkCancel:
        return id == IdOk || id == IdCancel;
    case AbortRetryIgnore:
        return id == IdAbort || id == IdRetry || id == IdIgnore;
    case YesNoCancel:
        return id == IdYes || id == IdNo || id == IdCancel;
    case YesNo:
        return id == IdYes || id == IdNo;
    case RetryCancel:
        return id == IdRetry || id == IdCancel;
    case CancelTryContinue:
        return id == IdCancel || id == IdTryAgain || id == IdContinue;
    default:
        return false;
    }
}

} // namespace

int ScriptedMessageBoxes::show(std::string_view text, std::string_view caption,
                               std::uint32_t flags) {
    if (out_)
        out_("box " + std::to_string(flags) + " \"" + escapeDryRunText(caption, true) + "\" \"" +
             escapeDryRunText(text, true) + "\"");
    int answer = message_box::firstButton(flags);
    if (nextAnswer_ < answers_.size()) {
        const int given = answers_[nextAnswer_++];
        if (offersButton(flags, given))
            answer = given;
    }
    shown_.push_back({std::string(text), std::string(caption), flags, answer});
    return answer;
}

void printKeyEvents(RecordingSink& sink, DryRunLineOut out) {
    sink.keepEvents = false;
    sink.onEvent = [out = std::move(out)](const KeyEvent& e) {
        if (out)
            out(describeKeyEvent(e));
    };
}

std::string escapeDryRunText(std::string_view utf8, bool quotes) {
    std::string s;
    s.reserve(utf8.size());
    for (char c : utf8) {
        switch (c) {
        case '\\':
            s += "\\\\";
            break;
        case '\n':
            s += "\\n";
            break;
        case '\r':
            s += "\\r";
            break;
        case '"':
            s += quotes ? "\\\"" : "\"";
            break;
        default:
            s += c;
        }
    }
    return s;
}

} // namespace tapwell
