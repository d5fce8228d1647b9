#pragma once

#include <QLocale>
#include <QString>

class DbQuery;

// The text of an "Item Voided" ticket, composed from the current row of the void list: item, remarks,
// the fixed quantity line, order sequence, kind, who voided it, when ("yyyy-MM-dd HH:mm:ss" with the
// locale's time separator) and why, one per line (CR LF between, none after the last). Null texts give
// nothing, a null sequence 0, a null time day zero (30 December 1899, midnight).
QString composeVoidMessage(const DbQuery& voids, const QLocale& locale = QLocale::system());
