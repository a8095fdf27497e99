#pragma once

#include "completed_calculation.h"
#include "decimal_separator.h"
#include "exit_check_queue.h"
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
// type and input mode switches, the results and the four commands. It owns
// the design record and the form-level state the commands share.
class FormTanHuang : public QWidget {
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
    bool inputInvalid() const { return InputInvalid_; }
    SpringTypeSign springTypeSign() const { return SpringTypeSign_; }
    const QString &springTypeName() const { return SpringTypeName_; }
    const QString &reportDate() const { return ReportDate_; }
    const SpringDesign &springDesign() const { return SpringDesign_; }
    // The design of the last completed calculation; nothing before the first.
    const std::optional<CompletedCalculation> &lastCompletedCalculation() const {
        return lastCompleted_;
    }

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
    void Option1_Click();  // compression spring
    void Option2_Click();  // extension spring
    void Option3_Click();  // working heights given
    void Option4_Click();  // working loads given

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

  private:
    void Form_Load();
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
    bool CheckNumeric(const QString &text);
    void returnFocusTo(QLineEdit *field);

    // Calculate.
    SpringDesign readInputs() const;
    void writeResults();
    friend class WindowCalculationListener;
    void showTotalCoils(float totalCoils);

    UserDialogs &dialogs_;
    std::string decimalSeparator_;
    FatalErrorHandler fatalError_;

    SpringDesign SpringDesign_;
    bool InputInvalid_ = false;
    SpringTypeSign SpringTypeSign_ = kCompressionSpring;
    QString SpringTypeName_;
    QString ReportDate_;
    std::optional<CompletedCalculation> lastCompleted_;
    // The path chosen at the last Save, proposed again at the next.
    QString lastReportPath_;

    // Fields left whose exit check has not run yet.
    ExitCheckQueue *exitChecks_ = nullptr;
    bool calculating_ = false;
    bool unloaded_ = false;
    // The application-wide focus watch; cut before the window's members go.
    QMetaObject::Connection focusWatch_;
};
