#include "uibase/qt_prompts.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>

#include "uibase/byte_text.h"

namespace {
QString applicationTitle() { return QApplication::applicationName(); }

QString filterText(const FileFilter& filter) {
    return bytesToQString(filter.description) + QStringLiteral(" (") + bytesToQString(filter.pattern) +
           QStringLiteral(")");
}

// A path as the file system takes it: paths are not store bytes, they are local 8-bit names.
std::string localPath(const QString& path) { return path.isEmpty() ? std::string() : path.toLocal8Bit().toStdString(); }
}  // namespace

void QtPrompts::message(const std::string& text) {
    QMessageBox::information(QApplication::activeWindow(), applicationTitle(), bytesToQString(text));
}

bool QtPrompts::confirm(const std::string& question) {
    return QMessageBox::question(QApplication::activeWindow(), applicationTitle(), bytesToQString(question),
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

std::string QtFileChooser::openFile(const std::string& title, const FileFilter& filter) {
    const QString filters = filterText(filter) + QStringLiteral(";;All files (*.*)");
    return localPath(QFileDialog::getOpenFileName(QApplication::activeWindow(), bytesToQString(title),
                                                  QString(), filters, nullptr, QFileDialog::ReadOnly));
}

std::string QtFileChooser::saveFile(const std::string& title, const FileFilter& filter,
                                    const std::string& defaultExtension, const std::string& suggestedName) {
    QFileDialog dialog(QApplication::activeWindow(), bytesToQString(title), QString(), filterText(filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // Replacing an existing file is asked by the program itself, not by the dialog.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    QString extension = bytesToQString(defaultExtension);
    if (extension.startsWith('.')) extension.remove(0, 1);
    dialog.setDefaultSuffix(extension);
    dialog.selectFile(bytesToQString(suggestedName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return localPath(dialog.selectedFiles().first());
}

std::optional<uint32_t> QtColourPicker::pickColour(uint32_t initial) {
    const QColor start(static_cast<int>(initial & 0xFF), static_cast<int>((initial >> 8) & 0xFF),
                       static_cast<int>((initial >> 16) & 0xFF));
    const QColor chosen = QColorDialog::getColor(start, QApplication::activeWindow());
    if (!chosen.isValid()) return std::nullopt;
    return static_cast<uint32_t>(chosen.red()) | static_cast<uint32_t>(chosen.green()) << 8 |
           static_cast<uint32_t>(chosen.blue()) << 16;
}
