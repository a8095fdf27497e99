#include "message_box_dialogs.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QMessageBox>
#include <QSplitter>
#include <QStandardPaths>
#include <QTreeView>

#include <algorithm>

namespace {

// Room a title bar takes besides its text: the icon, the window manager's
// buttons and the margins.
constexpr int kTitleBarAllowance = 160;
// The save dialog opens large enough for its columns to show their values.
constexpr QSize kSaveDialogSize{780, 460};

// The texts join their lines by CR LF; a plain-text label breaks on LF only.
QString ShownLines(QString text) {
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

// QMessageBox wraps lines longer than half the screen (at most 500 px) and
// knows nothing of its title. A label at least as wide as its longest line,
// and as the title needs, keeps every line on one line and the title whole.
void WidenToTextAndTitle(QMessageBox &box, const QString &title, const QString &shown) {
    auto *label = box.findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
    if (label == nullptr || box.layout() == nullptr) {
        return;
    }
    const QFontMetrics metrics(label->font());
    int widest = 0;
    for (const QString &line : shown.split(QLatin1Char('\n'))) {
        widest = std::max(widest, metrics.horizontalAdvance(line));
    }
    label->setMinimumWidth(widest + 2 * metrics.averageCharWidth());
    box.layout()->activate();
    const int titleNeeds =
        QFontMetrics(QApplication::font()).horizontalAdvance(title) + kTitleBarAllowance;
    const int boxMinimum = box.layout()->totalMinimumSize().width();
    if (boxMinimum < titleNeeds) {
        label->setMinimumWidth(label->minimumWidth() + titleNeeds - boxMinimum);
    }
}

void ShowBox(QWidget *parent, QMessageBox::Icon icon, const QString &title, const QString &text) {
    const QString shown = ShownLines(text);
    QMessageBox box(icon, title, shown, QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Ok);
    WidenToTextAndTitle(box, title, shown);
    box.exec();
}

// Where the first Save starts: the user's documents, else the home folder.
QString StartFolder() {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

// The file list's columns (name, size, type, date) take the width of their
// values; the name column takes what is left.
void ShowColumnsWhole(QFileDialog &dialog) {
    if (auto *list = dialog.findChild<QTreeView *>(QStringLiteral("treeView"))) {
        QHeaderView *header = list->header();
        header->setStretchLastSection(false);
        header->setMinimumSectionSize(header->fontMetrics().averageCharWidth() * 6);
        for (int column = 1; column < header->count(); ++column) {
            header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
        }
        header->setSectionResizeMode(0, QHeaderView::Stretch);
    }
    // The places on the left wide enough for a folder's name.
    if (auto *splitter = dialog.findChild<QSplitter *>(QStringLiteral("splitter"))) {
        const int places = dialog.fontMetrics().averageCharWidth() * 24;
        splitter->setSizes({places, kSaveDialogSize.width() - places});
    }
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
    dialog.setViewMode(QFileDialog::Detail);
    dialog.setNameFilter(filter);
    dialog.setDefaultSuffix(defaultSuffix);
    // A bare name (the first Save) starts in the documents folder; a full
    // path (a later Save) in its own.
    const QFileInfo proposed(proposedName);
    dialog.setDirectory(proposed.isAbsolute() ? proposed.absolutePath() : StartFolder());
    dialog.selectFile(proposed.isAbsolute() ? proposed.fileName() : proposedName);
    ShowColumnsWhole(dialog);
    dialog.resize(kSaveDialogSize);
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
