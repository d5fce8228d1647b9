#include "TrpJsonData.h"

#include "TrpError.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <cmath>
#include <limits>

namespace {

QDateTime parseIso(const QString& text) {
    static const QRegularExpression iso(
        QStringLiteral(R"(^\d{4}-\d{2}-\d{2}([T ]\d{2}:\d{2}(:\d{2}(\.\d{1,3})?)?)?$)"));
    if (!iso.match(text).hasMatch()) {
        return {};
    }
    QString normal = text;
    if (normal.size() > 10) {
        normal[10] = QLatin1Char('T');
    } else {
        normal += QLatin1String("T00:00:00");
    }
    return QDateTime::fromString(normal, Qt::ISODateWithMs);
}

bool isWhole(double v) {
    return std::isfinite(v) && std::floor(v) == v && std::fabs(v) < 9.0e15;
}

// The kind a column's values call for.
TrpFieldKind kindOf(const std::vector<QJsonValue>& values) {
    bool any = false;
    bool allNumbers = true;
    bool allWhole = true;
    bool allInt32 = true;
    bool allBools = true;
    bool allDates = true;
    for (const QJsonValue& v : values) {
        if (v.isNull() || v.isUndefined()) {
            continue;
        }
        any = true;
        allBools = allBools && v.isBool();
        allNumbers = allNumbers && v.isDouble();
        if (v.isDouble()) {
            const double d = v.toDouble();
            allWhole = allWhole && isWhole(d);
            allInt32 = allInt32 && isWhole(d) && d >= std::numeric_limits<qint32>::min() &&
                       d <= std::numeric_limits<qint32>::max();
        }
        allDates = allDates && v.isString() && parseIso(v.toString()).isValid();
    }
    if (!any) {
        return TrpFieldKind::String;
    }
    if (allBools) {
        return TrpFieldKind::Boolean;
    }
    if (allNumbers) {
        return allInt32 ? TrpFieldKind::Integer : allWhole ? TrpFieldKind::LargeInt : TrpFieldKind::Float;
    }
    if (allDates) {
        return TrpFieldKind::DateTime;
    }
    return TrpFieldKind::String;
}

QVariant toValue(const QJsonValue& v, TrpFieldKind kind) {
    if (v.isNull() || v.isUndefined()) {
        return {};
    }
    switch (kind) {
    case TrpFieldKind::Boolean:
        return v.toBool();
    case TrpFieldKind::Integer:
        return static_cast<int>(v.toDouble());
    case TrpFieldKind::LargeInt:
        return static_cast<qlonglong>(v.toDouble());
    case TrpFieldKind::Float:
        return v.toDouble();
    case TrpFieldKind::DateTime:
        return parseIso(v.toString());
    default:
        return v.isString() ? v.toString() : v.toVariant().toString();
    }
}

} // namespace

TrpJsonData::TrpJsonData(const QByteArray& json) {
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError) {
        throw TrpError(
            QStringLiteral("Invalid JSON data at offset %1: %2").arg(error.offset).arg(error.errorString()));
    }
    if (!doc.isObject()) {
        throw TrpError(QStringLiteral("JSON data must be an object mapping adapter names to arrays of rows"));
    }
    const QJsonObject root = doc.object();
    for (auto it = root.begin(); it != root.end(); ++it) {
        if (!it.value().isArray()) {
            throw TrpError(QStringLiteral("JSON data: \"%1\" must be an array of row objects").arg(it.key()));
        }
        const QJsonArray rows = it.value().toArray();
        QStringList fieldNames;
        for (const QJsonValue& row : rows) {
            if (!row.isObject()) {
                throw TrpError(
                    QStringLiteral("JSON data: every row of \"%1\" must be an object").arg(it.key()));
            }
            for (const QString& key : row.toObject().keys()) {
                if (!fieldNames.contains(key)) {
                    fieldNames.append(key);
                }
            }
        }
        std::vector<TrpMemoryTable::Field> fields;
        for (const QString& name : fieldNames) {
            std::vector<QJsonValue> column;
            column.reserve(static_cast<size_t>(rows.size()));
            for (const QJsonValue& row : rows) {
                column.push_back(row.toObject().value(name));
            }
            fields.push_back(TrpMemoryTable::Field{name, kindOf(column)});
        }
        auto table = std::make_unique<TrpMemoryTable>(fields);
        for (const QJsonValue& row : rows) {
            const QJsonObject object = row.toObject();
            QVariantList values;
            for (const auto& field : fields) {
                values.append(toValue(object.value(field.name), field.kind));
            }
            table->appendRow(values);
        }
        auto adapter = std::make_unique<TrpDBDataset>();
        adapter->SetName(it.key());
        adapter->SetUserName(it.key());
        adapter->SetDataSet(table.get());
        m_entries.push_back(Entry{it.key(), std::move(table), std::move(adapter)});
    }
}

TrpJsonData::~TrpJsonData() {
    // Adapters detach from their tables before the tables go.
    for (Entry& e : m_entries) {
        e.adapter.reset();
    }
}

QStringList TrpJsonData::names() const {
    QStringList out;
    for (const Entry& e : m_entries) {
        out.append(e.name);
    }
    return out;
}

TrpDBDataset* TrpJsonData::adapter(const QString& name) const {
    for (const Entry& e : m_entries) {
        if (e.name.compare(name, Qt::CaseInsensitive) == 0) {
            return e.adapter.get();
        }
    }
    return nullptr;
}

TrpMemoryTable* TrpJsonData::table(const QString& name) const {
    for (const Entry& e : m_entries) {
        if (e.name.compare(name, Qt::CaseInsensitive) == 0) {
            return e.table.get();
        }
    }
    return nullptr;
}
