#include "StatementDef.h"

const ParamDef* StatementDef::param(const QString& paramName) const {
    for (const ParamDef& p : params) {
        if (p.name.compare(paramName, Qt::CaseInsensitive) == 0) {
            return &p;
        }
    }
    return nullptr;
}

QString fieldKindName(FieldKind kind, int size) {
    switch (kind) {
    case FieldKind::BigInt:
        return QStringLiteral("bigint");
    case FieldKind::Int:
        return QStringLiteral("int");
    case FieldKind::Bit:
        return QStringLiteral("bit");
    case FieldKind::DateTime:
        return QStringLiteral("datetime");
    case FieldKind::Text:
        return size > 0 ? QStringLiteral("text(%1)").arg(size) : QStringLiteral("text");
    case FieldKind::LongText:
        return QStringLiteral("long text");
    }
    return QString();
}

QString paramKindName(ParamKind kind, int size) {
    switch (kind) {
    case ParamKind::BigInt:
        return QStringLiteral("bigint");
    case ParamKind::Untyped:
        return QStringLiteral("untyped");
    case ParamKind::Text:
        return QStringLiteral("text(%1)").arg(size);
    case ParamKind::Bit:
        return QStringLiteral("bit");
    }
    return QString();
}
