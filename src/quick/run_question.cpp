#include "quick/run_question.h"

#include "quick/literal_text.h"
#include "quick/quick_texts.h"

#include <algorithm>

namespace tapwell {

namespace {

bool isHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
bool isLowSurrogate(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

} // namespace

std::vector<std::u16string> keylessCharacters(std::u16string_view text,
                                              const KeyboardLayout& layout) {
    std::vector<std::u16string> out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        std::u16string character(1, text[i]);
        if (isHighSurrogate(text[i]) && i + 1 < text.size() && isLowSurrogate(text[i + 1]))
            character.push_back(text[++i]);
        // Space, Tab and Enter are keys of every layout.
        if (character == u"\t" || character == u"\n" || character == u" ")
            continue;
        // A unit without a key goes out as Unicode; a pair always does.
        if (character.size() == 1 && layout.keyForChar(character[0]))
            continue;
        if (std::find(out.begin(), out.end(), character) == out.end())
            out.push_back(std::move(character));
    }
    return out;
}

std::optional<std::u16string> runQuestion(const RunQuestionInput& in) {
    const std::size_t characters = characterCount(in.text);
    const std::size_t lines = lineCount(in.text);
    std::vector<std::u16string> keyless;
    if (in.keyPressLayout)
        keyless = keylessCharacters(in.text, *in.keyPressLayout);
    const bool longRun = in.askLongRuns && (characters > kQuestionThreshold || lines > 1);
    if (!longRun && keyless.empty())
        return std::nullopt;

    std::u16string text =
        lines > 1
            ? formatQuickText(QuickText::RunQuestion, in.language,
                              {groupedNumber(characters), groupedNumber(lines), in.windowTitle})
            : formatQuickText(QuickText::RunQuestionOneLine, in.language,
                              {groupedNumber(characters), in.windowTitle});
    if (!keyless.empty()) {
        std::u16string shown;
        for (std::size_t i = 0; i < keyless.size() && i < kKeylessShown; ++i) {
            if (i != 0)
                shown.push_back(u' ');
            shown += keyless[i];
        }
        if (keyless.size() > kKeylessShown)
            shown += u" …";
        text += u"\n\n";
        text +=
            keyless.size() == 1
                ? formatQuickText(QuickText::KeylessCharacter, in.language, {in.layoutName, shown})
                : formatQuickText(QuickText::KeylessCharacters, in.language,
                                  {groupedNumber(keyless.size()), in.layoutName, shown});
    }
    return text;
}

} // namespace tapwell
