// orsela-cli as a hostile user runs it: broken and endless input, full disks,
// long names and signals. Each run happens in a folder of its own, with HOME
// and XDG_DATA_HOME inside it, and must leave that folder as expected.
#include "../folder_names.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <sstream>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class TemporaryFolder {
  public:
    TemporaryFolder() {
        std::string pattern = (fs::temp_directory_path() / "orsela-robust-XXXXXX").string();
        if (::mkdtemp(pattern.data()) != nullptr) {
            path_ = pattern;
        }
    }
    ~TemporaryFolder() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    const fs::path &path() const { return path_; }

  private:
    fs::path path_;
};

std::string ReadFile(const fs::path &path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::size_t Occurrences(const std::string &text, const std::string &part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos;
         at = text.find(part, at + part.size())) {
        ++count;
    }
    return count;
}

const std::string kLongName(250, 'n'); // with ".doc" or ".csv" 254 bytes, under NAME_MAX

struct Reproduction {
    const char *name;
    friend void PrintTo(const Reproduction &r, std::ostream *os) { *os << r.name; }
    std::string script;  // sh, run in an empty folder; "$CLI" is the program
    int status;          // of the script's last command
    std::string outHas;  // "" for not checked
    std::string errOnce; // must be on stderr exactly once; "" for not checked
    std::string files;   // the folder afterwards
};

class Reproductions : public testing::TestWithParam<Reproduction> {};

TEST_P(Reproductions, ClearRefusalOrCorrectResultAndNothingLeftBehind) {
    const Reproduction &r = GetParam();
    TemporaryFolder folder;
    ASSERT_FALSE(folder.path().empty());
    const fs::path work = folder.path() / "work";
    const fs::path home = folder.path() / "home";
    fs::create_directories(work);
    fs::create_directories(home / "data");
    std::ofstream(folder.path() / "script.sh") << r.script << '\n';
    // Whatever hangs is stopped: a hang fails as status 124.
    const std::string command =
        "cd '" + work.string() + "' && HOME='" + home.string() + "' XDG_DATA_HOME='" +
        (home / "data").string() + "' CLI='" ORSELA_CLI "' timeout -k 5 30 sh '" +
        (folder.path() / "script.sh").string() + "' >'" + (folder.path() / "out").string() +
        "' 2>'" + (folder.path() / "err").string() + "'";
    const int wait = std::system(command.c_str());
    const std::string err = ReadFile(folder.path() / "err");
    const std::string out = ReadFile(folder.path() / "out");
    ASSERT_TRUE(WIFEXITED(wait));
    EXPECT_EQ(WEXITSTATUS(wait), r.status) << err;
    EXPECT_NE(out.find(r.outHas), std::string::npos) << out;
    if (!r.errOnce.empty()) {
        EXPECT_EQ(Occurrences(err, r.errOnce), 1U) << err;
    }
    EXPECT_EQ(FolderNames(work), r.files);
}

const char *kHugeNumberFile =
    R"(printf '{"format":1,"materials":[{"name":"X","standard":"s","family":"carbon-spring-wire",\n"shear_modulus":1e309,"source":"s"}]}' > m.json)"
    "\n";
const char *kBrokenFile = R"(printf '{\n  "materials": [,]\n}' > m.json)"
                          "\n";
const char *kTwoRows = R"(printf 'wire-diameter\n4\n5\n')";
const char *kSearch = R"("$CLI" search --material=65Mn --load1=92.128 --height1=40 )"
                      R"(--load2=184.257 --height2=36 --minimize=stress )";

