#include "report_file.h"
#include "report_test_support.h"
#include "whole_file_save.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include <cerrno>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

const std::string kOldContent = "an earlier report\r\n";

class ReportFile : public testing::Test {
  protected:
    std::string PathIn(const char *name) const { return dir_.filePath(name).toStdString(); }

    QStringList Entries() const {
        return QDir(dir_.path())
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    }

    QTemporaryDir dir_;
};

TEST_F(ReportFile, SampleIsWrittenInGbkByteForByte) {
    const std::string path = PathIn("Orsela结果.doc");
    const ReportWriteResult result = WriteReportFile(path, SampleReportInput());
    ASSERT_TRUE(result.ok) << result.message;
    const std::string bytes = ReadWholeFile(path);
    EXPECT_EQ(bytes, GbkByIconv(WithCrLf(kSampleReportListing)));
    // The first line spelled out: 结果 and 年月日 in their two-byte GBK codes,
    // no byte-order mark in front.
    const std::string firstLine = "-----Orsela\xBD\xE1\xB9\xFB-----2005\xC4\xEA"
                                  "06\xD4\xC2"
                                  "01\xC8\xD5\r\n";
    EXPECT_EQ(bytes.substr(0, firstLine.size()), firstLine);
}

TEST_F(ReportFile, SavingTwiceKeepsOnlyTheSecondReport) {
    const std::string path = PathIn("report.doc");
    ReportInput longer = SampleReportInput();
    longer.design.Material = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    longer.typeSign = kExtensionSpring;
    ASSERT_TRUE(WriteReportFile(path, longer).ok);
    ASSERT_TRUE(WriteReportFile(path, SampleReportInput()).ok);
    EXPECT_EQ(ReadWholeFile(path), GbkByIconv(WithCrLf(kSampleReportListing)));
    EXPECT_EQ(Entries(), QStringList{"report.doc"});
}

struct FailureCase {
    const char *name;
    // Prepares the folder and returns the target; "old.doc" holds kOldContent.
    std::string (*target)(const std::string &folder);
    const char *material;
    const char *cause; // part of the message
};

const FailureCase kFailureCases[] = {
    // Marked read-only by its permission bits: refused even for root, who
    // could otherwise write it.
    {"ReadOnlyFile",
     [](const std::string &folder) {
         chmod((folder + "/old.doc").c_str(), 0444);
         return folder + "/old.doc";
     },
     "70-C", "文件是只读的。原有文件未改动。"},
    {"MissingFolder", [](const std::string &folder) { return folder + "/missing/new.doc"; }, "70-C",
     "文件夹“"},
    {"FileWhereAFolderShouldBe",
     [](const std::string &folder) { return folder + "/old.doc/new.doc"; }, "70-C",
     "old.doc”是一个文件, 不是文件夹。"},
    {"TargetIsAFolder",
     [](const std::string &folder) {
         mkdir((folder + "/sub").c_str(), 0755);
         return folder + "/sub";
     },
     "70-C", "这是一个文件夹, 不是文件。"},
    {"EmojiInMaterial", [](const std::string &folder) { return folder + "/old.doc"; },
     "70-C\xF0\x9F\x98\x80", "字符“\xF0\x9F\x98\x80”(U+1F600) 不能用 GBK 编码保存, 文件未写入"},
    {"CopyrightSignInMaterial", [](const std::string &folder) { return folder + "/old.doc"; },
     "©70-C", "字符“©”(U+00A9) 不能用 GBK 编码保存"},
    // GBK holds ESC and a byte order mark as they are: a reader's screen would obey or hide them.
    {"EscapeInMaterial", [](const std::string &folder) { return folder + "/old.doc"; },
     "70-C\x1B[31m", "控制字符或不可见字符 (U+001B) 不能写入计算书, 文件未写入"},
    {"ByteOrderMarkInMaterial", [](const std::string &folder) { return folder + "/old.doc"; },
     "\xEF\xBB\xBF"
     "70-C",
     "控制字符或不可见字符 (U+FEFF) 不能写入计算书"},
};

void PrintTo(const FailureCase &c, std::ostream *os) {
    *os << c.name;
}

class ReportFileFailure : public ReportFile, public testing::WithParamInterface<FailureCase> {};

TEST_P(ReportFileFailure, OldFileIsKeptAndTheMessageNamesFileAndCause) {
    const std::string old = PathIn("old.doc");
    WriteWholeFile(old, kOldContent);
    const std::string target = GetParam().target(dir_.path().toStdString());
    const QStringList before = Entries();
    ReportInput input = SampleReportInput();
    input.design.Material = GetParam().material;

    const ReportWriteResult result = WriteReportFile(target, input);

    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.message.find("无法保存计算书“" + target + "”"), std::string::npos)
        << result.message;
    EXPECT_NE(result.message.find(GetParam().cause), std::string::npos) << result.message;
    EXPECT_EQ(ReadWholeFile(old), kOldContent);
    EXPECT_EQ(Entries(), before) << "no temporary or partial file is left";
}

