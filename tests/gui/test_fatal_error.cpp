// ShowFatalError shows the error, then ends the program.
#include "fatal_error.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <new>
#include <stdexcept>

namespace {

// Prints what it is asked to show, so that the death test can see it.
class PrintingDialogs : public UserDialogs {
  public:
    void showWarning(const QString &) override {}
    void showCritical(const QString &text) override {
        std::fprintf(stderr, "critical box: %s\n", text.toUtf8().constData());
    }
    void showInformation(const QString &, const QString &) override {}
    std::optional<QString> askSaveFileName(const QString &, const QString &, const QString &,
                                           const QString &) override {
        return std::nullopt;
    }
};

TEST(ShowFatalError, ShowsTheErrorThenEndsTheProgram) {
    PrintingDialogs dialogs;
    EXPECT_EXIT(ShowFatalError(dialogs, QStringLiteral("disk gone")),
                testing::ExitedWithCode(EXIT_FAILURE), "critical box: disk gone");
}

TEST(FatalErrorMessage, NamesTheError) {
    EXPECT_EQ(FatalErrorMessage(std::bad_alloc()), QStringLiteral("内存不足"));
    EXPECT_TRUE(FatalErrorMessage(std::runtime_error("socket")).contains(QStringLiteral("socket")));
}

} // namespace