INSTANTIATE_TEST_SUITE_P(
    Table, Reproductions,
    testing::Values(
        // A number too large for a double: named with file, line and column; built-in data used.
        Reproduction{"HugeNumberInMaterialsFile",
                     std::string(kHugeNumberFile) + R"("$CLI" materials --materials-file=m.json)",
                     0, "65Mn", "m.json 第 2 行第 17 列的数值超出", "m.json"},
        Reproduction{
            "FourHundredDigitsWithFromMaterial",
            R"(printf '{"materials":[{"name":"X","standard":"s","family":"carbon-spring-wire","density":%s,"source":"s"}]}' $(printf '9%.0s' $(seq 400)) > m.json
"$CLI" --material=65Mn --from-material --materials-file=m.json --format=json)",
            0, R"("status": "completed")", "m.json 第 1 行", "m.json"},
        Reproduction{"HugeNumberWithBatchOutput",
                     std::string(kHugeNumberFile) + kTwoRows +
                         R"( | "$CLI" batch --check --materials-file=m.json --output=out.csv -)",
                     0, "", "m.json 第 2 行", "m.json out.csv"},
        // Only a regular file of at most 16 MiB is read.
        Reproduction{"MaterialsFileIsAPipeWithoutWriter",
                     "mkfifo f\n\"$CLI\" materials --materials-file=f", 0, "65Mn",
                     "f：这不是一个普通文件", "f"},
        Reproduction{"MaterialsFileIsADevice", R"("$CLI" materials --materials-file=/dev/zero)", 0,
                     "65Mn", "/dev/zero：这不是一个普通文件", ""},
        Reproduction{"MaterialsFileOver16MiB",
                     "truncate -s 17M big.json\n\"$CLI\" materials --materials-file=big.json", 0,
                     "65Mn", "big.json：文件超过 16 MiB", "big.json"},
        // 60,000 grades load in well under the time limit.
        Reproduction{
            "SixtyThousandGrades",
            R"(awk 'BEGIN { printf "{\"materials\": ["; for (i = 0; i < 60000; i++) printf "%s{\"name\": \"G%d\", \"standard\": \"s\", \"family\": \"carbon-spring-wire\", \"source\": \"s\"}", (i ? "," : ""), i; print "]}" }' > m.json
"$CLI" materials G59999 --materials-file=m.json --format=tsv)",
            0, "name\tG59999", "", "m.json"},
        // A line that never ends.
        Reproduction{"EndlessHeaderLine", R"("$CLI" batch /dev/zero)", 2, "", "一行超过 1 MiB", ""},
        Reproduction{"EndlessDataLine",
                     R"({ echo wire-diameter; cat /dev/zero; } | "$CLI" batch --output=out.csv -)",
                     2, "", "读取设计表失败: 一行超过 64 MiB 仍未结束", ""},
        // Standard output on a full disk.
        Reproduction{"SingleDesignToFullDisk", R"("$CLI" --format=json > /dev/full)", 4, "",
                     "无法写出标准输出: 磁盘已满", ""},
        Reproduction{"MaterialsToFullDisk", R"("$CLI" materials > /dev/full)", 4, "",
                     "无法写出标准输出: 磁盘已满", ""},
        Reproduction{"SearchToFullDisk", std::string(kSearch) + "--wire-diameters=4 > /dev/full", 4,
                     "", "无法写出标准输出: 磁盘已满", ""},
        Reproduction{"HelpToFullDisk", R"("$CLI" --help > /dev/full)", 4, "",
                     "无法写出标准输出: 磁盘已满", ""},
        Reproduction{"BatchToFullDisk", std::string(kTwoRows) + R"( | "$CLI" batch - > /dev/full)",
                     4, "", "无法写出标准输出: 磁盘已满", ""},
        // A search that takes minutes shows on a terminal how far it has come, and for how long.
        Reproduction{
            "SearchProgressOnATerminal",
            std::string("script -qec 'timeout 3 ") + kSearch +
                R"(--index-range=1.01,100 --active-coils-range=2,1000 --wire-diameters=1,2,3,4,5,6 --max-outer-diameter=1 > /dev/null' /dev/null | grep -ao '搜索中 ([^)]*) [0-9.]*%, 已用 0:0[1-9]' | head -n 1)",
            0, "已用 0:0", "", ""},
        // A read error is not the end of the table.
        Reproduction{"FolderAsStandardInput", R"("$CLI" batch - < .)", 2, "",
                     "读取设计表失败: 这是一个文件夹", ""},
        // Names of 254 bytes are written and replaced.
        Reproduction{"LongReportNameReplaced",
                     "\"$CLI\" --report=" + kLongName +
                         ".doc > /dev/null && \"$CLI\" --report=" + kLongName + ".doc",
                     0, "", "", kLongName + ".doc"},
        Reproduction{"LongOutputNameReplaced",
                     std::string(kTwoRows) +
                         " > t.csv\n\"$CLI\" batch t.csv --output=" + kLongName +
                         ".csv 2> /dev/null && \"$CLI\" batch t.csv --output=" + kLongName + ".csv",
                     0, "", "", kLongName + ".csv t.csv"},
        // One report failing does not stop the other.
        Reproduction{"FailedReportLeavesTheOtherWritten",
                     R"("$CLI" --report=none/r.doc --html-report=r.html)", 4, "", "none/r.doc",
                     "r.html"},
        // batch names the materials file's problem once, whichever file it is.
        Reproduction{"BatchNamesItsBrokenMaterialsOption",
                     std::string(kBrokenFile) + kTwoRows +
                         R"( | "$CLI" batch --check --materials-file=m.json -)",
                     0, "", "m.json 第 2 行第 17 列", "m.json"},
        Reproduction{
            "BatchNamesAMissingFileOfItsColumn",
            R"(printf 'materials-file,material,from-material\nnone.json,65Mn,1\nnone.json,65Mn,1\n' | "$CLI" batch -)",
            0, "", "none.json：文件不存在", ""},
        Reproduction{
            "BatchNamesTheUsersBrokenFile",
            R"(mkdir -p "$XDG_DATA_HOME/orsela" && printf '{' > "$XDG_DATA_HOME/orsela/materials.json"
printf 'wire-diameter,check\n4,1\n5,1\n' | "$CLI" batch -)",
            0, "", "orsela/materials.json 第 1 行", ""},
        // --format=json answers a usage error with its one object.
        Reproduction{"UnknownOptionInJson", R"("$CLI" --format=json --bogus)", 2,
                     "\"status\": \"refused\"", "未知选项: --bogus", ""},
        Reproduction{"BadFormatAfterJson", R"("$CLI" --format json --format=xml)", 2,
                     "\"status\": \"refused\"", "--format 只能是", ""},
        Reproduction{"BadEndConditionInJson",
                     R"("$CLI" --check --end-condition=loose --format=json)", 2,
                     "\"message\": \"--end-condition: ", "--end-condition", ""},
        Reproduction{"BadLoadTypeInJson", R"("$CLI" --format=json --load-type=cyclic)", 2,
                     "\"status\": \"refused\"", "--load-type", ""},
        Reproduction{"SearchBadStandardInJson",
                     std::string(kSearch) + "--wire-diameters=4 --standard=iso --format=json", 2,
                     "\"status\": \"refused\"", "--standard", ""},
        Reproduction{"UnknownGradeInJson", R"("$CLI" materials 65Mx --format=json)", 2,
                     "\"message\": \"材料数据中没有牌号“65Mx”", "65Mx", ""},
        // A check option outside its physical range is refused with the range named; no
        // "inf" beside a verdict, no hook without a bend passing --strict.
        Reproduction{"DensityFarTooLarge", R"("$CLI" --check --density=1e308)", 2, "",
                     "--density: 请输入大于 0.5 且不大于 25 的数值 (kg/dm³)", ""},
        Reproduction{"FrequencyOfADenormalDensity", R"("$CLI" --check --density=4.9e-324)", 2, "",
                     "--density: 请输入大于 0.5", ""},
        Reproduction{"HookWithoutABend",
                     R"("$CLI" --extension --known-loads --initial-tension=50 --working-load1=100 )"
                     R"(--working-load2=200 --working-load3=300 --check --strict )"
                     R"(--hook-bend-radius=1e-30)",
                     2, "", "钩环弯曲半径 r2 必须大于材料直径的一半", ""},
        // A materials file's figures likewise: a modulus that would let a design "complete"
        // with every load 0 names its range; the built-in data is used.
        Reproduction{"MaterialsFileModulusDenormal",
                     R"(printf '{"format":1,"materials":[{"name":"X","standard":"s","family":")"
                     R"(carbon-spring-wire","shear_modulus":5e-324,"source":"s"}]}' > m.json
