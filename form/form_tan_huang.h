#pragma once

#include "decimal_separator.h"
#include "exit_check_queue.h"
#include "form_model.h"
#include "form_view.h"
#include "report_text.h"
#include "spring_design.h"
#include "user_dialogs.h"

#include <QString>
#include <QWidget>

#include <functional>
#include <optional>
#include <string>

class QLineEdit;
class QPushButton;
class QRadioButton;

// The one window of the program: the spring design's inputs, the spring
// type and input mode switches, the results and the four commands. What the
// window does is the form model's, which the web page drives too; the window
// keeps what only a desktop window has: the widgets, the focus and its exit
// checks' order, the keyboard and the modal boxes.
class FormTanHuang : public QWidget, private FormView {
    Q_OBJECT

  public:
    using FatalErrorHandler = std::function<void(const QString &message)>;

    // dialogs shows every message box and the save dialog. decimalSeparator
    // is the locale's (UTF-8): fields accept it besides ".", results use it.
    explicit FormTanHuang(UserDialogs &dialogs,
                          std::string decimalSeparator = SystemDecimalSeparator(),
                          QWidget *parent = nullptr);
    ~FormTanHuang() override;
    FormTanHuang(const FormTanHuang &) = delete;
    FormTanHuang &operator=(const FormTanHuang &) = delete;

    // Form-level state.
    bool inputInvalid() const { return model_.inputInvalid(); }
    SpringTypeSign springTypeSign() const { return model_.springTypeSign(); }
    QString springTypeName() const { return QString::fromStdString(model_.springTypeName()); }
    QString reportDate() const { return QString::fromStdString(model_.reportDate()); }
    const SpringDesign &springDesign() const { return model_.springDesign(); }
    // The design of the last completed calculation, as it was calculated,
    // with the spring type; nothing before the first.
    const std::optional<ReportInput> &lastCompletedCalculation() const { return model_.report(); }

    // Controls by their designer number: text(5) is Text5.
    QLineEdit *text(int number) const;
    QRadioButton *option(int number) const;
    QPushButton *command(int number) const;

    // What Calculate does with an error nothing else handles; ShowFatalError
    // unless replaced.
    void setFatalErrorHandler(FatalErrorHandler handler) { fatalError_ = std::move(handler); }

    // The yield of a command that takes the focus: runs, now, the exit check
    // of a field the focus has just left, so that InputInvalid and the
    // field texts are settled before the command reads them.
    void runPendingExitChecks();

  public slots:
    void Command1_Click(); // Calculate
    void Command2_Click(); // Save
    void Command3_Click(); // Exit
    void Command4_Click(); // About

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

  private:
    void Form_Unload();
    void connectControls();
    void centreOnScreen();
    void keepCalculateDefault(QWidget *now);
    bool moveInOptionGroup(QRadioButton *from, int key);

    // Field entry checks.
    bool isNumericField(const QObject *object) const;
    void NumericField_GotFocus(QLineEdit *field);
    void NumericField_LostFocus(QLineEdit *field, Qt::FocusReason reason);
    void focusMovedWithin(QWidget *now);
    bool runExitCheck(QLineEdit *field);
    void returnFocusTo(QLineEdit *field);

    // The model's side: the fields' texts as they stand go to the model
    // before it reads them; what it writes comes back to the widgets.
    void copyTextsToModel();
    void controlChanged(std::string_view name) override;
    void showWarning(const std::string &text) override;
    void showError(const std::string &text) override;
    void showInformation(const std::string &title, const std::string &text) override;

    UserDialogs &dialogs_;
    FatalErrorHandler fatalError_;
    FormModel model_;
    // The path chosen at the last Save, proposed again at the next.
    QString lastReportPath_;

    // Fields left whose exit check has not run yet.
    ExitCheckQueue *exitChecks_ = nullptr;
    bool calculating_ = false;
    bool unloaded_ = false;
    // The application-wide focus watch; cut before the window's members go.
    QMetaObject::Connection focusWatch_;
};
