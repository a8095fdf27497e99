#pragma once

#include "form_view.h"
#include "report_text.h"
#include "spring_design.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The state of one control of the window as the model holds it.
struct ControlState {
    std::string name; // designer name: "Text5", "Option3", "Command2", "Label1" ...
    std::string text; // a field's text; the caption of any other control
    bool enabled = true;
    bool selected = false; // option buttons only
};

// How a Calculate ended.
enum class CalculateEnd {
    Blocked,          // InputInvalid: nothing read, computed or shown
    StoppedByWarning, // the warning was shown; the results stay as they were
    Completed,        // the sixteen results written, Save enabled
    InputError,       // a field cannot be converted; the box was shown
    CalculationFault, // division by zero or overflow; the box was shown
};

struct CalculateOutcome {
    CalculateEnd end = CalculateEnd::Blocked;
    std::string field; // InputError: the field that cannot be converted
};

// The window's behaviour without any toolkit: the controls' texts and
// states, the form-level state (SpringDesign, InputInvalid, the spring type,
// the report date), the switches, the field exit checks, Calculate and
// About. The view keeps the widgets, the focus, the keyboard and the
// modality of its boxes; it tells the model what the user typed and which
// command ran, and shows what the model tells it through FormView.
class FormModel {
  public:
    // reportDate: "yyyy年mm月dd日", the day the program started.
    // decimalSeparator: the locale's (UTF-8); fields accept it besides ".",
    // results use it.
    FormModel(FormView &view, std::string reportDate, std::string decimalSeparator = ".");

    // The designed window and the start values again, as a new start of the
    // program shows them; nothing of the last calculation is kept. The view
    // shows every control anew.
    void restart(std::string reportDate);

    // Every control of the window, in the order of the design (containers
    // before what they hold).
    const std::vector<ControlState> &controls() const { return controls_; }
    // Throws std::out_of_range for a name the window does not have.
    const ControlState &control(std::string_view name) const;
    // The user has edited a text field. Nothing else happens until the
    // field is left.
    void typeText(std::string_view name, std::string text);

    bool inputInvalid() const { return InputInvalid_; }
    SpringTypeSign springTypeSign() const { return SpringTypeSign_; }
    const std::string &springTypeName() const { return SpringTypeName_; }
    const std::string &reportDate() const { return ReportDate_; }
    const std::string &decimalSeparator() const { return decimalSeparator_; }
    const SpringDesign &springDesign() const { return SpringDesign_; }

    // The switches: selects OptionN (1 to 4) in its group and runs its click
    // handler. Selecting the selected one again changes nothing.
    void selectOption(int number);

    // The exit check of a field left by the focus. Returns false when the
    // text is refused: the box has been shown, InputInvalid is True, and the
    // view puts the focus back into the field. Fields without a check
    // (Text1, the results) always pass.
    bool exitCheck(std::string_view name);

    // Calculate from the reading of the fields on. The view has moved the
    // focus onto Command1 and run the exit check of a field just left.
    CalculateOutcome calculate();

    // About: the box, unless InputInvalid. Returns whether it was shown.
    bool about();

    // What Save writes: the last completed calculation, as it was then
    // calculated, with the report date; nothing before the first.
    const std::optional<ReportInput> &report() const { return lastCompleted_; }

  private:
    ControlState &mutableControl(std::string_view name);
    void setText(std::string_view name, std::string text);
    void setEnabled(std::string_view name, bool enabled);
    void Option1_Click();
    void Option2_Click();
    void Option3_Click();
    void Option4_Click();
    void writeResults();
    friend class ModelCalculationListener;

    FormView &view_;
    std::string decimalSeparator_;
    std::vector<ControlState> controls_;

    SpringDesign SpringDesign_;
    bool InputInvalid_ = false;
    SpringTypeSign SpringTypeSign_ = kCompressionSpring;
    std::string SpringTypeName_;
    std::string ReportDate_;
    std::optional<ReportInput> lastCompleted_;
};
