#include "form_tan_huang.h"

#include "disabled_text_contrast.h"
#include "fatal_error.h"
#include "form_builder.h"
#include "form_fonts.h"
#include "program_icon.h"
#include "report_date.h"
#include "window_design.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShortcut>

namespace {

// Only the selected button of an option group stands in the Tab chain; the
// other is reached with the arrow keys or the mouse, as in any radio group.
void KeepSelectedOptionInTabChain(QRadioButton *option) {
    option->setFocusPolicy(option->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
}

} // namespace

FormTanHuang::FormTanHuang(UserDialogs &dialogs, std::string decimalSeparator, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      dialogs_(dialogs),
      fatalError_([&dialogs](const QString &message) { ShowFatalError(dialogs, message); }),
      model_(*this, TodaysReportDate(), std::move(decimalSeparator)) {
    setObjectName(QStringLiteral("FormTanHuang"));
    setWindowTitle(QString::fromUtf8(kWindowCaption));
    setWindowIcon(ProgramIcon());
    setFont(WindowFont());
    setPalette(WithReadableDisabledText(palette()));
    setFixedSize(TwipsToPixels(kClientWidthTwips), TwipsToPixels(kClientHeightTwips));
    exitChecks_ = new ExitCheckQueue({[this](QLineEdit *field) { return runExitCheck(field); },
                                      // Leaving for Exit is never held up by a check.
                                      [this] { return focusWidget() == command(3); },
                                      [this] { return focusWidget(); }},
                                     this);

    BuildWindowControls(this);
    connectControls();
    centreOnScreen();
}

QLineEdit *FormTanHuang::text(int number) const {
    return findChild<QLineEdit *>(QStringLiteral("Text%1").arg(number));
}

QRadioButton *FormTanHuang::option(int number) const {
    return findChild<QRadioButton *>(QStringLiteral("Option%1").arg(number));
}

QPushButton *FormTanHuang::command(int number) const {
    return findChild<QPushButton *>(QStringLiteral("Command%1").arg(number));
}

void FormTanHuang::connectControls() {
    // The Tab chain of the design.
    QWidget *previous = nullptr;
    for (const char *name : TabOrder()) {
        auto *control = findChild<QWidget *>(QString::fromUtf8(name));
        if (previous != nullptr) {
            setTabOrder(previous, control);
        }
        previous = control;
    }

    for (int number = 1; number <= 4; ++number) {
        QRadioButton *button = option(number);
        KeepSelectedOptionInTabChain(button);
        connect(button, &QRadioButton::toggled, this, [this, button, number](bool selected) {
            KeepSelectedOptionInTabChain(button);
            if (!selected || unloaded_) {
                return;
            }
            copyTextsToModel();
            model_.selectOption(number);
        });
    }

    connect(command(1), &QPushButton::clicked, this, &FormTanHuang::Command1_Click);
    connect(command(2), &QPushButton::clicked, this, &FormTanHuang::Command2_Click);
    connect(command(3), &QPushButton::clicked, this, &FormTanHuang::Command3_Click);
    connect(command(4), &QPushButton::clicked, this, &FormTanHuang::Command4_Click);
    command(1)->setDefault(true);
    for (int number = 1; number <= 3; ++number) {
        command(number)->installEventFilter(this); // their access keys
    }
    for (int number = 1; number <= 4; ++number) {
        option(number)->installEventFilter(this); // Up and Down in the group
    }

    // Esc anywhere in the window is the cancel button's.
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WindowShortcut);
    connect(escape, &QShortcut::activated, this, &FormTanHuang::Command3_Click);

    for (int number = 1; number <= 24; ++number) {
        text(number)->installEventFilter(this); // checks and access keys
    }
    focusWatch_ = connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) {
        keepCalculateDefault(now);
        focusMovedWithin(now);
    });
}

FormTanHuang::~FormTanHuang() {
    // The base class hides and destroys the controls after this, which moves
    // the focus: no check may run on a window that is half gone.
    disconnect(focusWatch_);
    unloaded_ = true;
}

void FormTanHuang::keepCalculateDefault(QWidget *now) {
    // A push button that takes the focus shows the default frame itself and
    // loses it again when it is left, Calculate's included: everywhere else
    // in the window the frame is Calculate's, since Enter runs it there.
    if (now == nullptr || now->window() != this || unloaded_) {
        return;
    }
    command(1)->setDefault(qobject_cast<QPushButton *>(now) == nullptr || now == command(1));
}

