#include "captured_run.h"
#include "csv_reader.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

std::vector<std::vector<std::string>> CsvRows(const std::string &text) {
    std::istringstream in(text);
    CsvReader reader(in);
    CsvRecord record;
    std::vector<std::vector<std::string>> rows;
    while (reader.next(record)) {
        EXPECT_EQ(record.error, "");
        rows.emplace_back(record.cells.begin(),
                          record.cells.begin() + static_cast<std::ptrdiff_t>(record.size()));
    }
    return rows;
}

// One design of the sample, as a table row and as the single design's options.
struct SampleRow {
    std::string cells; // under kHeader
    std::vector<std::string> options;
};

const char *kHeader = "wire-diameter,mean-diameter,free-height,extension,known-loads,initial-"
                      "tension,working-load1,working-load2,working-load3,material\n";

const std::vector<SampleRow> &Samples() {
    static const std::vector<SampleRow> samples = {
        {",,,,,,,,,", {}},
        {"3.5,25.2,40,,,,,,,65Mn",
         {"--wire-diameter=3.5", "--mean-diameter=25.2", "--free-height=40", "--material=65Mn"}},
        {",,,true,1,50,100,200,300,",
         {"--extension", "--known-loads", "--initial-tension=50", "--working-load1=100",
          "--working-load2=200", "--working-load3=300"}},
        {"3,,,,,,,,,", {"--wire-diameter=3"}},     // the stress warning
        {",,39,,,,,,,", {"--free-height=39"}},     // stopped
        {",4,,,,,,,,", {"--mean-diameter=4"}},     // fault
        {"4mm,,,,,,,,,", {"--wire-diameter=4mm"}}, // refused
        {",,,0,,5,,,,", {"--initial-tension=5"}},  // refused: compression
        {",,,,,,,,,\"a,\"\"b\"\"\"", {"--material=a,\"b\""}},
    };
    return samples;
}

std::string SampleTable() {
    std::string table = kHeader;
    for (const SampleRow &row : Samples()) {
        table += row.cells + "\n";
    }
    return table;
}

// Each row of the table gives what the single design gives for the same
// options: the same status, message (a refusal after its line) and result
// texts (CSV), and the same object (JSON lines), byte for byte.
TEST(Batch, EveryRowEqualsTheSingleDesign) {
    const CliRun csv = RunCaptured({"batch"}, SampleTable());
    const CliRun json = RunCaptured({"batch", "--format=json", "-"}, SampleTable());
    EXPECT_EQ(csv.status, kExitUsage) << "two rows are refused";
    EXPECT_NE(csv.err.find("拒绝 2"), std::string::npos) << csv.err;
    const auto rows = CsvRows(csv.out);
    ASSERT_EQ(rows.size(), Samples().size() + 1);
    std::istringstream lines(json.out);
    for (std::size_t i = 0; i < Samples().size(); ++i) {
        SCOPED_TRACE(Samples()[i].cells);
        const std::vector<std::string> &row = rows[i + 1];
        std::vector<std::string> args = Samples()[i].options;
        args.push_back("--format=json");
        const CliRun single = RunCaptured(args, "");
        auto object = nlohmann::ordered_json::parse(single.out);
        if (object["status"] == "refused") {
            // A refused row names its line in the table (the header is line 1).
            object["message"] =
                "第 " + std::to_string(i + 2) + " 行: " + object["message"].get<std::string>();
        }
        EXPECT_EQ(row[0], std::to_string(i + 1));
        EXPECT_EQ(row[1], object["status"]);
        if (object["status"] != "completed") {
            EXPECT_EQ(row[2], object["message"]);
        }
        std::size_t column = 3;
        for (const auto &[field, text] : object["results"].items()) {
            EXPECT_EQ(rows[0][column], field);
            EXPECT_EQ(row[column++], text) << field;
        }

        nlohmann::ordered_json withRow;
        withRow["row"] = i + 1;
        for (auto &[key, value] : object.items()) {
            withRow[key] = value;
        }
        std::string line;
        ASSERT_TRUE(std::getline(lines, line));
        EXPECT_EQ(line, withRow.dump());
    }
}

// With the checks, each check's value and verdict are those of the single
// design's tsv; a check the spring type does not have stays empty.
// A byte order mark opens the CSV, and only the CSV: a JSON line cannot carry one.
TEST(Batch, ByteOrderMarkForSpreadsheets) {
    const std::string table = "wire-diameter\n4\n";
    EXPECT_EQ(RunCaptured({"batch", "--bom"}, table).out.rfind("\xEF\xBB\xBFrow,status,", 0), 0U);
    EXPECT_EQ(RunCaptured({"batch"}, table).out.rfind("row,status,", 0), 0U);
    EXPECT_EQ(RunCaptured({"batch", "--bom", "--format=json"}, table).out.rfind("{\"row\"", 0), 0U);
}

