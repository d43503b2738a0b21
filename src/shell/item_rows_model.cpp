#include "shell/item_rows_model.hpp"

#include <array>

#include "shell/qt_text.hpp"

namespace delist {

ItemRowsModel::ItemRowsModel(const ItemRows& rows, QObject* parent)
    : QAbstractTableModel(parent), rows_(rows) {}

int ItemRowsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int ItemRowsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumns;
}

QVariant ItemRowsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || role != Qt::DisplayRole) return {};
    const auto row = static_cast<std::size_t>(index.row());
    if (row >= rows_.size()) return {};
    return to_qstring(item_row_cell(rows_[row], index.column()));
}

QVariant ItemRowsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    static const std::array<QString, kColumns> titles = {
        QStringLiteral("id"),       QStringLiteral("宝贝标题"), QStringLiteral("掌柜名称"),
        QStringLiteral("等级"),     QStringLiteral("上架日期"), QStringLiteral("下架日期"),
        QStringLiteral("下架时间"), QStringLiteral("价格"),     QStringLiteral("销量"),
        QStringLiteral("id")};
    if (orientation != Qt::Horizontal || section < 0 || section >= kColumns) return {};
    if (role == Qt::DisplayRole) return titles[static_cast<std::size_t>(section)];
    if (role == Qt::TextAlignmentRole) {
        return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
    }
    return {};
}

void ItemRowsModel::begin_append(int count) {
    const int first = static_cast<int>(rows_.size());
    beginInsertRows({}, first, first + count - 1);
}

void ItemRowsModel::end_append() {
    endInsertRows();
}

void ItemRowsModel::begin_clear() {
    beginResetModel();
}

void ItemRowsModel::end_clear() {
    endResetModel();
}

}  // namespace delist
