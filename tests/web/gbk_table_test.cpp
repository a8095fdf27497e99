#include "gbk_converter.h"
#include "gbk_table_encoding.h"
#include "utf8_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The page's table gives the desktop converter's bytes for every character,
// and refuses the same ones.
TEST(GbkTable, AgreesWithTheDesktopConverterOnEveryCharacter) {
    int differences = 0;
    for (char32_t c = 0; c <= 0x10FFFF && differences < 10; ++c) {
        if ((c >= 0xD800 && c <= 0xDFFF) || (c > 0xFFFF && c % 251 != 0)) {
            continue; // no surrogates; a sample of the planes GBK has no codes in
        }
        const std::string text = "a" + Utf8OfCodePoint(c) + "z";
        const GbkText desktop = EncodeGbk(text);
        const GbkTableText page = EncodeGbkByTable(text);
        ASSERT_TRUE(desktop.ok || desktop.unencodable) << "no GBK converter";
        if (desktop.ok != page.ok || (desktop.ok && desktop.bytes != page.bytes) ||
            (!desktop.ok && desktop.unencodable != page.unencodable)) {
            ++differences;
            ADD_FAILURE() << "U+" << std::hex << static_cast<unsigned>(c);
        }
    }
    EXPECT_EQ(differences, 0);
}

TEST(GbkTable, ReportCharactersTwoBytesEach) {
    const GbkTableText gbk = EncodeGbkByTable("弹簧 70-C\r\n《》");
    ASSERT_TRUE(gbk.ok);
    EXPECT_EQ(gbk.bytes, "\xB5\xAF\xBB\xC9 70-C\r\n\xA1\xB6\xA1\xB7");
}

} // namespace