// The spreadsheet read on a Chinese Windows shows the verdicts in Chinese;
// the plain CSV keeps the ids; the help names every option.
TEST(Batch, ByteOrderMarkedVerdictsAreChinese) {
    const std::string table = "check,material\n1,65Mn\n";
    const std::string marked = RunCaptured({"batch", "--bom"}, table).out;
    EXPECT_NE(marked.find(",合格"), std::string::npos) << marked;
    EXPECT_EQ(marked.find(",ok"), std::string::npos) << marked;
    EXPECT_NE(RunCaptured({"batch"}, table).out.find(",ok"), std::string::npos);
    EXPECT_NE(RunCaptured({"batch", "--help"}, "").out.find("--with-inputs"), std::string::npos);
}

// The input cells beside the result, as typed (a quoted comma included), and
// empty under a column a short row lacks.
TEST(Batch, WithInputsRepeatsEachRowsCells) {
    const std::string table = "wire-diameter,mean-diameter\n4,\"2,8\"\n5\n";
    const auto rows = CsvRows(RunCaptured({"batch", "--with-inputs"}, table).out);
    ASSERT_EQ(rows.size(), 3U);
    EXPECT_EQ(std::vector<std::string>(rows[0].begin(), rows[0].begin() + 4),
              (std::vector<std::string>{"row", "wire-diameter", "mean-diameter", "status"}));
    EXPECT_EQ(rows[1][2], "2,8");
    EXPECT_EQ(rows[2][1], "5");
    EXPECT_EQ(rows[2][2], "");
    const auto line = nlohmann::ordered_json::parse(
        RunCaptured({"batch", "--with-inputs", "--format=json"}, "wire-diameter\n4\n").out);
    EXPECT_EQ(line["inputs"]["wire-diameter"], "4");
}

// An echoed input cell a spreadsheet would run as a formula is written as
// text (a leading apostrophe); the row is judged from the cell as typed.
struct EchoedCell {
    const char *typed;
    const char *echoed;
};

class BatchEchoedCell : public ::testing::TestWithParam<EchoedCell> {};

TEST_P(BatchEchoedCell, NeverAFormula) {
    const std::string table =
        std::string("material,wire-diameter\n\"") + GetParam().typed + "\",4\n";
    const auto rows = CsvRows(RunCaptured({"batch", "--with-inputs"}, table).out);
    ASSERT_EQ(rows.size(), 2U);
    EXPECT_EQ(rows[1][1], GetParam().echoed);
    EXPECT_EQ(rows[1][2], "4");
    const auto line = nlohmann::ordered_json::parse(
        RunCaptured({"batch", "--with-inputs", "--format=json"}, table).out);
    EXPECT_EQ(line["inputs"]["material"], GetParam().typed) << "JSON keeps the cell as typed";
}

INSTANTIATE_TEST_SUITE_P(Cells, BatchEchoedCell,
                         ::testing::Values(EchoedCell{"=SUM(A1)", "'=SUM(A1)"},
                                           EchoedCell{"+1+2", "'+1+2"}, EchoedCell{"-2+3", "'-2+3"},
                                           EchoedCell{"@SUM(A1)", "'@SUM(A1)"},
                                           EchoedCell{"\tx", "'\tx"}, EchoedCell{"65Mn", "65Mn"},
                                           EchoedCell{"a=b", "a=b"}, EchoedCell{"'=x", "'=x"}));

TEST(Batch, ChecksEqualTheSingleDesign) {
    const std::vector<std::vector<std::string>> designs = {
        {},
        {"--free-height=60", "--working-load1=0"},
        {"--extension", "--known-loads", "--initial-tension=50", "--working-load1=100",
         "--working-load2=200", "--working-load3=300"},
    };
    const CliRun batch =
        RunCaptured({"batch", "--check"}, std::string(kHeader) + ",,,,,,,,,\n,,60,,,,0,,,\n" +
                                              ",,,1,1,50,100,200,300,\n");
    const auto rows = CsvRows(batch.out);
    ASSERT_EQ(rows.size(), designs.size() + 1) << batch.err;
    for (std::size_t i = 0; i < designs.size(); ++i) {
        std::vector<std::string> args = designs[i];
        args.insert(args.end(), {"--check", "--format=tsv"});
        const CliRun single = RunCaptured(args, "");
        std::istringstream lines(single.out);
        std::string line;
        std::size_t checks = 0;
        while (std::getline(lines, line)) {
            if (!line.starts_with("Check.")) {
                continue;
            }
            ++checks;
            const std::string id = line.substr(6, line.find('\t') - 6);
            const auto column = std::find(rows[0].begin(), rows[0].end(), id + ".value");
            ASSERT_NE(column, rows[0].end()) << id;
            const auto at = static_cast<std::size_t>(column - rows[0].begin());
            // value, limit and verdict, in the tsv's order
            EXPECT_EQ(rows[i + 1][at] + "\t" + rows[i + 1][at + 1] + "\t" + rows[i + 1][at + 2],
                      line.substr(line.find('\t') + 1))
                << id;
        }
        EXPECT_GT(checks, 5U);
    }
}

