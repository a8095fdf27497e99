#pragma once

#include <QString>

#include <optional>

// The application title every message box without a title of its own shows.
inline constexpr const char *kApplicationTitle = "Orsela";

// Every modal question and message of the program goes through this, so
// that the window can be driven without a modal loop in tests. Texts of
// several lines are joined by CR LF; each call returns when the user has
// closed the box.
class UserDialogs {
  public:
    virtual ~UserDialogs() = default;

    // Exclamation icon, OK only, the application title.
    virtual void showWarning(const QString &text) = 0;
    // Critical (stop) icon, OK only, the application title.
    virtual void showCritical(const QString &text) = 0;
    // Information icon, OK only, a title of its own.
    virtual void showInformation(const QString &title, const QString &text) = 0;

    // A modal save-file chooser. filter is in Qt's form ("*.doc (*.doc)");
    // defaultSuffix (without the dot) is added to a name typed without one.
    // Returns the chosen full path, or nothing when the user cancelled.
    virtual std::optional<QString> askSaveFileName(const QString &title,
                                                   const QString &proposedName,
                                                   const QString &filter,
                                                   const QString &defaultSuffix) = 0;
};
