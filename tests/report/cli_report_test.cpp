#include "report_date.h"
#include "report_test_support.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

namespace {

struct CliRun {
    int exitCode = -1;
    std::string err;
};

CliRun RunCli(const QStringList &args) {
    QProcess process;
    process.start(ORSELA_CLI_PATH, args);
    if (!process.waitForFinished(30000)) {
        process.kill();
        process.waitForFinished();
        return {};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardError().toStdString()};
}

std::string SampleDatedToday(const std::string &date) {
    std::string text = WithCrLf(kSampleReportListing);
    text.replace(text.find("2005年06月01日"), std::string("2005年06月01日").size(), date);
    return GbkByIconv(text);
}

class CliReport : public testing::Test {
  protected:
    QString PathIn(const char *name) const { return dir_.filePath(name); }
    QTemporaryDir dir_;
};

TEST_F(CliReport, DefaultDesignWritesTheSampleReportDatedToday) {
    const std::string dayBefore = TodaysReportDate();
    const CliRun run = RunCli({"--report=" + PathIn("r.doc")});
    const std::string dayAfter = TodaysReportDate();
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::string bytes = ReadWholeFile(PathIn("r.doc").toStdString());
    EXPECT_TRUE(bytes == SampleDatedToday(dayBefore) || bytes == SampleDatedToday(dayAfter));
}

TEST_F(CliReport, SeparateValueFormAndExtensionSpringWithItem25) {
    const CliRun run = RunCli({"--extension", "--known-loads", "--pitch=4", "--initial-tension=50",
                               "--working-load1=100", "--working-load2=200", "--working-load3=300",
                               "--report", PathIn("ext.doc")});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::string bytes = ReadWholeFile(PathIn("ext.doc").toStdString());
    const auto lines = LinesOf(bytes);
    ASSERT_EQ(lines.size(), 20U);
    EXPECT_EQ(lines[3], GbkByIconv(" 1 弹簧类型     拉伸弹簧          13 自由高度         72.0"));
    EXPECT_EQ(lines[15],
              GbkByIconv("                                  25 拉伸弹簧初拉力   50.000    N"));
}

// Nothing is written unless the calculation completed; an existing report
// stays as it was.
TEST_F(CliReport, StoppedRunOrCalculationErrorWritesNothing) {
    const struct {
        const char *argument;
        int exitCode;
    } cases[] = {{"--free-height=39", 1}, {"--mean-diameter=3e38", 3}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.argument);
        WriteWholeFile(PathIn("old.doc").toStdString(), "old");
        EXPECT_EQ(RunCli({c.argument, "--report=" + PathIn("old.doc")}).exitCode, c.exitCode);
        EXPECT_EQ(RunCli({c.argument, "--report=" + PathIn("new.doc")}).exitCode, c.exitCode);
        EXPECT_EQ(ReadWholeFile(PathIn("old.doc").toStdString()), "old");
        EXPECT_FALSE(QFileInfo::exists(PathIn("new.doc")));
    }
}

TEST_F(CliReport, FileErrorGivesTheMessageAndExitStatus4) {
    const QString target = PathIn("missing/r.doc");
    const CliRun run = RunCli({"--report=" + target});
    EXPECT_EQ(run.exitCode, 4);
    EXPECT_NE(run.err.find("orsela-cli: 无法保存计算书“" + target.toStdString() + "”: 文件夹“"),
              std::string::npos)
        << run.err;
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).size(), 0);
}

TEST_F(CliReport, UnencodableMaterialGivesExitStatus4AndNoFile) {
    const CliRun run = RunCli({"--material=70-C\xF0\x9F\x98\x80", "--report=" + PathIn("r.doc")});
    EXPECT_EQ(run.exitCode, 4);
    EXPECT_NE(run.err.find("U+1F600"), std::string::npos) << run.err;
    EXPECT_FALSE(QFileInfo::exists(PathIn("r.doc")));
}

} // namespace
