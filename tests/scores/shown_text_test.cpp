// What a terminal is shown of text from files, names and the command line.
#include <gtest/gtest.h>

#include "scores/shown_text.h"

TEST(EscapeControls, ShowsControlBytesAsHex) {
    EXPECT_EQ(escapeControls("a\r\n\x1b[0m\x7f b"), "a\\x0D\\x0A\\x1B[0m\\x7F b");
    // C1 raw or in UTF-8, and what is no UTF-8 (cut short, overlong, a surrogate); valid text
    // from other scripts stays itself.
    EXPECT_EQ(escapeControls("\x9b"
                             "31m \xc2\x9b"
                             "31m \xd0"),
              "\\x9B31m \\xC2\\x9B31m \\xD0");
    EXPECT_EQ(escapeControls("\xc0\xaf \xed\xa0\x80"), "\\xC0\\xAF \\xED\\xA0\\x80");
    EXPECT_EQ(escapeControls("Привет é \xf0\x9f\x90\x8d"), "Привет é \xf0\x9f\x90\x8d");
    // A name that holds the text \x1B is not shown as one holding ESC; a right-to-left override
    // or isolate, which would reorder the line, is escaped; other backslashes stay.
    EXPECT_EQ(escapeControls("\\x1B \\\x1b C:\\Users"), "\\x5Cx1B \\\\x1B C:\\Users");
    EXPECT_EQ(escapeControls("a\u202eb\u2066c\u2069\u2067"),
              "a\\xE2\\x80\\xAEb\\xE2\\x81\\xA6c\\xE2\\x81\\xA9\\xE2\\x81\\xA7");
}
