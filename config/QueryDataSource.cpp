#include "QueryDataSource.h"

#include "DbQuery.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QTableView>

QueryDataSource::QueryDataSource(DbQuery& query, std::vector<GridColumn> columns)
    : query_(query), columns_(std::move(columns)) {
    query_.setStateHandler([this](bool active) { queryStateChanged(active); });
    if (query_.isActive()) {
        queryStateChanged(true);
    }
}

QueryDataSource::~QueryDataSource() {
    query_.setStateHandler({});
}

void QueryDataSource::attach(QTableView& grid) {
    grid_ = &grid;
    grid.setModel(this);
    for (int i = 0; i < columnCount(); ++i) {
        grid.setColumnWidth(i, columns_[static_cast<std::size_t>(i)].width);
    }
    connect(grid.selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &QueryDataSource::followGrid);
    setCurrentRow(query_.recNo());
}

void QueryDataSource::setCurrentRow(int row) {
    query_.setRecNo(row);
    if (grid_ != nullptr && query_.recNo() >= 0) {
        grid_->setCurrentIndex(index(query_.recNo(), 0));
        grid_->selectRow(query_.recNo());
    }
    Q_EMIT headerDataChanged(Qt::Vertical, 0, qMax(0, rowCount() - 1));
}

void QueryDataSource::queryStateChanged(bool active) {
    beginResetModel();
    rows_.clear();
    if (active) {
        const int current = query_.recNo();
        for (query_.first(); !query_.eof(); query_.next()) {
            QStringList texts;
            for (const GridColumn& column : columns_) {
                texts.append(cellText(query_.value(column.field), column));
            }
            rows_.push_back(texts);
        }
        query_.setRecNo(current);
    }
    endResetModel();
    if (active) {
        setCurrentRow(query_.recNo());
    }
}

void QueryDataSource::followGrid(const QModelIndex& current, const QModelIndex&) {
    if (current.isValid() && current.row() != query_.recNo()) {
        query_.setRecNo(current.row());
        Q_EMIT headerDataChanged(Qt::Vertical, 0, qMax(0, rowCount() - 1));
    }
}

QString QueryDataSource::cellText(const QVariant& value, const GridColumn& column) const {
    if (!value.isValid() || value.isNull()) {
        return QString();
    }
    if (column.displayValues.size() == 2) {
        return value.toBool() ? column.displayValues.at(0) : column.displayValues.at(1);
    }
    return value.toString();
}

int QueryDataSource::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int QueryDataSource::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant QueryDataSource::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount()) {
        return {};
    }
    switch (role) {
    case Qt::DisplayRole:
        return rows_[static_cast<std::size_t>(index.row())].at(index.column());
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(columns_[static_cast<std::size_t>(index.column())].alignment);
    default:
        return {};
    }
}

QVariant QueryDataSource::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal) {
        if (section < 0 || section >= columnCount()) {
            return {};
        }
        const GridColumn& column = columns_[static_cast<std::size_t>(section)];
        if (role == Qt::DisplayRole) {
            return column.title;
        }
        if (role == Qt::TextAlignmentRole) {
            return QVariant::fromValue(column.alignment);
        }
        return {};
    }
    // The row indicator: an arrow at the current row.
    if (role == Qt::DisplayRole) {
        return section == query_.recNo() ? QStringLiteral("\u25B8") : QString();
    }
    return {};
}
