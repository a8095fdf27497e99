#pragma once

#include "user_dialogs.h"

#include <QList>
#include <QString>

#include <functional>
#include <optional>

// Answers every box at once and remembers what was shown, in order.
class FakeUserDialogs : public UserDialogs {
  public:
    enum class Kind { Warning, Critical, Information, SaveDialog };
    struct Shown {
        Kind kind;
        QString title;
        QString text;
    };

    void showWarning(const QString &text) override {
        record({Kind::Warning, QString::fromUtf8(kApplicationTitle), text});
    }
    void showCritical(const QString &text) override {
        record({Kind::Critical, QString::fromUtf8(kApplicationTitle), text});
    }
    void showInformation(const QString &title, const QString &text) override {
        record({Kind::Information, title, text});
    }
    std::optional<QString> askSaveFileName(const QString &title, const QString &proposedName,
                                           const QString &filter,
                                           const QString &defaultSuffix) override {
        saveFilter = filter;
        saveDefaultSuffix = defaultSuffix;
        record({Kind::SaveDialog, title, proposedName});
        return saveAnswer;
    }

    QStringList texts() const {
        QStringList result;
        for (const Shown &s : shown) {
            result << s.text;
        }
        return result;
    }

    QList<Shown> shown;
    // Runs while the box is "open", before it returns.
    std::function<void(const Shown &)> whileShown;
    std::optional<QString> saveAnswer;
    QString saveFilter;
    QString saveDefaultSuffix;

  private:
    void record(const Shown &box) {
        shown << box;
        if (whileShown) {
            whileShown(box);
        }
    }
};
