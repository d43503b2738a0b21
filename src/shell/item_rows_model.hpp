#pragma once
// The data list's view of the window's ItemRows: ten text columns. It keeps no copy; rows are
// only appended or cleared all together, and the owner reports both around the change.

#include <QAbstractTableModel>

#include "market/item_row.hpp"

namespace delist {

class ItemRowsModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    static constexpr int kColumns = 10;

    explicit ItemRowsModel(const ItemRows& rows, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Around an append of count rows at the end.
    void begin_append(int count);
    void end_append();
    // Around removing every row.
    void begin_clear();
    void end_clear();

  private:
    const ItemRows& rows_;
};

}  // namespace delist
