#include "exit_check_queue.h"

#include <QApplication>
#include <QLineEdit>
#include <QScopeGuard>
#include <QTimer>

#include <utility>

namespace {

// How long to wait before looking again while a mouse button is held: a
// check must not open its box between the press and the release of a click.
constexpr int kMouseHeldRetryMs = 20;

} // namespace

ExitCheckQueue::ExitCheckQueue(Hooks hooks, QObject *parent)
    : QObject(parent), hooks_(std::move(hooks)) {}

void ExitCheckQueue::entered(QLineEdit *field) {
    edited_ = field;
}

void ExitCheckQueue::left(QLineEdit *field) {
    if (checking_) {
        return;
    }
    if (edited_ == field) {
        edited_ = nullptr;
    }
    if (hooks_.leavingUnchecked && hooks_.leavingUnchecked()) {
        return;
    }
    pending_.append(field);
    schedule();
}

void ExitCheckQueue::focusMoved(QWidget *now) {
    if (now == nullptr || edited_.isNull() || now == edited_) {
        return;
    }
    left(edited_);
}

void ExitCheckQueue::schedule() {
    if (scheduled_) {
        return;
    }
    scheduled_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            scheduled_ = false;
            runWhenMouseReleased();
        },
        Qt::QueuedConnection);
}

void ExitCheckQueue::runWhenMouseReleased() {
    if (QApplication::mouseButtons() == Qt::NoButton) {
        runPending();
        return;
    }
    scheduled_ = true;
    QTimer::singleShot(kMouseHeldRetryMs, this, [this] {
        scheduled_ = false;
        runWhenMouseReleased();
    });
}

void ExitCheckQueue::runPending() {
    if (checking_) {
        return; // the check already running goes on with the rest
    }
    if (hooks_.focusWidget) {
        focusMoved(hooks_.focusWidget());
    }
    while (!pending_.isEmpty()) {
        const QPointer<QLineEdit> field = pending_.takeFirst();
        if (field.isNull()) {
            continue;
        }
        checking_ = true;
        const auto done = qScopeGuard([this] { checking_ = false; });
        const bool accepted = hooks_.check(field);
        if (!accepted) {
            pending_.clear();
        }
    }
}

void ExitCheckQueue::clear() {
    pending_.clear();
    edited_ = nullptr;
}