"$CLI" materials --materials-file=m.json)",
                     0, "65Mn", "\"shear_modulus\" 应大于 10000 且不大于 1000000 MPa", "m.json"},
        // The search names the range as the single design does.
        Reproduction{"SearchLoadAboveItsCap",
                     std::string(kSearch) + "--wire-diameters=4 --load2=2e7", 2, "",
                     "--load2: 请输入不小于 0 且不大于 10000000 的数值 (N)", ""},
        Reproduction{"SearchModulusBeyondFloat",
                     std::string(kSearch) + "--wire-diameters=4 --shear-modulus=1e39", 2, "",
                     "--shear-modulus: 请输入大于 0 且不大于 10000000 的数值 (MPa)", ""},
        // Numbers that are numbers, outside the physical range: the range is named.
        Reproduction{"IndexRangeBeyondItsRange",
                     std::string(kSearch) + "--wire-diameters=4 --index-range=4,1e308", 2, "",
                     "--index-range: 请输入大于 1 且不大于 100 的数值", ""},
        Reproduction{"CoilsRangeBeyondItsRange",
                     std::string(kSearch) + "--wire-diameters=4 --active-coils-range=2,1e308", 2,
                     "", "--active-coils-range: 请输入大于 0 且不大于 1000 的数值", ""},
        Reproduction{"ToleranceBeyondItsRange",
                     std::string(kSearch) + "--wire-diameters=4 --tolerance=+1e308,-1", 2, "",
                     "--tolerance: 请输入不小于 -100 且不大于 100 的数值 (%)", ""},
        Reproduction{"LoadCyclesBelowOne", R"("$CLI" --check --load-cycles=0.5)", 2, "",
                     "--load-cycles: 请输入不小于 1 且不大于 1000000000000 的数值 (次)", ""},
        Reproduction{"WorkingFrequencyThatPrintsAsZero",
                     R"("$CLI" --check --working-frequency=1e-300)", 2, "",
                     "--working-frequency: 请输入不小于 0.01 且不大于 100000 的数值 (Hz)", ""},
        // A design that fails its checks: no sheet under --strict (and the report still
        // written), a sheet that says so without it.
        Reproduction{"FailedCheckStrictWritesNoDrawing",
                     R"("$CLI" --check --strict --material=65Mn --load-cycles=1e6 )"
                     R"(--drawing=d.svg --html-report=r.html)",
                     5, "", "校核未通过 (--strict), 不输出图样", "r.html"},
        Reproduction{"FailedCheckDrawingSaysSo",
                     R"("$CLI" --check --material=65Mn --load-cycles=1e6 --drawing=d.svg && )"
                     R"(grep -c '校核未通过: 静强度' d.svg)",
                     0, "1", "图样的技术要求中注明", "d.svg"},
        Reproduction{"SearchMaterialWithAnEscape",
                     R"sh("$CLI" search --load1=50 --height1=40 --load2=100 --height2=30 )sh"
                     R"sh("--material=$(printf '65Mn\033')")sh",
                     2, "", "--material: 弹簧材料不能包含控制字符 (U+001B)", ""},
        // The search states [τ] as --from-material takes it: rounded down to 0.1 MPa.
        Reproduction{"SearchStressRoundedAsFromMaterial",
                     std::string(kSearch) +
                         "--wire-diameters=2.15 --top=1 \"--material=ASTM A228\" "
                         "--load-type=dynamic-limited --load-cycles=100000",
                     0, "--allowable-shear-stress=730.7 ", "", ""}, // 0.38 x 1923, floored
        // What a user typed is echoed with its control characters escaped.
        Reproduction{"ControlCharactersEscaped",
                     R"sh("$CLI" --from-material "--material=$(printf 'x\033[31m')")sh", 2, "",
                     "“x\\x1B[31m”", ""}),
    [](const auto &info) { return std::string(info.param.name); });

