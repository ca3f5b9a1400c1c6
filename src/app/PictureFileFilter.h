#pragma once

#include <QSortFilterProxyModel>

// Shows folders and the picture files the open sheet admits, files without an
// extension included (which no name filter pattern can express).
class PictureFileFilter : public QSortFilterProxyModel {
    Q_OBJECT

public:
    explicit PictureFileFilter(QObject* parent = nullptr);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;
};
