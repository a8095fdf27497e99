#include "captured_run.h"
#include "csv_reader.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

// The columns of the generated table, in its order; a cell's option is
// "--" + its column name.
const std::vector<std::string> kColumns = {
    "torsion",         "wire-diameter",   "mean-diameter",  "active-coils",   "leg-length1",
    "leg-length2",     "known-torques",   "working-angle1", "working-angle3", "working-torque1",
    "working-torque3", "load-direction",  "arbor-diameter", "coil-spacing",   "material",
    "elastic-modulus", "tensile-strength"};

// A torsion design drawn at random, as its cells; some are refused (a mean
// diameter not above the wire, a grade the table lacks without E, angles
// descending), most are judged.
std::vector<std::string> RandomDesign(std::mt19937 &random) {
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const auto pick = [&](double low, double high) { return low + (high - low) * unit(random); };
    const double d = pick(0.3, 6.0);
    const bool torques = unit(random) < 0.5;
    const double first = torques ? pick(1.0, 2000.0) : pick(5.0, 200.0);
    const double last = first * pick(0.8, 3.0);
    std::vector<std::string> cells(kColumns.size());
    cells[0] = "1";
    cells[1] = FourDigits(d);
    cells[2] = FourDigits(d * pick(0.9, 24.0));
    cells[3] = FourDigits(pick(1.0, 20.0));
    cells[4] = unit(random) < 0.5 ? FourDigits(pick(0.0, 60.0)) : "";
    cells[5] = unit(random) < 0.5 ? FourDigits(pick(0.0, 60.0)) : "";
    cells[6] = torques ? "1" : "";
    cells[torques ? 9 : 7] = unit(random) < 0.5 ? FourDigits(first) : "";
    cells[torques ? 10 : 8] = FourDigits(last);
    cells[11] = unit(random) < 0.3 ? "unwind" : "wind";
    cells[12] = unit(random) < 0.5 ? FourDigits(pick(0.1, 1.0) * std::stod(cells[2])) : "";
    cells[13] = unit(random) < 0.3 ? FourDigits(pick(0.0, 1.0)) : "";
    const double material = unit(random);
    if (material < 0.5) {
        cells[14] = "EN 10270-1 SM";
    } else if (material < 0.9) {
        cells[15] = FourDigits(pick(180000.0, 210000.0));
        cells[16] = unit(random) < 0.5 ? FourDigits(pick(1000.0, 2200.0)) : "";
    } else {
        cells[14] = "不在表中";
    }
    return cells;
}

std::string CsvLine(const std::vector<std::string> &cells) {
    std::string line;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        line += (i > 0 ? "," : "") + cells[i];
    }
    return line + "\n";
}

std::vector<std::string> SingleDesignArgs(const std::vector<std::string> &cells) {
    std::vector<std::string> args = {"--check", "--format=json",
                                     "--materials-file=" ORSELA_MATERIALS_JSON};
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (cells[i].empty()) {
            continue;
        }
        const bool flag = kColumns[i] == "torsion" || kColumns[i] == "known-torques";
        args.push_back("--" + kColumns[i] + (flag ? "" : "=" + cells[i]));
    }
    return args;
}

// Every generated torsion row of a design table is judged as the single
// design with the same options is: the same JSON object (with "row" first,
// a refusal naming its line), and in the CSV the same results and verdicts.
TEST(TorsionBatch, EveryRowEqualsTheSingleDesign) {
    std::mt19937 random(32);
    std::vector<std::vector<std::string>> designs;
    std::string table = CsvLine(kColumns);
    for (int i = 0; i < 300; ++i) {
        designs.push_back(RandomDesign(random));
        table += CsvLine(designs.back());
    }
    const std::vector<std::string> batch = {"batch", "--check",
                                            "--materials-file=" ORSELA_MATERIALS_JSON};
    std::istringstream jsonIn(table), csvIn(table);
    std::ostringstream jsonOut, csvOut, err;
    std::vector<std::string> jsonArgs = batch;
    jsonArgs.push_back("--format=json");
    RunCli(jsonArgs, jsonIn, jsonOut, err);
    RunCli(batch, csvIn, csvOut, err);

    std::istringstream jsonLines(jsonOut.str()), csvText(csvOut.str());
    CsvReader csv(csvText);
    CsvRecord header, record;
    ASSERT_TRUE(csv.next(header));
    const auto column = [&header](const std::string &name) {
        for (std::size_t i = 0; i < header.size(); ++i) {
            if (header[i] == name) {
                return i;
            }
        }
        ADD_FAILURE() << "no column " << name;
        return std::size_t{0};
    };
    std::size_t completed = 0, failedChecks = 0;
    for (std::size_t i = 0; i < designs.size(); ++i) {
        SCOPED_TRACE(CsvLine(designs[i]));
        std::ostringstream out, singleErr;
        std::istringstream none;
        RunCli(SingleDesignArgs(designs[i]), none, out, singleErr);
        nlohmann::ordered_json single = nlohmann::ordered_json::parse(out.str());
        if (single["status"] == "refused") {
            single["message"] =
                "第 " + std::to_string(i + 2) + " 行: " + single["message"].get<std::string>();
        }
        nlohmann::ordered_json withRow;
        withRow["row"] = i + 1;
        for (auto &[key, value] : single.items()) {
            withRow[key] = value;
        }
        std::string line;
        ASSERT_TRUE(std::getline(jsonLines, line));
        EXPECT_EQ(line, withRow.dump());

        ASSERT_TRUE(csv.next(record));
        EXPECT_EQ(record[column("status")], single["status"]);
        for (const auto &[key, text] : single["results"].items()) {
            EXPECT_EQ(record[column(key)], text) << key;
        }
        for (const auto &check : single["checks"]) {
            const std::string id = check["id"];
            EXPECT_EQ(record[column(id + ".verdict")], check["verdict"]) << id;
            failedChecks += check["verdict"] == "fail" ? 1 : 0;
        }
        completed += single["status"] == "completed" ? 1 : 0;
    }
    // The generated designs reach both sides of the checks and of the refusals.
    EXPECT_GT(completed, 100U);
    EXPECT_LT(completed, designs.size());
    EXPECT_GT(failedChecks, 10U);
}

} // namespace
