#pragma once

#include "user_dialogs.h"

#include <QPointer>
#include <QWidget>

// The real dialogs: QMessageBox and QFileDialog, modal to the main window.
class MessageBoxDialogs : public UserDialogs {
  public:
    // The window the boxes are centred on and modal to; may be set later.
    void setParentWidget(QWidget *parent) { parent_ = parent; }

    void showWarning(const QString &text) override;
    void showCritical(const QString &text) override;
    void showInformation(const QString &title, const QString &text) override;
    std::optional<QString> askSaveFileName(const QString &title, const QString &proposedName,
                                           const QString &filter,
                                           const QString &defaultSuffix) override;

  private:
    QPointer<QWidget> parent_;
};
