#include "shell/grid_model.hpp"

#include <QColor>

#include "shell/grid_icons.hpp"
#include "shell/qt_text.hpp"

namespace delist {

namespace {

QColor to_qcolor(ColourValue value) {
    return QColor(static_cast<int>(value & 0xff), static_cast<int>(value >> 8 & 0xff),
                  static_cast<int>(value >> 16 & 0xff));
}

}  // namespace

GridModel::GridModel(const Grid& grid, const CellColourTable& colours, QObject* parent)
    : QAbstractTableModel(parent), grid_(grid), colours_(colours) {}

int GridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : Grid::kRows;
}

int GridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : Grid::kColumns;
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    const int row = index.row();
    const int column = index.column();
    switch (role) {
        case Qt::DisplayRole:
            return to_qstring(grid_.cell_text(row, column));
        case Qt::DecorationRole: {
            const QIcon icon = grid_icon(grid_.cell_icon(row, column));
            return icon.isNull() ? QVariant() : QVariant(icon);
        }
        case Qt::ForegroundRole:
        case Qt::BackgroundRole: {
            const CellColour* entry = colours_.find(row, column);
            const ColourValue own =
                role == Qt::ForegroundRole ? colours_.own_text() : colours_.own_background();
            if (!entry) return to_qcolor(own);
            return to_qcolor(role == Qt::ForegroundRole ? entry->text_colour : entry->background);
        }
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
        default:
            return {};
    }
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= Grid::kColumns) return {};
    if (role == Qt::DisplayRole) return to_qstring(grid_.column_title(section));
    if (role == Qt::TextAlignmentRole) {
        return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
    }
    return {};
}

void GridModel::grid_changed() {
    beginResetModel();
    endResetModel();
}

void GridModel::colours_changed() {
    emit dataChanged(index(0, 0), index(Grid::kRows - 1, Grid::kColumns - 1),
                     {Qt::ForegroundRole, Qt::BackgroundRole});
}

}  // namespace delist
