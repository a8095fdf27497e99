// The order and the number of exit checks: queued on exit, run after the
// focus change or at a command's yield, at most one box per exit.
#include "exit_check_queue.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QWidget>

#include <memory>

namespace {

// Three fields in a window and a queue whose check refuses the texts it is
// told to, recording every field it checks.
struct Bench {
    Bench() {
        for (auto &field : fields) {
            field = new QLineEdit(&window);
        }
        queue = std::make_unique<ExitCheckQueue>(ExitCheckQueue::Hooks{
            [this](QLineEdit *field) {
                checked << field;
                if (duringCheck) {
                    duringCheck(field);
                }
                return field->text() != QStringLiteral("bad");
            },
            [this] { return leavingForExit; }, [] { return QApplication::focusWidget(); }});
    }
    static void settle() {
        for (int i = 0; i < 3; ++i) {
            QCoreApplication::processEvents();
        }
    }

    QWidget window;
    QLineEdit *fields[3] = {};
    std::unique_ptr<ExitCheckQueue> queue;
    QList<QLineEdit *> checked;
    std::function<void(QLineEdit *)> duringCheck;
    bool leavingForExit = false;
};

} // namespace

class ExitCheckQueueTest : public QObject {
    Q_OBJECT

  private slots:
    void twoFieldsLeftBeforeTheCheckRuns_data();
    void twoFieldsLeftBeforeTheCheckRuns();
    void checkRunsAfterTheFocusChangeOrAtTheYield();
    void exitsDuringACheckAreNoChecksOfTheirOwn();
    void leavingForExitQueuesNothing();
    void focusMoveNoticesTheFieldBeingEdited();
    void goneAndDisabledFields();
    void clearDropsEverything();
};

void ExitCheckQueueTest::twoFieldsLeftBeforeTheCheckRuns_data() {
    QTest::addColumn<QString>("first");
    QTest::addColumn<int>("checks");
    // A refused first field puts the focus back: the second is not checked,
    // so one box, not two.
    QTest::newRow("first refused") << QStringLiteral("bad") << 1;
    QTest::newRow("first accepted") << QStringLiteral("4") << 2;
}

void ExitCheckQueueTest::twoFieldsLeftBeforeTheCheckRuns() {
    QFETCH(QString, first);
    QFETCH(int, checks);
    Bench b;
    b.fields[0]->setText(first);
    b.fields[1]->setText(QStringLiteral("bad"));
    b.queue->left(b.fields[0]);
    b.queue->left(b.fields[1]);
    Bench::settle();
    QCOMPARE(b.checked.size(), checks);
    QCOMPARE(b.checked.front(), b.fields[0]);
    QVERIFY(!b.queue->hasPending());
}

void ExitCheckQueueTest::checkRunsAfterTheFocusChangeOrAtTheYield() {
    Bench b;
    b.queue->left(b.fields[0]);
    QVERIFY(b.checked.isEmpty()); // not inside the focus-out
    Bench::settle();
    QCOMPARE(b.checked.size(), 1);
    b.queue->left(b.fields[1]);
    b.queue->runPending(); // a command's yield
    QCOMPARE(b.checked.size(), 2);
    Bench::settle();
    QCOMPARE(b.checked.size(), 2); // and not a second time
}

void ExitCheckQueueTest::exitsDuringACheckAreNoChecksOfTheirOwn() {
    Bench b;
    b.fields[0]->setText(QStringLiteral("bad"));
    // The refused check's box takes the focus from the field, and putting it
    // back leaves the field the focus was in.
    b.duringCheck = [&b](QLineEdit *) {
        QVERIFY(b.queue->checking());
        b.queue->left(b.fields[1]);
        b.queue->runPending();
    };
    b.queue->left(b.fields[0]);
    Bench::settle();
    QCOMPARE(b.checked, QList<QLineEdit *>{b.fields[0]});
    QVERIFY(!b.queue->checking());
}

void ExitCheckQueueTest::leavingForExitQueuesNothing() {
    Bench b;
    b.queue->entered(b.fields[0]);
    b.leavingForExit = true;
    b.queue->left(b.fields[0]);
    Bench::settle();
    QVERIFY(b.checked.isEmpty());
}

void ExitCheckQueueTest::focusMoveNoticesTheFieldBeingEdited() {
    Bench b;
    b.queue->entered(b.fields[0]);
    b.queue->focusMoved(b.fields[0]); // still there
    b.queue->focusMoved(nullptr);     // the window lost the focus: not an exit
    Bench::settle();
    QVERIFY(b.checked.isEmpty());
    b.queue->focusMoved(b.fields[2]);
    b.queue->focusMoved(b.fields[1]); // left once, checked once
    Bench::settle();
    QCOMPARE(b.checked, QList<QLineEdit *>{b.fields[0]});
}

void ExitCheckQueueTest::goneAndDisabledFields() {
    Bench b;
    b.queue->left(b.fields[0]);
    b.queue->left(b.fields[1]);
    delete b.fields[0];
    // A switch disables a field while its check is pending: it is checked all
    // the same (its text still goes into the calculation).
    b.fields[1]->setEnabled(false);
    Bench::settle();
    QCOMPARE(b.checked, QList<QLineEdit *>{b.fields[1]});
}

void ExitCheckQueueTest::clearDropsEverything() {
    Bench b;
    b.queue->entered(b.fields[2]);
    b.queue->left(b.fields[0]);
    b.queue->clear();
    b.queue->focusMoved(b.fields[1]);
    Bench::settle();
    QVERIFY(b.checked.isEmpty());
}

QTEST_MAIN(ExitCheckQueueTest)
#include "test_exit_check_queue.moc"