// Whether the process has a file open in folder (an unnamed one shows as
// "folder/#inode (deleted)").
bool HoldsAFileIn(pid_t pid, const fs::path &folder) {
    std::error_code error;
    const std::string prefix = fs::canonical(folder).string() + "/";
    for (const auto &entry :
         fs::directory_iterator("/proc/" + std::to_string(pid) + "/fd", error)) {
        const fs::path target = fs::read_symlink(entry.path(), error);
        if (!error && target.string().rfind(prefix, 0) == 0) {
            return true;
        }
    }
    return false;
}

// Whether this folder's file system makes unnamed temporary files, with
// which not even SIGKILL leaves anything behind.
bool TakesUnnamedFiles(const fs::path &folder) {
    const int fd = ::open(folder.c_str(), O_TMPFILE | O_WRONLY, 0600);
    if (fd < 0) {
        return false;
    }
    ::close(fd);
    return true;
}

// Texts a user gives that are not UTF-8 or that no file format can hold:
// refused where they come in, with the option, file and line named; what
// is written holds only what its format can.
const char *kMaterialsFileOf =
    R"sh(printf '{"format":1,"materials":[{"name":"%b","standard":"s",)sh"
    R"sh("family":"carbon-spring-wire","source":"s"%b}]}' )sh";

