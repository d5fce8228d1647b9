#pragma once

class QComboBox;
class QTableView;

// A read-only grid of whole rows that always shows its selected row, draws a row indicator and cell
// lines, lets the user resize its columns and ignores clicks on the column titles.
void setUpRecordGrid(QTableView& grid);

// A choice-only drop-down list whose items are `itemHeight` pixels high.
void setUpChoiceList(QComboBox& list, int itemHeight);
