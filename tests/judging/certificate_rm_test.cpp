// One rule for a given Rm (the wire maker's certificate): it stands in for the
// table's Rm at the design's wire diameter for --from-material and --check,
// also for a grade without an Rm table, and the output says where it came from.
#include "judge_design.h"
#include "request_from_options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

DesignOutcome Judge(std::vector<std::string> arguments) {
    arguments.push_back("--materials-file=" ORSELA_MATERIALS_JSON);
    return JudgeDesign(RequestFromOptions(arguments));
}

struct CertificateCase {
    const char *grade;
    const char *rm;
    float expected; // [tau] the design takes, MPa
};

// The GB/T 1239.6 static shares of Rm for a compression spring: 0.50 carbon
// wire, 0.45 stainless, 0.40 bronze; 65Mn keeps its own table figure unless
// the certificate's share is lower.
const CertificateCase kCases[] = {
    {"70-C", "1570", 785.0F},          // no Rm table: only the certificate gives one
    {"QSn6.5-0.1", "900", 360.0F},     // no Rm table
    {"EN 10270-1 SM", "1200", 600.0F}, // the table gives about 2000 MPa at 3 mm
    {"12Cr18Ni9", "1500", 675.0F},     {"65Mn", "1200", 570.0F},
    {"65Mn", "1000", 500.0F}, // a low certificate lowers the table's figure to its share
};

class CertificateRm : public testing::TestWithParam<CertificateCase> {};

TEST_P(CertificateRm, StandsInForTheTableInFromMaterialAndTheChecks) {
    const CertificateCase &c = GetParam();
    const DesignOutcome outcome = Judge({std::string("--material=") + c.grade, "--from-material",
                                         "--check", std::string("--tensile-strength=") + c.rm,
                                         "--wire-diameter=3", "--mean-diameter=21"});
    ASSERT_EQ(outcome.status, DesignStatus::Completed) << outcome.message;
    EXPECT_EQ(outcome.design.AllowableShearStress, c.expected);
    EXPECT_TRUE(Says(outcome.checkNotes, std::string("Rm = ") + c.rm + " MPa 取自钢丝质保书"));
    for (const CheckResult &check : outcome.checks) {
        if (check.id == "static-strength" && c.expected != 570.0F) {
            EXPECT_DOUBLE_EQ(*check.limit, c.expected);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Grades, CertificateRm, testing::ValuesIn(kCases));

// Without a certificate a grade without an Rm table is refused by
// --from-material, and the refusal says what to give.
TEST(CertificateRm, WithoutItAGradeWithoutATableSaysWhatToGive) {
    const DesignOutcome outcome = Judge({"--material=70-C", "--from-material"});
    EXPECT_EQ(outcome.status, DesignStatus::Refused);
    EXPECT_NE(outcome.message.find("--allowable-shear-stress"), std::string::npos);
}

} // namespace
