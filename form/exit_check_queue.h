#pragma once

#include <QLineEdit>
#include <QList>
#include <QObject>
#include <QPointer>

#include <functional>

// The exit checks of the numeric fields, in the order the fields were left.
//
// Leaving a field does not check it inside the focus-out event: the check is
// queued and runs once the focus change has been delivered (the yield before
// the numeric test), or at once when a command runs the queue itself. While a
// check runs, and while it puts the focus back into its field, further exits
// are not checks of their own: a refused field never sends the focus into
// another refused field and back, and one exit shows at most one box. A
// refused check drops the fields left on the way: they are checked when they
// are left again.
class ExitCheckQueue : public QObject {
  public:
    struct Hooks {
        // Runs one field's exit check; false when it refused the text (and
        // has put the focus back).
        std::function<bool(QLineEdit *field)> check;
        // True when the field is being left for a control that must never be
        // held up by a check (Exit).
        std::function<bool()> leavingUnchecked;
        // The control that holds the focus now, in the window.
        std::function<QWidget *()> focusWidget;
    };

    explicit ExitCheckQueue(Hooks hooks, QObject *parent = nullptr);

    // A numeric field took the focus: it is the field being edited.
    void entered(QLineEdit *field);
    // The field being edited is no longer one the focus can return to.
    void forgetEdited() { edited_ = nullptr; }
    // A numeric field was left: its check is queued.
    void left(QLineEdit *field);
    // The focus moved to now, inside the window. A window that is not active
    // gets no focus events: the field being edited no longer holding the
    // focus is how such an exit is noticed.
    void focusMoved(QWidget *now);
    // The yield of a command: runs every queued check now.
    void runPending();
    // The window is going: nothing queued may run.
    void clear();

    bool checking() const { return checking_; }
    bool hasPending() const { return !pending_.isEmpty(); }

  private:
    void schedule();
    void runWhenMouseReleased();

    Hooks hooks_;
    QList<QPointer<QLineEdit>> pending_;
    QPointer<QLineEdit> edited_;
    bool scheduled_ = false;
    bool checking_ = false;
};