INSTANTIATE_TEST_SUITE_P(
    Texts, Reproductions,
    testing::Values(
        Reproduction{
            "TitleBlockInGbk",
            R"sh("$CLI" --dxf-version=2000 "--title-block=designer=$(printf '\315\365')" )sh"
            R"sh(--drawing=d.dxf)sh",
            2, "", "--title-block 的值第 10 个字节 0xCD 不是 UTF-8", ""},
        Reproduction{"StrayByteInMaterial",
                     R"sh("$CLI" "--material=65Mn$(printf '\377')" --drawing=d.svg)sh", 2, "",
                     "--material 的值第 5 个字节 0xFF 不是 UTF-8", ""},
        Reproduction{"DesignFileInGbk",
                     R"sh(printf '{"format":"orsela-design/1",\n"material":"\315\365"}' > d.json
"$CLI" --design=d.json)sh",
                     2, "", "“d.json” 第 2 行第 13 列: 字节 0xCD 不是 UTF-8", "d.json"},
        Reproduction{"DesignFileNulNeverReachesTheReport",
                     R"sh(printf '{"format":"orsela-design/1","material":"a\\u0000b"}' > d.json
"$CLI" --design=d.json --report=r.doc)sh",
                     2, "", "弹簧材料不能包含控制字符 (U+0000)", "d.json"},
        Reproduction{"EscapeNeverReachesTheReport",
                     R"sh("$CLI" "--material=$(printf 'x\033')" --report=r.doc)sh", 2, "",
                     "弹簧材料不能包含控制字符 (U+001B)", ""},
        Reproduction{
            "NonCharacterInTitleBlock",
            R"sh("$CLI" "--title-block=designer=$(printf 'a\357\277\276')" --drawing=d.svg)sh", 2,
            "", "值不能包含非字符 U+FFFE: designer=a\\uFFFE", ""},
        Reproduction{
            "EmojiInDxf2000AsItsTwoHalves",
            R"sh("$CLI" --dxf-version=2000 "--title-block=designer=😀" --drawing=d.dxf >/dev/null &&
grep -F -c '\U+D83D\U+DE00' d.dxf)sh",
            0, "1", "", "d.dxf"},
        Reproduction{"DrawingOfAnotherKindIsAUsageError", R"sh("$CLI" --drawing=x.txt)sh", 2, "",
                     "--drawing: 文件名应以 .dxf 或 .svg 结尾: x.txt", ""},
        Reproduction{
            "MaterialTooLongForTheSheet",
            R"sh("$CLI" "--material=$(head -c 20000 /dev/zero | tr '\0' M)" --drawing=d.svg)sh", 2,
            "", "--material: 弹簧材料太长, 图样放不下", ""},
        Reproduction{"MaterialsFileMisspeltTopKey",
                     R"sh(printf '{"format":1,"material":[]}' > m.json
"$CLI" materials --materials-file=m.json)sh",
                     0, "65Mn", "最外层有未知的键 \"material\"", "m.json"},
        Reproduction{"MaterialsFileOfANewerFormat",
                     R"sh(printf '{"format":2,"materials":[]}' > m.json
"$CLI" materials --materials-file=m.json)sh",
                     0, "65Mn", "\"format\" 为 2：本程序只能读 \"format\": 1", "m.json"},
        Reproduction{"MaterialsFileLookAlikeGrade",
                     std::string(kMaterialsFileOf) + R"sh('65\320\234n' '' > m.json
"$CLI" materials --materials-file=m.json)sh",
                     0, "65Mn", "“М” (U+041C) 是西里尔字母", "m.json"},
        Reproduction{"MaterialsFileBlankGrade",
                     std::string(kMaterialsFileOf) + R"sh('   ' '' > m.json
"$CLI" materials --materials-file=m.json)sh",
                     0, "65Mn", "的 \"name\" 不能为空白", "m.json"},
        Reproduction{"MaterialsFileUnknownKey",
                     std::string(kMaterialsFileOf) + R"sh('X' ',\n"colour":1' > m.json
"$CLI" materials --materials-file=m.json)sh",
                     0, "65Mn", "有未知的键 \"colour\"", "m.json"},
        Reproduction{"MaterialsFileTypeErrorNamesItsLine",
                     std::string(kMaterialsFileOf) + R"sh('X' ',\n\n"density":"7.85"' > m.json
"$CLI" materials --materials-file=m.json)sh",
                     0, "65Mn", "\"density\" 应为数值（第 3 行）", "m.json"},
        Reproduction{"MaterialsGradeWithEscapeShownEscaped",
                     std::string(kMaterialsFileOf) + R"sh('X\\u001b[31m' '' > m.json
"$CLI" materials --materials-file=m.json)sh",
                     0, "X\\x1B[31m", "", "m.json"},
        Reproduction{"BatchNumberRefusalNamesItsLine",
                     R"sh(printf 'wire-diameter\n4\nabc\n' | "$CLI" batch -)sh", 2,
                     "2,refused,第 3 行: --wire-diameter: 请输入一个数值!", "", ""},
        Reproduction{"BatchSecondByteOrderMarkShownEscaped",
                     R"sh(printf '\357\273\277\357\273\277wire-diameter\n4\n' | "$CLI" batch -)sh",
                     2, "", "“\\uFEFFwire-diameter”", ""},
        Reproduction{"SystemErrorSaidInChinese",
                     R"sh(ln -s a b && ln -s b a && "$CLI" --design=a)sh", 2, "",
                     "设计文件“a”: 符号链接太多 (可能循环)", "a b"}),
    [](const auto &info) { return std::string(info.param.name); });

