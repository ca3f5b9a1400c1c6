#pragma once

#include <QObject>
#include <QString>

class QMimeData;
class QWidget;

// Lets a window take one picture file dropped on it, of a type the open sheet
// admits; other drags are refused.
class PictureDropFilter : public QObject {
    Q_OBJECT

public:
    // Watches target, which then accepts drops; owned by target.
    explicit PictureDropFilter(QWidget* target);

    // The picture file a drag carries, or an empty string.
    static QString DroppedPicture(const QMimeData* mime);

signals:
    void Dropped(const QString& path);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
