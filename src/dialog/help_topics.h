// Topics of the help file that the program opens, and how their paths are
// written for the help library and the external viewer.
#pragma once

#include <string>
#include <string_view>

namespace tapwell {

inline constexpr std::u16string_view kHelpTopicMain = u"HLP000005.html";        // F1, menu 9
inline constexpr std::u16string_view kHelpTopicNotation = u"HLP000006.html";    // 32796
inline constexpr std::u16string_view kHelpTopicVirtualKeys = u"HLP000011.html"; // 32797
inline constexpr std::u16string_view kHelpTopicCommandLine = u"HLP000012.html"; // "/?"
inline constexpr std::u16string_view kHelpTopicScript = u"HLP000024.html";      // 32798

// ".\tapwell.chm::/_RESOURCE/<topic>", or ".\tapwell.chm" with no topic.
inline std::u16string helpTopicPath(std::u16string_view topic) {
    std::u16string path = u".\\tapwell.chm";
    if (!topic.empty()) {
        path += u"::/_RESOURCE/";
        path += topic;
    }
    return path;
}

// The parameter that makes the external viewer open the command-line topic.
inline constexpr std::u16string_view kHelpViewerParameter =
    u"tapwell.chm::/_RESOURCE/HLP000012.html";

} // namespace tapwell