struct RowCase {
    const char *name;
    friend void PrintTo(const RowCase &c, std::ostream *os) { *os << c.name; }
    std::vector<std::string> args;
    std::string table;
    int status;
    std::vector<std::string> rowStatuses; // of the rows in order
    const char *outputHas;
};

class BatchRows : public ::testing::TestWithParam<RowCase> {};

TEST_P(BatchRows, StatusesInOrder) {
    const RowCase &c = GetParam();
    std::vector<std::string> args = {"batch"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const CliRun run = RunCaptured(args, c.table);
    EXPECT_EQ(run.status, c.status) << run.err;
    std::vector<std::string> statuses;
    const auto rows = CsvRows(run.out);
    for (std::size_t i = 1; i < rows.size(); ++i) {
        statuses.push_back(rows[i][1]);
    }
    EXPECT_EQ(statuses, c.rowStatuses);
    EXPECT_NE((run.out + run.err).find(c.outputHas), std::string::npos) << run.out << run.err;
}

INSTANTIATE_TEST_SUITE_P(
    Table, BatchRows,
    ::testing::Values(
        RowCase{"BadRowsAmongGoodOnes",
                {},
                "pitch,free-height\n,\nx,\n,45\n,,\n,\n",
                2,
                {"completed", "refused", "completed", "refused", "completed"},
                "第 5 行: 有 3 个单元格, 表头有 2 列"},
        RowCase{"StoppedAndFaultRowsAreJudged",
                {},
                "free-height,mean-diameter\n39,\n,4\n",
                0,
                {"stopped", "fault"},
                "计算错误: 曲度系数: 弹簧中径等于材料直径"},
        RowCase{"MissingColumnsTakeTheBatchOptions",
                {"--free-height=39"},
                "wire-diameter\n4\n",
                0,
                {"stopped"},
                ""},
        RowCase{"SwitchCells",
                {},
                "extension,free-height\nTRUE,\nfalse,\n0,\nyes,\n",
                2,
                {"stopped", "completed", "completed", "refused"},
                "extension 列只能是 1、true、0、false 或空"},
        RowCase{"BlankLineIsARefusedRow",
                {},
                "pitch,free-height\n\n,\n",
                2,
                {"refused", "completed"},
                "空行"},
        RowCase{"CsvErrorInARow",
                {},
                "material\n\"a\"b\n70-C\n",
                2,
                {"refused", "completed"},
                "右引号后应是逗号或行尾"},
        RowCase{
            "UnknownColumn", {}, "wire-diameter,colour\n4,red\n", 2, {}, "“colour”不是设计选项"},
        RowCase{"TwiceTheSameColumn", {}, "pitch, pitch\n4,4\n", 2, {}, "出现了两次"},
        RowCase{"FormatIsNoColumn", {}, "format\ntsv\n", 2, {}, "不是设计选项"},
        RowCase{"EmptyTable", {}, "", 2, {}, "没有表头"},
        RowCase{"HeaderOnly", {}, "pitch\n", 0, {}, "0 行"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(Batch, OutputFileIsWrittenWholeOrNotAtAll) {
    const auto folder =
        std::filesystem::temp_directory_path() /
        ("orsela-batch-test-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
    std::filesystem::create_directories(folder);
    const std::string target = (folder / "out.csv").string();
    const CliRun written = RunCaptured({"batch", "--output=" + target}, "pitch\n4\n");
    EXPECT_EQ(written.status, 0) << written.err;
    EXPECT_EQ(written.out, "");
    std::ifstream file(target, std::ios::binary);
    const std::string content((std::istreambuf_iterator<char>(file)), {});
    EXPECT_EQ(CsvRows(content).size(), 2U);

    const CliRun missingFolder =
        RunCaptured({"batch", "--output=" + (folder / "no" / "out.csv").string()}, "pitch\n4\n");
    EXPECT_EQ(missingFolder.status, kExitReportError);
    EXPECT_NE(missingFolder.err.find("无法写入"), std::string::npos) << missingFolder.err;
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1)
        << "no temporary file is left";
    std::filesystem::remove_all(folder);
}

TEST(Batch, ManyRowsKeepTheirOrder) {
    // More rows than one chunk, so that the workers interleave.
    std::string table = "free-height\n";
    for (int i = 0; i < 3000; ++i) {
        table += i % 7 == 0 ? "39\n" : "44\n";
    }
    const CliRun run = RunCaptured({"batch"}, table);
    const auto rows = CsvRows(run.out);
    ASSERT_EQ(rows.size(), 3001U);
    for (int i = 0; i < 3000; ++i) {
        ASSERT_EQ(rows[static_cast<std::size_t>(i) + 1][0], std::to_string(i + 1));
        ASSERT_EQ(rows[static_cast<std::size_t>(i) + 1][1], i % 7 == 0 ? "stopped" : "completed");
    }
}

} // namespace