INSTANTIATE_TEST_SUITE_P(Cases, ReportFileFailure, testing::ValuesIn(kFailureCases),
                         [](const auto &info) { return std::string(info.param.name); });

// A write that fails halfway, also for root: the file size limit stops it
// after 500 of the report's bytes.
TEST_F(ReportFile, WriteFailingHalfwayKeepsTheOldFileWhole) {
    const std::string path = PathIn("old.doc");
    WriteWholeFile(path, kOldContent);
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit limited = saved;
    limited.rlim_cur = 500;
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);

    const ReportWriteResult result = WriteReportFile(path, SampleReportInput());

    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.message,
              "无法保存计算书“" + path + "”: 文件超过了系统允许的大小。原有文件未改动。");
    EXPECT_EQ(ReadWholeFile(path), kOldContent);
    EXPECT_EQ(Entries(), QStringList{"old.doc"});
}

TEST_F(ReportFile, EuroSignIsGbkAndIsWritten) {
    // Code page 936 has the euro sign (0x80); it must not be refused.
    ReportInput input = SampleReportInput();
    input.design.Material = "€70";
    const std::string path = PathIn("euro.doc");
    ASSERT_TRUE(WriteReportFile(path, input).ok);
    EXPECT_NE(ReadWholeFile(path).find("     \x80"
                                       "70   "),
              std::string::npos);
}

TEST_F(ReportFile, FolderWithoutWritePermission) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "root writes into any folder";
    }
    const std::string folder = PathIn("locked");
    mkdir(folder.c_str(), 0555);
    const ReportWriteResult result = WriteReportFile(folder + "/new.doc", SampleReportInput());
    chmod(folder.c_str(), 0755);
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.message.find("没有写入权限"), std::string::npos) << result.message;
}

TEST_F(ReportFile, FolderThatTakesNoFiles) {
    // /proc refuses new files even for root.
    const ReportWriteResult result =
        WriteReportFile("/proc/orsela-report.doc", SampleReportInput());
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.message.find("无法保存计算书“/proc/orsela-report.doc”"), std::string::npos)
        << result.message;
}

// The hint names the material field only when the character is there: the
// user can mend nothing else.
TEST_F(ReportFile, UnencodableCharacterHintNamesTheMaterialFieldOnlyWhenItIsThere) {
    const std::string hint = "请修改弹簧材料中的这个字符";
    for (const bool inMaterial : {true, false}) {
        ReportInput input = SampleReportInput(inMaterial ? "2005年06月01日" : "2005年06月01日©");
        input.design.Material = inMaterial ? "©70-C" : "70-C";
        const ReportWriteResult result = WriteReportFile(PathIn("new.doc"), input);
        EXPECT_FALSE(result.ok);
        EXPECT_NE(result.message.find("U+00A9"), std::string::npos) << result.message;
        EXPECT_EQ(result.message.find(hint) != std::string::npos, inMaterial) << result.message;
    }
}

// A device node like /dev/full (character device 1, 7), made inside the
// test's own folder: whatever the save does to it stays there. Making one
// takes root; elsewhere the injected fault below covers the same path.
TEST_F(ReportFile, FullDiskIsReportedAndTheDeviceStaysADevice) {
    const std::string device = PathIn("full");
    if (mknod(device.c_str(), S_IFCHR | 0666, makedev(1, 7)) != 0) {
        GTEST_SKIP() << "cannot make a device node here (not root, or not allowed)";
    }
    const ReportWriteResult result = WriteReportFile(device, SampleReportInput());
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.message, "无法保存计算书“" + device + "”: 磁盘已满。");
    struct stat status {};
    ASSERT_EQ(stat(device.c_str(), &status), 0);
    EXPECT_TRUE(S_ISCHR(status.st_mode)) << "a temporary file must never replace a device";
    EXPECT_EQ(Entries(), QStringList{QStringLiteral("full")});
}

TEST_F(ReportFile, FullDiskKeepsTheOldFileAndLeavesNoTemporary) {
    const std::string path = PathIn("old.doc");
    WriteWholeFile(path, kOldContent);
    const auto message = SaveWholeFile(path, "the new report", SaveFaults{ENOSPC});
    ASSERT_TRUE(message.has_value());
    EXPECT_EQ(*message, "无法保存计算书“" + path + "”: 磁盘已满。原有文件未改动。");
    EXPECT_EQ(ReadWholeFile(path), kOldContent);
    EXPECT_EQ(Entries(), QStringList{QStringLiteral("old.doc")});
}

} // namespace
