#include "files/file_store.h"

#include <gtest/gtest.h>

using namespace tapwell;

TEST(ExtendedLengthPath, DrivesAndSharesTakeTheLongFormOtherPathsStay) {
    const std::pair<std::u16string_view, std::u16string_view> cases[] = {
        {u"C:\\Users\\t.txt", u"\\\\?\\C:\\Users\\t.txt"},
        {u"A:\\", u"\\\\?\\A:\\"},
        {u"Z:\\x", u"\\\\?\\Z:\\x"},
        {u"a:\\x", u"\\\\?\\a:\\x"},
        {u"z:\\x", u"\\\\?\\z:\\x"},
        {u"\\\\server\\share\\t.txt", u"\\\\?\\UNC\\server\\share\\t.txt"},
        // The long form takes every character as it stands: separators become
        // the platform's own first.
        {u"C:/dir/t.txt", u"\\\\?\\C:\\dir\\t.txt"},
        {u"\\\\?\\C:\\already", u"\\\\?\\C:\\already"},
        {u"\\\\?\\UNC\\s\\share", u"\\\\?\\UNC\\s\\share"},
        {u"\\\\.\\COM1", u"\\\\.\\COM1"},
        {u"rel/t.txt", u"rel/t.txt"},
        {u"C:relative", u"C:relative"},
        {u"1:\\x", u"1:\\x"},
        {u"", u""},
    };
    for (const auto& [path, expected] : cases)
        EXPECT_EQ(extendedLengthPath(path), expected);
}
