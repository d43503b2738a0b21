#pragma once
// An analysis list's view of a Grid that the window owns: texts, icons, column titles and the
// colours of the list's colour table. It keeps no copy; the owner reports every change.

#include <QAbstractTableModel>

#include "analysis/grid.hpp"
#include "shell/cell_colours.hpp"

namespace delist {

class GridModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    GridModel(const Grid& grid, const CellColourTable& colours, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The grid's cells and titles may all have changed.
    void grid_changed();
    // The colour table has changed: every cell is drawn anew.
    void colours_changed();

  private:
    const Grid& grid_;
    const CellColourTable& colours_;
};

}  // namespace delist
