#include "about_box.h"
#include "form_model.h"
#include "report_text.h"
#include "window_design.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

// Remembers every call in order, as "changed:Text19", "warning:..." and so on.
class RecordingView : public FormView {
  public:
    std::vector<std::string> calls;
    std::function<void()> whileBoxShown;
    void controlChanged(std::string_view name) override {
        calls.push_back("changed:" + std::string(name));
    }
    void showWarning(const std::string &text) override { box("warning:" + text); }
    void showError(const std::string &text) override { box("error:" + text); }
    void showInformation(const std::string &title, const std::string &text) override {
        box("information:" + title + "|" + text);
    }
    std::vector<std::string> boxes() const {
        std::vector<std::string> result;
        for (const std::string &c : calls) {
            if (!c.starts_with("changed:")) {
                result.push_back(c);
            }
        }
        return result;
    }

  private:
    void box(std::string call) {
        calls.push_back(std::move(call));
        if (whileBoxShown) {
            whileBoxShown();
        }
    }
};

struct Form {
    RecordingView view;
    FormModel model{view, "2005年06月01日"};
    const std::string &text(const std::string &name) const { return model.control(name).text; }
    bool enabled(const std::string &name) const { return model.control(name).enabled; }
};

// The designed start: every control as the window's design has it.
TEST(FormModel, StartsAsDesigned) {
    Form f;
    for (const ControlDesign &design : WindowDesign()) {
        const ControlState &state = f.model.control(design.name);
        EXPECT_EQ(state.text, design.text) << design.name;
        EXPECT_EQ(state.enabled, design.enabled) << design.name;
        EXPECT_EQ(state.selected, design.selected) << design.name;
    }
    EXPECT_EQ(f.model.springTypeSign(), kCompressionSpring);
    EXPECT_EQ(f.model.springTypeName(), "压缩弹簧");
    EXPECT_FALSE(f.model.inputInvalid());
    EXPECT_FALSE(f.model.report());
}

struct SwitchCase {
    std::vector<int> clicks;
    SpringTypeSign sign;
    // enabled: Text13 Text18 Text24 Text19 Text17 Text21 | Text9 Text8 Text7 Text12 Text11 Text10
    const char *enabled;
    const char *texts17_21_24; // after a calculation of the sample and a change of Text24 to "5"
    const char *selected;      // Option1..Option4
    friend void PrintTo(const SwitchCase &c, std::ostream *os) { *os << c.selected; }
};

class Switches : public ::testing::TestWithParam<SwitchCase> {};

TEST_P(Switches, EnableTheFieldsThatApplyAndClearOnlyTheirThree) {
    const SwitchCase &c = GetParam();
    Form f;
    ASSERT_EQ(f.model.calculate().end, CalculateEnd::Completed);
    f.model.typeText("Text24", "5");
    for (int option : c.clicks) {
        f.model.selectOption(option);
    }
    std::string enabled;
    for (const char *name : {"Text13", "Text18", "Text24", "Text19", "Text17", "Text21", "|",
                             "Text9", "Text8", "Text7", "Text12", "Text11", "Text10"}) {
        enabled += *name == '|' ? '|' : (f.enabled(name) ? '1' : '0');
    }
    EXPECT_EQ(enabled, c.enabled);
    EXPECT_EQ(f.text("Text17") + " " + f.text("Text21") + " " + f.text("Text24"), c.texts17_21_24);
    std::string selected;
    for (const char *name : {"Option1", "Option2", "Option3", "Option4"}) {
        selected += f.model.control(name).selected ? '1' : '0';
    }
    EXPECT_EQ(selected, c.selected);
    EXPECT_EQ(f.model.springTypeSign(), c.sign);
    EXPECT_EQ(f.model.springTypeName(), c.sign == kCompressionSpring ? "压缩弹簧" : "拉伸弹簧");
    // Never touched by a switch: the other results, the working points, Save.
    EXPECT_EQ(f.text("Text20"), "497.944");
    EXPECT_EQ(f.text("Text12"), "92.128");
    EXPECT_TRUE(f.enabled("Command2"));
    EXPECT_FALSE(f.model.inputInvalid());
}

