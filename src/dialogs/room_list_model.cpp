#include "dialogs/room_list_model.h"

#include "uibase/byte_text.h"
#include "world/room_line.h"

void RoomListModel::fill(const WorldStore& store) {
    beginResetModel();
    nodes_ = store.nodes();
    endResetModel();
}

void RoomListModel::clear() {
    beginResetModel();
    nodes_.clear();
    endResetModel();
}

RoomIndexNode* RoomListModel::nodeAtLine(int line) const {
    return line >= 0 && static_cast<size_t>(line) < nodes_.size() ? nodes_[line] : nullptr;
}

int RoomListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(nodes_.size());
}

QVariant RoomListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole) return {};
    const RoomIndexNode* node = nodeAtLine(index.row());
    if (!node) return {};
    return bytesToQString(roomLine(node->vnum, node->room ? node->room->name : std::string()));
}
