#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <vector>

class DbQuery;
class QTableView;

// One column of a grid over a query.
struct GridColumn {
    QString field;
    QString title;
    int width = 64;
    // Of the title and of the cells.
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    // For a boolean field: the texts shown for true and for false ("Yes", "No"); NULL shows nothing.
    QStringList displayValues;
};

// Connects a query to a grid: the grid shows the query's rows as they were when it opened (and nothing
// while it is closed), and the grid's selected row is the query's current row, in both directions. The
// row indicator marks the current row. The query must outlive the data source.
class QueryDataSource final : public QAbstractTableModel {
    Q_OBJECT
public:
    QueryDataSource(DbQuery& query, std::vector<GridColumn> columns);
    ~QueryDataSource() override;

    // Shows the query in the grid, with the columns' titles and widths.
    void attach(QTableView& grid);
    // Makes a row current in the query and selects it in the grid; a row out of range makes the first
    // row current.
    void setCurrentRow(int row);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    void queryStateChanged(bool active);
    void followGrid(const QModelIndex& current, const QModelIndex& previous);
    QString cellText(const QVariant& value, const GridColumn& column) const;

    DbQuery& query_;
    std::vector<GridColumn> columns_;
    std::vector<QStringList> rows_;
    QTableView* grid_ = nullptr;
};
