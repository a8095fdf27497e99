#include "csv_reader.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

using Cells = std::vector<std::string>;

struct Read {
    Cells cells;
    std::string error; // a part of the error text; "" for none
    std::size_t line;
};

std::vector<Read> ReadAll(const std::string &text) {
    std::istringstream in(text);
    CsvReader reader(in);
    CsvRecord record;
    std::vector<Read> all;
    while (reader.next(record)) {
        Cells cells(record.cells.begin(),
                    record.cells.begin() + static_cast<std::ptrdiff_t>(record.size()));
        all.push_back({cells, record.error, record.line});
    }
    return all;
}

struct GrammarCase {
    const char *name;
    friend void PrintTo(const GrammarCase &c, std::ostream *os) { *os << c.name; }
    std::string text;
    std::vector<Read> expected; // cells are compared only for records without error
};

class CsvGrammar : public ::testing::TestWithParam<GrammarCase> {};

TEST_P(CsvGrammar, Records) {
    const GrammarCase &c = GetParam();
    const std::vector<Read> got = ReadAll(c.text);
    ASSERT_EQ(got.size(), c.expected.size());
    for (std::size_t i = 0; i < got.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(got[i].line, c.expected[i].line);
        if (c.expected[i].error.empty()) {
            EXPECT_EQ(got[i].error, "");
            EXPECT_EQ(got[i].cells, c.expected[i].cells);
        } else {
            EXPECT_NE(got[i].error.find(c.expected[i].error), std::string::npos) << got[i].error;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, CsvGrammar,
    ::testing::Values(
        GrammarCase{"CrLfAndLf", "a,b\r\n1,2\n", {{{"a", "b"}, "", 1}, {{"1", "2"}, "", 2}}},
        GrammarCase{"ByteOrderMarkSkipped",
                    "\xEF\xBB\xBF"
                    "a\n1\n",
                    {{{"a"}, "", 1}, {{"1"}, "", 2}}},
        GrammarCase{"NoFinalLineBreak", "a,b", {{{"a", "b"}, "", 1}}},
        GrammarCase{"LoneCarriageReturn", "a\rb\r", {{{"a"}, "", 1}, {{"b"}, "", 2}}},
        GrammarCase{"EmptyCells", ",,\n\n", {{{"", "", ""}, "", 1}, {{""}, "", 2}}},
        GrammarCase{"QuotedCommaBreakAndQuote",
                    "\"x,y\",\"l1\r\nl2\",\"say \"\"hi\"\"\",\"\"\nnext\n",
                    {{{"x,y", "l1\r\nl2", "say \"hi\"", ""}, "", 1}, {{"next"}, "", 3}}},
        GrammarCase{"QuoteInsideUnquotedCell",
                    "ab\"c,d\nx\n",
                    {{{}, "未加引号的单元格中有引号", 1}, {{"x"}, "", 2}}},
        GrammarCase{"TextAfterClosingQuote",
                    "\"a\"b,c\nx\n",
                    {{{}, "右引号后应是逗号或行尾", 1}, {{"x"}, "", 2}}},
        GrammarCase{"QuoteNeverClosed", "a\n\"b,\nc\n", {{{"a"}, "", 1}, {{}, "引号未闭合", 2}}},
        GrammarCase{"GbkBytesAreNotUtf8",
                    "\xB5\xAF\xBB\xC9\nok\n",
                    {{{}, "不是 UTF-8", 1}, {{"ok"}, "", 2}}},
        GrammarCase{"OverlongUtf8", "\xC0\xAF\n", {{{}, "不是 UTF-8", 1}}},
        GrammarCase{"Utf8Kept", "弹簧,65Mn\n", {{{"弹簧", "65Mn"}, "", 1}}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(CsvReader, RecordOverTheLimitIsRefusedAndReadingGoesOn) {
    const std::string longCell(CsvReader::kLargestRecord + 10, 'x');
    struct Case {
        std::string text;
        std::size_t nextLine; // where the record after the long one starts
    } cases[] = {
        {longCell + "\nnext\n", 2},
        // Cut off inside quotes: the line breaks up to the closing quote are the record's.
        {"a,\"" + longCell + "\nstill quoted\n\"\nnext\n", 4},
    };
    for (const Case &c : cases) {
        const std::vector<Read> got = ReadAll(c.text);
        ASSERT_EQ(got.size(), 2U);
        EXPECT_NE(got[0].error, "");
        EXPECT_EQ(got[1].cells, Cells{"next"});
        EXPECT_EQ(got[1].line, c.nextLine);
    }
}

// Bytes that never end (/dev/zero), or that end in a read error (a failing
// pipe or disk) after "a\n".
class Source : public std::streambuf {
  public:
    explicit Source(bool fails) : fails_(fails) {}

  protected:
    int_type underflow() override {
        if (fails_ && given_) {
            throw std::ios_base::failure("read");
        }
        given_ = true;
        chunk_.assign(fails_ ? "a\n" : std::string(1 << 16, 'x'));
        setg(chunk_.data(), chunk_.data(), chunk_.data() + chunk_.size());
        return traits_type::to_int_type(chunk_[0]);
    }

  private:
    bool fails_;
    bool given_ = false;
    std::string chunk_;
};

TEST(CsvReader, AnEndlessLineIsRefusedAtOnceAndThenGivenUp) {
    Source endless(false);
    std::istream in(&endless);
    CsvReader reader(in);
    CsvRecord record;
    ASSERT_TRUE(reader.next(record));
    EXPECT_NE(record.error, "");
    EXPECT_FALSE(reader.next(record));
    EXPECT_TRUE(reader.abandoned());
    EXPECT_FALSE(reader.readFailed());
}

TEST(CsvReader, AReadErrorIsNotTheEndOfTheTable) {
    Source failing(true);
    std::istream in(&failing);
    CsvReader reader(in);
    CsvRecord record;
    ASSERT_TRUE(reader.next(record));
    EXPECT_EQ(record[0], "a");
    EXPECT_FALSE(reader.next(record));
    EXPECT_TRUE(reader.readFailed());
}

TEST(CsvWriter, WhatItWritesReadsBackCellForCell) {
    const Cells cells = {"plain", "", "a,b", "say \"x\"", "two\nlines", "cr\r", " padded ", "弹簧"};
    std::string text;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i > 0) {
            text += ',';
        }
        AppendCsvCell(text, cells[i]);
    }
    AppendCsvRecordEnd(text);
    const std::vector<Read> got = ReadAll(text + text);
    ASSERT_EQ(got.size(), 2U);
    EXPECT_EQ(got[0].cells, cells);
    EXPECT_EQ(got[1].cells, cells);
    EXPECT_EQ(got[1].line, 4U) << "both line breaks inside quotes count";
}

} // namespace
