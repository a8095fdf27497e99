// Save: the calculation report of the last completed calculation, in GBK,
// to a file the user chooses.
#include "form_tan_huang.h"
#include "report_file.h"

#include <exception>

namespace {

const char *const kDialogTitle = "保存";
const char *const kProposedName = "Orsela结果";
const char *const kFilter = "*.doc (*.doc)";
const char *const kDefaultSuffix = "doc";

} // namespace

void FormTanHuang::Command2_Click() {
    // The yield before the dialog: a field just left is checked first.
    runPendingExitChecks();
    // Save is enabled by the first completed calculation; nothing to save
    // before it, whatever started the command.
    const std::optional<ReportInput> &report = model_.report();
    if (!report) {
        return;
    }
    const std::optional<QString> path = dialogs_.askSaveFileName(
        QString::fromUtf8(kDialogTitle),
        lastReportPath_.isEmpty() ? QString::fromUtf8(kProposedName) : lastReportPath_,
        QString::fromUtf8(kFilter), QString::fromUtf8(kDefaultSuffix));
    if (!path) {
        return; // cancelled: nothing opened, written or shown
    }
    lastReportPath_ = *path;

    ReportWriteResult written;
    try {
        written = WriteReportFile(path->toStdString(), *report, model_.decimalSeparator());
    } catch (const std::exception &) {
        // Out of memory while building or encoding: the file is untouched.
        written = {false, "无法保存计算书“" + path->toStdString() + "”: 内存不足。"};
    }
    if (!written.ok) {
        dialogs_.showWarning(QString::fromStdString(written.message));
    }
}
