#include "message_box_dialogs.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace {

// The texts join their lines by CR LF; a plain-text label breaks on LF only.
QString ShownLines(QString text) {
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

void ShowBox(QWidget *parent, QMessageBox::Icon icon, const QString &title, const QString &text) {
    QMessageBox box(icon, title, ShownLines(text), QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Ok);
    box.exec();
}

} // namespace

void MessageBoxDialogs::showWarning(const QString &text) {
    ShowBox(parent_, QMessageBox::Warning, QString::fromUtf8(kApplicationTitle), text);
}

void MessageBoxDialogs::showCritical(const QString &text) {
    ShowBox(parent_, QMessageBox::Critical, QString::fromUtf8(kApplicationTitle), text);
}

void MessageBoxDialogs::showInformation(const QString &title, const QString &text) {
    ShowBox(parent_, QMessageBox::Information, title, text);
}

std::optional<QString> MessageBoxDialogs::askSaveFileName(const QString &title,
                                                          const QString &proposedName,
                                                          const QString &filter,
                                                          const QString &defaultSuffix) {
    QFileDialog dialog(parent_, title);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(filter);
    dialog.setDefaultSuffix(defaultSuffix);
    dialog.selectFile(proposedName);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty()) {
        return std::nullopt;
    }
    // A native chooser may hand back a typed name without the extension.
    QString path = chosen.front();
    if (!defaultSuffix.isEmpty() && QFileInfo(path).suffix().isEmpty()) {
        path += QLatin1Char('.') + defaultSuffix;
    }
    return path;
}
