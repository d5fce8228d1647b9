#include "SettingsControls.h"

#include <QComboBox>
#include <QHeaderView>
#include <QStyledItemDelegate>
#include <QTableView>

namespace {

class FixedHeightItems final : public QStyledItemDelegate {
public:
    FixedHeightItems(int height, QObject* parent) : QStyledItemDelegate(parent), height_(height) {}

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return {QStyledItemDelegate::sizeHint(option, index).width(), height_};
    }

private:
    int height_;
};

} // namespace

void setUpRecordGrid(QTableView& grid) {
    grid.setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid.setSelectionBehavior(QAbstractItemView::SelectRows);
    grid.setSelectionMode(QAbstractItemView::SingleSelection);
    grid.setShowGrid(true);
    grid.setSortingEnabled(false);
    grid.setWordWrap(false);
    QHeaderView* titles = grid.horizontalHeader();
    titles->setSectionResizeMode(QHeaderView::Interactive);
    titles->setSectionsClickable(false);
    titles->setHighlightSections(false);
    titles->setStretchLastSection(false);
    QHeaderView* indicator = grid.verticalHeader();
    indicator->setSectionResizeMode(QHeaderView::Fixed);
    indicator->setSectionsClickable(false);
    indicator->setDefaultSectionSize(grid.fontMetrics().height() + 5);
    indicator->setFixedWidth(14);
    // The selected row stays marked while another control has the focus.
    QPalette palette = grid.palette();
    for (const QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText}) {
        palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
    }
    grid.setPalette(palette);
}

void setUpChoiceList(QComboBox& list, int itemHeight) {
    list.setEditable(false);
    list.setItemDelegate(new FixedHeightItems(itemHeight, &list));
}
