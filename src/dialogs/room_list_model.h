#pragma once
// The lines of the room list: one per node of a snapshot of the index, built only when
// the view asks for a line, so that a zone of any size fills the list at once.
#include <QAbstractListModel>
#include <vector>

#include "world/world_store.h"

class RoomListModel : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    // Takes the store's nodes in index order; line i is the node at position i.
    void fill(const WorldStore& store);
    void clear();
    RoomIndexNode* nodeAtLine(int line) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    std::vector<RoomIndexNode*> nodes_;
};
