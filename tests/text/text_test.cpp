#include "system_error_text.h"
#include "user_text.h"
#include "utf8_text.h"
#include "xml_text.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>

namespace {

struct Utf8Case {
    const char *name;
    std::string text;
    std::size_t firstBad; // npos: the whole text is UTF-8
};

class Utf8Test : public testing::TestWithParam<Utf8Case> {};

TEST_P(Utf8Test, FirstByteThatIsNotUtf8) {
    const Utf8Case &c = GetParam();
    const std::size_t expected = c.firstBad == std::string::npos ? c.text.size() : c.firstBad;
    EXPECT_EQ(FirstNonUtf8Byte(c.text), expected);
    EXPECT_EQ(IsUtf8(c.text), c.firstBad == std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, Utf8Test,
    testing::Values(Utf8Case{"Chinese", "弹簧 65Mn", std::string::npos},
                    Utf8Case{"Emoji", "a\xF0\x9F\x98\x80", std::string::npos},
                    Utf8Case{"GbkName", "\xCD\xF5\xE8\xA4", 0}, Utf8Case{"StrayFF", "ab\xFF", 2},
                    // A lead byte whose continuation is a line break: the break is not taken.
                    Utf8Case{"CutBeforeLineBreak", "x\xE4\xB8\n", 1},
                    Utf8Case{"Overlong", "\xC0\xAF", 0}, Utf8Case{"Surrogate", "\xED\xA0\x80", 0},
                    Utf8Case{"PastUnicode", "\xF4\x90\x80\x80", 0},
                    Utf8Case{"LoneContinuation", "a\x80", 1}),
    [](const auto &info) { return std::string(info.param.name); });

struct OneLineCase {
    const char *name;
    std::string text;
    const char *problem; // empty: taken
};

class OneLineTextTest : public testing::TestWithParam<OneLineCase> {};

TEST_P(OneLineTextTest, RefusesWhatNoReportOrDrawingShows) {
    const OneLineCase &c = GetParam();
    const std::optional<std::string> problem = OneLineTextProblem(c.text);
    if (std::string(c.problem).empty()) {
        EXPECT_FALSE(problem) << *problem;
        return;
    }
    ASSERT_TRUE(problem);
    EXPECT_NE(problem->find(c.problem), std::string::npos) << *problem;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, OneLineTextTest,
    testing::Values(OneLineCase{"Grade", "EN 10270-1 SM", ""},
                    OneLineCase{"Chinese", "碳素弹簧钢丝", ""},
                    OneLineCase{"Gbk", "65\xC3\xCC", "第 3 个字节 0xC3 不是 UTF-8"},
                    OneLineCase{"Escape", "x\x1B[31m", "控制字符 (U+001B)"},
                    OneLineCase{"Nul", std::string("a\0b", 3), "控制字符 (U+0000)"},
                    OneLineCase{"C1", "a\xC2\x85", "控制字符 (U+0085)"},
                    OneLineCase{"Tab", "a\tb", "换行符或制表符"},
                    OneLineCase{"NonCharacter", "a\xEF\xBF\xBF", "非字符 U+FFFF"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(QuotedForMessageTest, CutsLongTextsBetweenCharacters) {
    EXPECT_EQ(QuotedForMessage("65Mn"), "“65Mn”");
    const std::string quoted =
        QuotedForMessage(std::string(30, 'a') + std::string(20, '\x01') + "弹簧弹簧弹簧弹簧");
    EXPECT_TRUE(quoted.ends_with("…”")) << quoted;
    EXPECT_TRUE(IsUtf8(quoted)) << quoted;
    EXPECT_LE(quoted.size(), 60U + std::string("“…”").size());
}

struct XmlCase {
    const char *name;
    std::string text;
    std::string escaped;
};

class EscapeXmlTest : public testing::TestWithParam<XmlCase> {};

TEST_P(EscapeXmlTest, HoldsOnlyWhatXmlCan) {
    EXPECT_EQ(EscapeXml(GetParam().text), GetParam().escaped);
}

INSTANTIATE_TEST_SUITE_P(Texts, EscapeXmlTest,
                         testing::Values(XmlCase{"Markup", "<a href=\"x\">&'",
                                                 "&lt;a href=&quot;x&quot;&gt;&amp;&#39;"},
                                         XmlCase{"Gbk", "\xCD\xF5", "\xEF\xBF\xBD\xEF\xBF\xBD"},
                                         XmlCase{"NonCharacters", "\xEF\xBF\xBE\xEF\xBF\xBF",
                                                 "\xEF\xBF\xBD\xEF\xBF\xBD"},
                                         XmlCase{"Controls", "a\x1B\tb\n", "a\xEF\xBF\xBD\tb\n"},
                                         XmlCase{"Emoji", "\xF0\x9F\x98\x80", "\xF0\x9F\x98\x80"}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(ReadErrorTextTest, ChineseFirstTheSystemsWordsInBrackets) {
    EXPECT_EQ(ReadErrorText(ENOENT), "文件不存在");
    const std::string other = ReadErrorText(EXDEV);
    EXPECT_TRUE(other.starts_with("读取失败 (")) << other;
    EXPECT_TRUE(other.ends_with(")")) << other;
}

} // namespace
