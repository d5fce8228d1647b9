#include "QueryRowSource.h"

QueryRowSource::QueryRowSource(DbQuery& query) : query_(query) {
    previous_ = query_.setStateHandler([this](bool active) {
        if (previous_) {
            previous_(active);
        }
        if (active) {
            notifyOpened();
        } else {
            notifyClosed();
        }
    });
}

QueryRowSource::~QueryRowSource() {
    query_.setStateHandler(previous_);
}

int QueryRowSource::position() const {
    return query_.eof() ? query_.recordCount() : query_.recNo();
}

void QueryRowSource::setPosition(int position) {
    if (position >= query_.recordCount()) {
        // After the last row: the last row stays current and the walk is over.
        query_.setRecNo(query_.recordCount() - 1);
        if (!query_.eof()) {
            query_.next();
        }
        return;
    }
    query_.setRecNo(position);
}

QString QueryRowSource::fieldName(int field) const {
    return query_.fields().at(static_cast<size_t>(field)).name;
}

TrpFieldKind QueryRowSource::fieldKind(int field) const {
    return kindOf(query_.fields().at(static_cast<size_t>(field)).kind);
}

QVariant QueryRowSource::value(int field) const {
    if (query_.recNo() < 0) {
        return {};
    }
    return query_.value(fieldName(field));
}

TrpFieldKind QueryRowSource::kindOf(FieldKind kind) {
    switch (kind) {
    case FieldKind::BigInt:
        return TrpFieldKind::LargeInt;
    case FieldKind::Int:
        return TrpFieldKind::Integer;
    case FieldKind::Bit:
        return TrpFieldKind::Boolean;
    case FieldKind::DateTime:
        return TrpFieldKind::DateTime;
    case FieldKind::Text:
        return TrpFieldKind::WideString;
    case FieldKind::LongText:
        return TrpFieldKind::WideMemo;
    }
    return TrpFieldKind::Other;
}
