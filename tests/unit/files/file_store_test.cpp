#include "files/file_store.h"

#include <gtest/gtest.h>

namespace tapwell {
namespace {

TEST(ExtendedLengthPath, DrivesAndSharesTakeTheLongForm) {
    EXPECT_EQ(extendedLengthPath(u"C:\\Users\\a\\text.txt"), u"\\\\?\\C:\\Users\\a\\text.txt");
    EXPECT_EQ(extendedLengthPath(u"d:\\x"), u"\\\\?\\d:\\x");
    EXPECT_EQ(extendedLengthPath(u"Z:\\tmp\\t.txt"), u"\\\\?\\Z:\\tmp\\t.txt"); // Wine's root
    EXPECT_EQ(extendedLengthPath(u"\\\\server\\share\\t.txt"), u"\\\\?\\UNC\\server\\share\\t.txt");
    // The long form takes every character as it stands: separators are the
    // platform's own before it is made.
    EXPECT_EQ(extendedLengthPath(u"C:/dir/t.txt"), u"\\\\?\\C:\\dir\\t.txt");
}

TEST(ExtendedLengthPath, OtherFormsStayAsTheyAre) {
    for (std::u16string_view same : {u"\\\\?\\C:\\already", u"\\\\?\\UNC\\s\\share", u"\\\\.\\COM1",
                                     u"relative\\t.txt", u"C:relative", u"", u"1:\\x"})
        EXPECT_EQ(extendedLengthPath(same), std::u16string(same));
}

} // namespace
} // namespace tapwell
