#include "app/PictureFileFilter.h"

#include "render/ProfileFiles.h"

#include <QFileSystemModel>

PictureFileFilter::PictureFileFilter(QObject* parent) : QSortFilterProxyModel(parent) {}

bool PictureFileFilter::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const {
    const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
    if (files == nullptr) {
        return true;
    }
    const QModelIndex index = files->index(sourceRow, 0, sourceParent);
    return files->isDir(index) || ProfileFiles::IsAdmitted(files->fileName(index));
}
