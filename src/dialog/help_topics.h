// Topics of the help file that the program opens, and how their paths are
// written for the help library and the external viewer. Every topic has a
// Japanese page under _RESOURCE and its English twin, of the same name, under
// _RESOURCE/en; the user interface's language picks one.
#pragma once

#include "common/language.h"
#include "resource.h"

#include <optional>
#include <string>
#include <string_view>

namespace tapwell {

inline constexpr std::u16string_view kHelpTopicMain = u"HLP000005.html";        // F1, IDM_HELP
inline constexpr std::u16string_view kHelpTopicNotation = u"HLP000006.html";    // IDM_HELP_NOTATION
inline constexpr std::u16string_view kHelpTopicVirtualKeys = u"HLP000011.html"; // IDM_HELP_KEYCODES
inline constexpr std::u16string_view kHelpTopicCommandLine = u"HLP000012.html"; // "/?"
inline constexpr std::u16string_view kHelpTopicScript = u"HLP000024.html";      // IDM_HELP_SCRIPT

// The folder of the language's pages inside the help file.
inline std::u16string_view helpPageFolder(Language language) {
    return language == Language::English ? u"_RESOURCE/en/" : u"_RESOURCE/";
}

// ".\tapwell.chm::/_RESOURCE/<topic>" (English: "_RESOURCE/en/<topic>"), or
// ".\tapwell.chm" with no topic.
inline std::u16string helpTopicPath(std::u16string_view topic, Language language) {
    std::u16string path = u".\\tapwell.chm";
    if (!topic.empty()) {
        path += u"::/";
        path += helpPageFolder(language);
        path += topic;
    }
    return path;
}

// The parameter that makes the external viewer open the command-line topic.
inline std::u16string helpViewerParameter(Language language) {
    std::u16string parameter = u"tapwell.chm::/";
    parameter += helpPageFolder(language);
    parameter += kHelpTopicCommandLine;
    return parameter;
}

// The topic a Help menu command opens; nullopt for any other command.
inline std::optional<std::u16string_view> helpTopicForCommand(int commandId) {
    switch (commandId) {
    case IDM_HELP:
        return kHelpTopicMain;
    case IDM_HELP_NOTATION:
        return kHelpTopicNotation;
    case IDM_HELP_KEYCODES:
        return kHelpTopicVirtualKeys;
    case IDM_HELP_SCRIPT:
        return kHelpTopicScript;
    default:
        return std::nullopt;
    }
}

} // namespace tapwell