constexpr SpringTypeSign kC = kCompressionSpring;
constexpr SpringTypeSign kE = kExtensionSpring;

INSTANTIATE_TEST_SUITE_P(
    Table, Switches,
    ::testing::Values(SwitchCase{{}, kC, "100111|111000", "26.0 1.571 5", "1010"},
                      SwitchCase{{2}, kE, "011000|111000", "0 0 5", "0110"},
                      SwitchCase{{2, 1}, kC, "100111|111000", "0 0 0", "1010"},
                      SwitchCase{{1}, kC, "100111|111000", "26.0 1.571 0", "1010"},
                      SwitchCase{{4}, kC, "100111|000111", "26.0 1.571 5", "1001"},
                      SwitchCase{{4, 2, 3, 2}, kE, "011000|111000", "0 0 5", "0110"}));

struct ExitCase {
    const char *text;
    const char *zeroRefused;  // box shown by Text5, "" when accepted
    const char *zeroAccepted; // box shown by Text12
    friend void PrintTo(const ExitCase &c, std::ostream *os) { *os << '"' << c.text << '"'; }
};

class ExitChecks : public ::testing::TestWithParam<ExitCase> {};

TEST_P(ExitChecks, JudgeOnlyAndSetTheFlag) {
    const ExitCase &c = GetParam();
    for (const auto &[field, box] :
         std::map<std::string, std::string>{{"Text5", c.zeroRefused}, {"Text12", c.zeroAccepted}}) {
        Form f;
        f.model.typeText(field, c.text);
        EXPECT_EQ(f.model.exitCheck(field), box.empty()) << field;
        EXPECT_EQ(f.model.inputInvalid(), !box.empty()) << field;
        EXPECT_EQ(f.view.calls, box.empty() ? std::vector<std::string>{}
                                            : std::vector<std::string>{"warning:" + box})
            << field;
        EXPECT_EQ(f.text(field), c.text); // never corrected
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, ExitChecks,
    ::testing::Values(ExitCase{"", "请输入一个数值!", "请输入一个数值!"},
                      ExitCase{"abc", "请输入一个数值!", "请输入一个数值!"},
                      ExitCase{"0", "请输入一个合适的弹簧中径!", ""},
                      ExitCase{"-1", "请输入一个合适的弹簧中径!", "请输入一个合适的工作载荷!"},
                      ExitCase{"1e3", "", ""},
                      ExitCase{"1e39", "请输入一个合适的弹簧中径!", "请输入一个合适的工作载荷!"}));

TEST(ExitChecks, NumericRefusalSetsTheFlagBeforeItsBoxRangeRefusalAfter) {
    Form f;
    std::vector<bool> flagWhileShown;
    f.view.whileBoxShown = [&] { flagWhileShown.push_back(f.model.inputInvalid()); };
    f.model.typeText("Text5", "abc");
    f.model.exitCheck("Text5");
    f.model.typeText("Text5", "-1");
    f.model.exitCheck("Text5");
    EXPECT_EQ(flagWhileShown, (std::vector<bool>{true, false}));
    EXPECT_TRUE(f.model.inputInvalid());
    // A valid entry in another field clears the flag; Text1 has no check.
    f.model.typeText("Text1", "");
    EXPECT_TRUE(f.model.exitCheck("Text1"));
    EXPECT_TRUE(f.model.inputInvalid());
    EXPECT_TRUE(f.model.exitCheck("Text2"));
    EXPECT_FALSE(f.model.inputInvalid());
}

const std::vector<std::pair<const char *, const char *>> kSampleResults = {
    {"Text13", "44.0"},   {"Text9", "40.0"},     {"Text8", "36.0"},     {"Text7", "28.0"},
    {"Text12", "92.128"}, {"Text11", "184.257"}, {"Text10", "368.513"}, {"Text16", "7.000"},
    {"Text15", "1.213"},  {"Text14", "23.032"},  {"Text18", "8.000"},   {"Text22", "571.8"},
    {"Text21", "1.571"},  {"Text17", "26.0"},    {"Text20", "497.944"}, {"Text23", "5.197"}};

TEST(Calculate, SampleWritesTheSixteenResultsInOrderThenEnablesSave) {
    Form f;
    EXPECT_EQ(f.model.calculate().end, CalculateEnd::Completed);
    std::vector<std::string> expected;
    for (const auto &[field, text] : kSampleResults) {
        EXPECT_EQ(f.text(field), text) << field;
        expected.push_back("changed:" + std::string(field));
    }
    expected.push_back("changed:Command2");
    EXPECT_EQ(f.view.calls, expected);
    EXPECT_TRUE(f.enabled("Command2"));
    ASSERT_TRUE(f.model.report());
    EXPECT_EQ(f.model.report()->reportDate, "2005年06月01日");
}

TEST(Calculate, ExtensionWithKnownLoadsShowsTotalCoilsBeforeTheResults) {
    Form f;
    f.model.selectOption(2);
    f.model.selectOption(4);
    for (const auto &[field, text] : std::vector<std::pair<const char *, const char *>>{
             {"Text24", "50"}, {"Text12", "100"}, {"Text11", "200"}, {"Text10", "300"}}) {
        f.model.typeText(field, text);
    }
    f.view.calls.clear();
    EXPECT_EQ(f.model.calculate().end, CalculateEnd::Completed);
    EXPECT_EQ(f.view.calls.front(), "changed:Text19");
    EXPECT_EQ(f.text("Text19"), "5");
    const std::vector<std::pair<const char *, const char *>> expected = {
        {"Text13", "72.0"},    {"Text9", "74.2"},     {"Text8", "78.5"},     {"Text7", "82.9"},
        {"Text12", "100.000"}, {"Text11", "200.000"}, {"Text10", "300.000"}, {"Text16", "7.000"},
        {"Text15", "1.213"},   {"Text14", "23.032"},  {"Text18", "4.000"},   {"Text22", "615.8"},
        {"Text21", "0.000"},   {"Text17", "0.0"},     {"Text20", "405.368"}, {"Text23", "2.604"}};
    for (const auto &[field, text] : expected) {
        EXPECT_EQ(f.text(field), text) << field;
    }
    // The report keeps the type of the calculation, whatever is selected later.
    f.model.selectOption(1);
    EXPECT_EQ(f.model.report()->typeSign, kExtensionSpring);
    EXPECT_EQ(f.model.report()->typeName, "拉伸弹簧");
}

TEST(Calculate, StressWarningIsShownBeforeTheResultsAreWritten) {
    Form f;
    f.model.typeText("Text3", "400");
    EXPECT_EQ(f.model.calculate().end, CalculateEnd::Completed);
    ASSERT_FALSE(f.view.calls.empty());
    EXPECT_TRUE(f.view.calls.front().starts_with("warning:注意!"));
    EXPECT_EQ(f.text("Text20"), "497.944");
}

TEST(Calculate, StoppedRunLeavesTheLastResultsAndSave) {
    Form f;
    ASSERT_EQ(f.model.calculate().end, CalculateEnd::Completed);
    f.model.typeText("Text9", "45");
    f.view.calls.clear();
    EXPECT_EQ(f.model.calculate().end, CalculateEnd::StoppedByWarning);
    EXPECT_EQ(f.view.boxes(),
              (std::vector<std::string>{"warning:压缩弹簧的工作高度大于自由高度!\r\n"
                                        "请输入合适的工作高度或工作载荷!"}));
    EXPECT_EQ(f.text("Text9"), "45"); // not rewritten
    EXPECT_EQ(f.text("Text12"), "92.128");
    EXPECT_TRUE(f.enabled("Command2"));
    EXPECT_EQ(f.model.report()->design.WorkingHeight1, 40.0F); // the completed one
}

struct FailureCase {
    const char *field;
    const char *text;
    CalculateEnd end;
    std::string box;
    friend void PrintTo(const FailureCase &c, std::ostream *os) { *os << c.field << '=' << c.text; }
};

const std::string kNotEditable =
    "\r\n这一栏现在不能编辑: 请先切换弹簧类型或已知条件, 改正后再计算。";

class CalculateFailures : public ::testing::TestWithParam<FailureCase> {};

TEST_P(CalculateFailures, ShowTheirBoxAndKeepTheWindow) {
    const FailureCase &c = GetParam();
    Form f;
    f.model.typeText(c.field, c.text);
    const CalculateOutcome outcome = f.model.calculate();
    EXPECT_EQ(outcome.end, c.end);
    EXPECT_EQ(f.view.calls, (std::vector<std::string>{c.box}));
    if (c.end == CalculateEnd::InputError) {
        EXPECT_EQ(outcome.field, c.field);
    }
    EXPECT_EQ(f.text("Text16"), "0");
    EXPECT_FALSE(f.enabled("Command2"));
    EXPECT_EQ(f.text(c.field), c.text);
}

INSTANTIATE_TEST_SUITE_P(Table, CalculateFailures,
                         ::testing::Values(
                             // a disabled field is read too, and says so
                             FailureCase{"Text18", "abc", CalculateEnd::InputError,
                                         "error:“节距”不是一个数值 (类型不匹配)。" + kNotEditable},
                             FailureCase{"Text24", "1e39", CalculateEnd::InputError,
                                         "error:“拉伸弹簧初拉力”的数值太大 (溢出)。" +
                                             kNotEditable},
                             // an ideographic space is empty too
                             FailureCase{"Text5", "\u3000 ", CalculateEnd::InputError,
                                         "error:“弹簧中径”是空的, 不是一个数值 (类型不匹配)。"},
                             FailureCase{"Text2", "7x", CalculateEnd::InputError,
                                         "error:“切变模量”不是一个数值 (类型不匹配)。"},
                             FailureCase{"Text6", "28", CalculateEnd::CalculationFault,
                                         "error:曲度系数: 弹簧中径等于材料直径 (除数为零)"}));

TEST(Commands, BlockedWhileInputInvalid) {
    Form f;
    f.model.typeText("Text5", "abc");
    f.model.exitCheck("Text5");
    f.view.calls.clear();
    EXPECT_EQ(f.model.calculate().end, CalculateEnd::Blocked);
    EXPECT_FALSE(f.model.about());
    EXPECT_TRUE(f.view.calls.empty());
    f.model.typeText("Text5", "28");
    f.model.exitCheck("Text5");
    EXPECT_TRUE(f.model.about());
    ASSERT_EQ(f.view.calls.size(), 1U);
    EXPECT_EQ(f.view.calls[0], std::string("information:关于 Orsela|") + AboutBoxText());
}

TEST(About, NineLinesJoinedByCrLf) {
    const std::string text = AboutBoxText();
    EXPECT_EQ(AboutBoxLines().size(), 9U);
    std::size_t breaks = 0;
    for (std::size_t at = text.find("\r\n"); at != std::string::npos;
         at = text.find("\r\n", at + 2)) {
        ++breaks;
    }
    EXPECT_EQ(breaks, 8U);
    EXPECT_FALSE(text.ends_with("\r\n"));
}

TEST(Restart, ReturnsToTheDesignedWindowWithTheNewDate) {
    Form f;
    f.model.selectOption(2);
    f.model.selectOption(4);
    f.model.typeText("Text1", "65Mn");
    f.model.typeText("Text5", "abc");
    f.model.exitCheck("Text5");
    f.model.typeText("Text5", "30");
    f.model.exitCheck("Text5");
    f.model.typeText("Text24", "50");
    f.model.typeText("Text12", "100");
    f.model.calculate();
    f.model.restart("2005年06月02日");
    Form fresh;
    for (const ControlState &state : fresh.model.controls()) {
        const ControlState &now = f.model.control(state.name);
        EXPECT_EQ(now.text, state.text) << state.name;
        EXPECT_EQ(now.enabled, state.enabled) << state.name;
        EXPECT_EQ(now.selected, state.selected) << state.name;
    }
    EXPECT_EQ(f.model.springTypeSign(), kCompressionSpring);
    EXPECT_EQ(f.model.springTypeName(), "压缩弹簧");
    EXPECT_EQ(f.model.springDesign(), SpringDesign{});
    EXPECT_FALSE(f.model.report());
    EXPECT_EQ(f.model.reportDate(), "2005年06月02日");
}

} // namespace
