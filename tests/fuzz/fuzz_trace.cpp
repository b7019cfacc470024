// The keystroke engine on any text, in both modes, with every switch and
// both deliveries (key presses on both built-in layouts): it must end (ok,
// error or at the event cap) without crashing.
#include "common/utf.h"
#include "fuzz_input.h"
#include "keystroke/keyboard_layout.h"
#include "keystroke/run_trace.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tapwell::fuzz::Input in{data, size};
    std::uint8_t flags = in.takeByte();
    const std::uint8_t delivery = in.takeByte();
    tapwell::TraceOptions opt;
    opt.settings.iInputMode =
        (flags & 1) ? tapwell::InputMode::Unicode : tapwell::InputMode::Keyboard;
    opt.settings.iErrorStop = (flags >> 1) & 1;
    opt.settings.iDisableTab = (flags >> 2) & 1;
    opt.settings.iDisableSpace = (flags >> 3) & 1;
    opt.settings.iDisableEnter = (flags >> 4) & 1;
    opt.settings.iLoopNum = (flags >> 5) & 3; // 0 is endless: the cap ends it
    opt.settings.iDelivery =
        (delivery & 1) ? tapwell::Delivery::KeyPresses : tapwell::Delivery::Written;
    opt.settings.iTargetLayout = (delivery & 2) ? tapwell::kLayoutUs101 : tapwell::kLayoutJapanese;
    opt.language = (flags & 0x80) ? tapwell::Language::Japanese : tapwell::Language::English;
    opt.maxEvents = 400; // endless runs: enough to go round a few times
    // Finite runs too: nested repeat blocks can ask for billions of ticks.
    opt.maxTicks = 4000;
    std::u16string text = (flags & 0x40) ? in.restAsUnits() : tapwell::utf8ToUtf16(in.rest());
    std::size_t lines = 0;
    bool sawEnd = false;
    {
        tapwell::TraceWriter out([&](std::string_view chunk) {
            for (char c : chunk)
                lines += c == '\n';
            sawEnd = chunk.find("end ") != std::string_view::npos || sawEnd;
        });
        tapwell::traceRun(text, opt, out);
    }
    if (!sawEnd || lines == 0)
        std::abort();
    return 0;
}