bool FormTanHuang::moveInOptionGroup(QRadioButton *from, int key) {
    // Up and Down move between the two buttons of a group, as Left and Right
    // do, wrapping round: the other button takes the focus and is selected.
    if (key != Qt::Key_Up && key != Qt::Key_Down) {
        return false;
    }
    const int number = from->objectName().mid(6).toInt(); // "Option3"
    QRadioButton *other = option(number % 2 == 1 ? number + 1 : number - 1);
    if (other == nullptr || !other->isEnabled()) {
        return false;
    }
    other->setFocus(Qt::TabFocusReason);
    other->click();
    return true;
}

void FormTanHuang::centreOnScreen() {
    if (const QScreen *screen = QApplication::primaryScreen()) {
        const QRect available = screen->availableGeometry();
        move(available.center() - QPoint(width() / 2, height() / 2));
    }
}

bool FormTanHuang::eventFilter(QObject *watched, QEvent *event) {
    if (event->type() == QEvent::Shortcut) {
        // Alt+C, Alt+S, Alt+X: move the focus onto the button, as a click
        // does, then run it at once. The button's own delayed click would let
        // a refused field's check run in between and then run a second time.
        if (auto *button = qobject_cast<QPushButton *>(watched)) {
            if (button->isEnabled() && !unloaded_) {
                button->setFocus(Qt::ShortcutFocusReason);
                button->click();
            }
            return true;
        }
    }
    if (event->type() == QEvent::KeyPress && qobject_cast<QLineEdit *>(watched) != nullptr) {
        // Alt with a letter is an access key, never typing: Alt+S while Save
        // is disabled must not put an "s" into the field.
        const auto *key = static_cast<QKeyEvent *>(event);
        const auto modifiers = key->modifiers() & ~Qt::ShiftModifier;
        if (modifiers == Qt::AltModifier && !key->text().isEmpty()) {
            return true;
        }
    }
    if (event->type() == QEvent::KeyPress) {
        if (auto *button = qobject_cast<QRadioButton *>(watched);
            button != nullptr &&
            (static_cast<QKeyEvent *>(event)->modifiers() & ~Qt::KeypadModifier) ==
                Qt::NoModifier &&
            moveInOptionGroup(button, static_cast<QKeyEvent *>(event)->key())) {
            return true;
        }
    }
    if (isNumericField(watched)) {
        auto *field = static_cast<QLineEdit *>(watched);
        if (event->type() == QEvent::FocusIn) {
            NumericField_GotFocus(field);
        } else if (event->type() == QEvent::FocusOut) {
            NumericField_LostFocus(field, static_cast<QFocusEvent *>(event)->reason());
        }
    }
    return QWidget::eventFilter(watched, event);
}

void FormTanHuang::keyPressEvent(QKeyEvent *event) {
    // Enter in a text field or an option button reaches the window: it runs
    // the default button. A focused push button has taken it already.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        event->accept();
        if (command(1)->isEnabled()) {
            Command1_Click();
        }
        return;
    }
    QWidget::keyPressEvent(event);
}

void FormTanHuang::Command3_Click() {
    close();
}

void FormTanHuang::closeEvent(QCloseEvent *event) {
    Form_Unload();
    event->accept();
}

void FormTanHuang::Form_Unload() {
    // Closing ends the program at once, without a question: nothing that is
    // still queued for the window may run after this.
    unloaded_ = true;
    exitChecks_->clear();
}

void FormTanHuang::Command4_Click() {
    if (unloaded_) {
        return;
    }
    command(4)->setFocus(Qt::OtherFocusReason);
    runPendingExitChecks();
    model_.about();
}

void FormTanHuang::copyTextsToModel() {
    // Every field, as it stands: a text set without an edit (by a paste, or
    // by a test) counts as typed.
    for (const ControlState &control : model_.controls()) {
        if (const auto *field = findChild<QLineEdit *>(QString::fromStdString(control.name))) {
            model_.typeText(control.name, field->text().toStdString());
        }
    }
}

void FormTanHuang::controlChanged(std::string_view name) {
    const ControlState &state = model_.control(name);
    auto *control = findChild<QWidget *>(QString::fromUtf8(name.data(), qsizetype(name.size())));
    if (auto *field = qobject_cast<QLineEdit *>(control)) {
        // A text written again unchanged keeps its cursor and undo history.
        const QString text = QString::fromStdString(state.text);
        if (field->text() != text) {
            field->setText(text);
        }
    }
    control->setEnabled(state.enabled);
}

void FormTanHuang::showWarning(const std::string &text) {
    dialogs_.showWarning(QString::fromStdString(text));
}

void FormTanHuang::showError(const std::string &text) {
    dialogs_.showCritical(QString::fromStdString(text));
}

void FormTanHuang::showInformation(const std::string &title, const std::string &text) {
    dialogs_.showInformation(QString::fromStdString(title), QString::fromStdString(text));
}
