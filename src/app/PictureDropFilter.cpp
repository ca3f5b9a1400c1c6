#include "app/PictureDropFilter.h"

#include "render/ProfileFiles.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QWidget>

PictureDropFilter::PictureDropFilter(QWidget* target) : QObject(target) {
    target->setAcceptDrops(true);
    target->installEventFilter(this);
}

QString PictureDropFilter::DroppedPicture(const QMimeData* mime) {
    if (mime == nullptr || !mime->hasUrls() || mime->urls().size() != 1) {
        return QString();
    }
    const QUrl url = mime->urls().constFirst();
    if (!url.isLocalFile() || !ProfileFiles::IsAdmitted(url.toLocalFile())) {
        return QString();
    }
    return url.toLocalFile();
}

bool PictureDropFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::DragEnter) {
        auto* enter = static_cast<QDragEnterEvent*>(event);
        if (!DroppedPicture(enter->mimeData()).isEmpty()) {
            enter->acceptProposedAction();
            return true;
        }
    } else if (event->type() == QEvent::Drop) {
        auto* drop = static_cast<QDropEvent*>(event);
        const QString path = DroppedPicture(drop->mimeData());
        if (!path.isEmpty()) {
            drop->acceptProposedAction();
            emit Dropped(path);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}