// batch --output stopped by a signal: the temporary file goes, the target
// stays as it was, and the program ends by that signal. The signal is sent
// to the program itself, its table a pipe that this test keeps open.
class BatchStoppedBy : public testing::TestWithParam<int> {};

TEST_P(BatchStoppedBy, LeavesNothingBehind) {
    const int signal = GetParam();
    TemporaryFolder folder;
    ASSERT_FALSE(folder.path().empty());
    if (signal == SIGKILL && !TakesUnnamedFiles(folder.path())) {
        GTEST_SKIP() << "no unnamed temporary files here: SIGKILL cannot be cleaned up after";
    }
    const fs::path target = folder.path() / "judged.csv";
    std::ofstream(target) << "the old table\n";

    // SIGQUIT and SIGABRT dump core by default: none is written, here or anywhere.
    const rlimit noCore{0, 0};
    ASSERT_EQ(::setrlimit(RLIMIT_CORE, &noCore), 0);
    int table[2];
    ASSERT_EQ(::pipe(table), 0);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, folder.path().c_str());
    posix_spawn_file_actions_adddup2(&actions, table[0], STDIN_FILENO);
    posix_spawn_file_actions_addclose(&actions, table[1]);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t defaults; // whatever ctest's parent ignores, the program gets the default
    sigemptyset(&defaults);
    sigaddset(&defaults, signal);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);
    const std::string output = "--output=" + target.string();
    char *argv[] = {const_cast<char *>(ORSELA_CLI), const_cast<char *>("batch"),
                    const_cast<char *>(output.c_str()), const_cast<char *>("-"), nullptr};
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, ORSELA_CLI, &actions, &attributes, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    ::close(table[0]);
    ASSERT_EQ(spawned, 0);
    const std::string rows = "wire-diameter\n4\n";
    EXPECT_EQ(::write(table[1], rows.data(), rows.size()), static_cast<ssize_t>(rows.size()));

    // The program has read its header once it holds its temporary file open,
    // named or unnamed, in the target's folder.
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!HoldsAFileIn(pid, folder.path()) && std::chrono::steady_clock::now() < until) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_TRUE(HoldsAFileIn(pid, folder.path())) << "no temporary file was opened";
    ::kill(pid, signal);
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    ::close(table[1]);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << status;
    EXPECT_EQ(FolderNames(folder.path()), "judged.csv");
    EXPECT_EQ(ReadFile(target), "the old table\n");
}

INSTANTIATE_TEST_SUITE_P(Signals, BatchStoppedBy,
                         testing::Values(SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGABRT, SIGKILL),
                         [](const auto &info) { return std::string(sigabbrev_np(info.param)); });

} // namespace
