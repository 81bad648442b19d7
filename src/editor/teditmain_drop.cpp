// Dropping a world file on the main window: it loads as "&Load .wld..." with that file
// chosen would, question included. Any other drag is refused, except the text drags the
// text fields take themselves.
#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

#include "editor/teditmain.h"
#include "editor/world_file_drop.h"

std::string droppedWorldFile(const QMimeData* data) {
    if (!data || !data->hasUrls()) return {};
    const QList<QUrl> urls = data->urls();
    if (urls.size() != 1 || !urls.front().isLocalFile()) return {};
    const QFileInfo file(urls.front().toLocalFile());
    if (file.suffix().compare(QLatin1String("wld"), Qt::CaseInsensitive) != 0 || !file.isFile()) return {};
    // The name as the file system takes it, as the open dialog gives it.
    return QFile::encodeName(file.filePath()).toStdString();
}

bool TEditMain::worldFileDrag(QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop) return false;
    auto* drag = static_cast<QDropEvent*>(event);
    // One file at a time: nothing is taken while a file is being read.
    const std::string path = isEnabled() && !reading_ ? droppedWorldFile(drag->mimeData()) : std::string();
    if (path.empty()) return false;
    drag->setDropAction(Qt::CopyAction);
    drag->accept();
    // The load runs once the drop has returned to the window system: the question and
    // the read would otherwise keep the application the file came from waiting.
    // A drop already taken when another read began is let go.
    if (type == QEvent::Drop) {
        QTimer::singleShot(0, this, [this, path] {
            if (!reading_) loadChosenFile(path);
        });
    }
    return true;
}

void TEditMain::dragEnterEvent(QDragEnterEvent* event) {
    if (!worldFileDrag(event)) event->ignore();
}

void TEditMain::dragMoveEvent(QDragMoveEvent* event) {
    if (!worldFileDrag(event)) event->ignore();
}

void TEditMain::dropEvent(QDropEvent* event) {
    if (!worldFileDrag(event)) event->ignore();
}
