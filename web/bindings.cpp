// The form model for the page's script (embind). The page cannot block in a
// box, so the view records what the model asks for, in order, and the
// script shows it afterwards, one box after the other.
#include "form_model.h"
#include "gbk_table_encoding.h"
#include "report_date_text.h"
#include "report_text.h"
#include "utf8_text.h"
#include "window_design.h"

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <cstdio>
#include <string>

using emscripten::val;

namespace {

const char *const kReportFileName = "Orsela结果.doc";

const char *KindName(ControlKind kind) {
    switch (kind) {
    case ControlKind::Frame:
        return "frame";
    case ControlKind::Label:
        return "label";
    case ControlKind::UnitLabel:
        return "unit";
    case ControlKind::InputField:
        return "input";
    case ControlKind::ResultField:
        return "result";
    case ControlKind::OptionButton:
        return "option";
    case ControlKind::CommandButton:
        return "command";
    }
    return "label";
}

class RecordingView : public FormView {
  public:
    const FormModel *model = nullptr;
    val events = val::array();

    void controlChanged(std::string_view name) override {
        const ControlState &state = model->control(name);
        val event = val::object();
        event.set("kind", "changed");
        event.set("name", state.name);
        event.set("text", state.text);
        event.set("enabled", state.enabled);
        events.call<void>("push", event);
    }
    void showWarning(const std::string &text) override { box("warning", "Orsela", text); }
    void showError(const std::string &text) override { box("error", "Orsela", text); }
    void showInformation(const std::string &title, const std::string &text) override {
        box("information", title, text);
    }

  private:
    void box(const char *kind, const std::string &title, const std::string &text) {
        val event = val::object();
        event.set("kind", kind);
        event.set("title", title);
        event.set("text", text);
        events.call<void>("push", event);
    }
};

// The date as the report prints it, from the page's clock.
std::string DateText(int year, int month, int day) {
    return ReportDateText(year, month, day);
}

const char *EndName(CalculateEnd end) {
    switch (end) {
    case CalculateEnd::Blocked:
        return "blocked";
    case CalculateEnd::StoppedByWarning:
        return "stopped";
    case CalculateEnd::Completed:
        return "completed";
    case CalculateEnd::InputError:
        return "inputError";
    case CalculateEnd::CalculationFault:
        return "calculationFault";
    }
    return "blocked";
}

// The desktop's message for a character GBK has no code for, with the file
// name the page downloads.
std::string UnencodableMessage(char32_t c, const std::string &material) {
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(c));
    const std::string character = Utf8OfCodePoint(c);
    std::string message = std::string("无法保存计算书“") + kReportFileName + "”: 字符“" +
                          character + "”(" + code + ") 不能用 GBK 编码保存, 文件未写入";
    if (material.find(character) != std::string::npos) {
        message += "。请修改弹簧材料中的这个字符";
    }
    return message;
}

} // namespace

// One window's model and its recorded view.
class WebForm {
  public:
    explicit WebForm(const std::string &reportDate) : model_(view_, reportDate) {
        view_.model = &model_;
    }

    void restart(const std::string &reportDate) { model_.restart(reportDate); }
    val state(const std::string &name) const {
        const ControlState &s = model_.control(name);
        val result = val::object();
        result.set("text", s.text);
        result.set("enabled", s.enabled);
        result.set("selected", s.selected);
        return result;
    }
    void typeText(const std::string &name, const std::string &text) { model_.typeText(name, text); }
    void selectOption(int number) { model_.selectOption(number); }
    bool exitCheck(const std::string &name) { return model_.exitCheck(name); }
    val calculate() {
        const CalculateOutcome outcome = model_.calculate();
        val result = val::object();
        result.set("end", EndName(outcome.end));
        result.set("field", outcome.field);
        return result;
    }
    bool about() { return model_.about(); }
    bool inputInvalid() const { return model_.inputInvalid(); }
    std::string springTypeName() const { return model_.springTypeName(); }
    std::string reportDate() const { return model_.reportDate(); }

    // What the model asked the view for since the last call, in order.
    val takeEvents() {
        val events = view_.events;
        view_.events = val::array();
        return events;
    }

    // The report of the last completed calculation in GBK, as the desktop
    // writes it: {bytes} or {message}; null before the first completed one.
    val report() const {
        const auto &input = model_.report();
        if (!input) {
            return val::null();
        }
        const GbkTableText gbk = EncodeGbkByTable(BuildReportText(*input));
        val result = val::object();
        if (!gbk.ok) {
            result.set("message", UnencodableMessage(*gbk.unencodable, input->design.Material));
            return result;
        }
        result.set("bytes", val(emscripten::typed_memory_view(
                                    gbk.bytes.size(),
                                    reinterpret_cast<const unsigned char *>(gbk.bytes.data())))
                                .call<val>("slice"));
        return result;
    }

  private:
    RecordingView view_;
    FormModel model_;
};

// The window's design: every control with its kind, container, text and
// place in twips, containers first.
val Design() {
    val result = val::array();
    for (const ControlDesign &d : WindowDesign()) {
        val control = val::object();
        control.set("kind", KindName(d.kind));
        control.set("name", d.name);
        control.set("container", d.container == nullptr ? val::null() : val(d.container));
        control.set("text", std::string(d.text)); // UTF-8; a bare char* would be read as Latin-1
        control.set("left", d.left);
        control.set("top", d.top);
        control.set("width", d.width);
        control.set("height", d.height);
        result.call<void>("push", control);
    }
    return result;
}

val TabChain() {
    val result = val::array();
    for (const char *name : TabOrder()) {
        result.call<void>("push", val(name));
    }
    return result;
}

val ClientSize() {
    val result = val::object();
    result.set("width", kClientWidthTwips);
    result.set("height", kClientHeightTwips);
    result.set("caption", std::string(kWindowCaption));
    return result;
}

EMSCRIPTEN_BINDINGS(orsela) {
    emscripten::function("design", &Design);
    emscripten::function("tabOrder", &TabChain);
    emscripten::function("clientSize", &ClientSize);
    emscripten::function("reportDateText", &DateText);
    emscripten::class_<WebForm>("WebForm")
        .constructor<const std::string &>()
        .function("restart", &WebForm::restart)
        .function("state", &WebForm::state)
        .function("typeText", &WebForm::typeText)
        .function("selectOption", &WebForm::selectOption)
        .function("exitCheck", &WebForm::exitCheck)
        .function("calculate", &WebForm::calculate)
        .function("about", &WebForm::about)
        .function("inputInvalid", &WebForm::inputInvalid)
        .function("springTypeName", &WebForm::springTypeName)
        .function("reportDate", &WebForm::reportDate)
        .function("takeEvents", &WebForm::takeEvents)
        .function("report", &WebForm::report);
}
