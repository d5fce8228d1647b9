#include "TrpCustomDBDataSet.h"

#include "TrpError.h"
#include "TrpTextLines.h"

#include <QDateTime>
#include <algorithm>

class TrpCustomDBDataSet::SourceListener : public TrpRowSource::Listener {
public:
    explicit SourceListener(TrpCustomDBDataSet& owner) : m_owner(owner) {}
    void sourceOpened() override { m_owner.rebuildFieldMap(); }
    void sourceClosed() override {
        m_owner.m_opened = false;
        m_owner.m_savedPosition = -1;
    }
    void sourceFieldsChanged() override { m_owner.m_fieldsDirty = true; }

private:
    TrpCustomDBDataSet& m_owner;
};

TrpCustomDBDataSet::TrpCustomDBDataSet(QObject* owner)
    : TrpDataSet(owner), m_listener(std::make_unique<SourceListener>(*this)) {}

TrpCustomDBDataSet::~TrpCustomDBDataSet() {
    detach();
}

void TrpCustomDBDataSet::detach() {
    if (m_attached != nullptr) {
        m_attached->removeListener(m_listener.get());
        m_attached = nullptr;
    }
}

void TrpCustomDBDataSet::Initialize() {
    TrpRowSource* source = sourceQuery();
    if (source == nullptr) {
        throw TrpError(QStringLiteral("DataSet %1 is not connected to data").arg(Name()));
    }
    if (m_attached != source) {
        detach();
        source->addListener(m_listener.get());
        m_attached = source;
    }
    m_opened = false;
    m_eof = false;
}

void TrpCustomDBDataSet::Finalize() {
    TrpRowSource* source = sourceQuery();
    if (source != nullptr) {
        if (m_savedPosition >= 0 && source->isOpen()) {
            source->setPosition(m_savedPosition);
        }
        if (m_closeDataSource) {
            source->close();
        }
    }
    m_savedPosition = -1;
    detach();
    m_opened = false;
}

void TrpCustomDBDataSet::Open() {
    m_opened = true;
    TrpRowSource* source = sourceQuery();
    if (source == nullptr) {
        return;
    }
    // A query the program opened before preparing stays as it is: it is not run again.
    if (!source->isOpen()) {
        source->open();
    }
    rebuildFieldMap();
    if (RangeBegin() == TrpRangeBegin::rbCurrent || RangeEnd() == TrpRangeEnd::reCurrent) {
        m_savedPosition = source->position();
    }
}

void TrpCustomDBDataSet::openIfNeeded() {
    if (!m_opened) {
        Open();
    }
}

void TrpCustomDBDataSet::Close() {
    m_opened = false;
    m_savedPosition = -1;
    if (TrpRowSource* source = sourceQuery()) {
        source->close();
    }
}

void TrpCustomDBDataSet::First() {
    openIfNeeded();
    if (TrpRowSource* source = sourceQuery()) {
        if (RangeBegin() == TrpRangeBegin::rbCurrent && m_savedPosition >= 0) {
            source->setPosition(m_savedPosition);
        } else {
            source->first();
        }
    }
    m_eof = false;
    m_recNo = 0;
}

void TrpCustomDBDataSet::Next() {
    openIfNeeded();
    m_eof = false;
    TrpRowSource* source = sourceQuery();
    const bool byCount = RangeEnd() == TrpRangeEnd::reCount;
    if (RangeEnd() == TrpRangeEnd::reCurrent && source != nullptr && source->position() == m_savedPosition) {
        m_eof = true;
    }
    const bool lastCounted = byCount && m_recNo + 1 >= RangeEndCount();
    const bool singleRow = RangeBegin() == TrpRangeBegin::rbCurrent && RangeEnd() == TrpRangeEnd::reCurrent;
    if (source != nullptr && !lastCounted && !singleRow) {
        source->next();
    }
    ++m_recNo;
    if (byCount && m_recNo >= RangeEndCount()) {
        m_recNo = RangeEndCount() - 1;
        m_eof = true;
    }
}

void TrpCustomDBDataSet::Prior() {
    openIfNeeded();
    TrpRowSource* source = sourceQuery();
    if (source != nullptr && source->position() > 0) {
        source->setPosition(source->position() - 1);
        --m_recNo;
    }
    m_eof = false;
}

bool TrpCustomDBDataSet::Eof() {
    openIfNeeded();
    const TrpRowSource* source = sourceQuery();
    return m_eof || source == nullptr || source->eof() ||
           (RangeEnd() == TrpRangeEnd::reCount && m_recNo >= RangeEndCount());
}

QStringList TrpCustomDBDataSet::GetFieldList() {
    if (m_fieldsDirty) {
        rebuildFieldMap();
    }
    QStringList list;
    for (const MapEntry& e : m_fieldMap) {
        list.append(e.alias);
    }
    return list;
}

namespace {
QString fieldPart(const QString& line) {
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    return eq < 0 ? line : line.left(eq);
}
QString aliasPart(const QString& line) {
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    return eq < 0 ? line : line.mid(eq + 1);
}
} // namespace

void TrpCustomDBDataSet::rebuildFieldMap() {
    m_fieldsDirty = false;
    m_fieldMap.clear();
    const TrpRowSource* source = sourceQuery();
    QStringList names;
    if (!m_fieldAliases.isEmpty()) {
        for (const QString& line : m_fieldAliases) {
            if (!fieldPart(line).startsWith(QLatin1Char('-'))) {
                names.append(aliasPart(line));
            }
        }
    } else if (source != nullptr) {
        for (int i = 0; i < source->fieldCount(); ++i) {
            names.append(source->fieldName(i));
        }
    }
    std::stable_sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    for (const QString& alias : names) {
        if (!m_fieldMap.empty() && m_fieldMap.back().alias.compare(alias, Qt::CaseInsensitive) == 0) {
            continue;
        }
        MapEntry entry;
        entry.alias = alias;
        entry.fieldName = aliasToFieldName(alias);
        entry.field = source != nullptr ? source->fieldIndex(entry.fieldName) : -1;
        m_fieldMap.push_back(entry);
    }
}

QString TrpCustomDBDataSet::aliasToFieldName(const QString& alias) const {
    for (const QString& line : m_fieldAliases) {
        if (aliasPart(line).compare(alias, Qt::CaseInsensitive) == 0) {
            return fieldPart(line);
        }
    }
    return alias;
}

const TrpCustomDBDataSet::MapEntry* TrpCustomDBDataSet::findAlias(const QString& alias) const {
    const auto it = std::lower_bound(
        m_fieldMap.begin(), m_fieldMap.end(), alias,
        [](const MapEntry& e, const QString& a) { return e.alias.compare(a, Qt::CaseInsensitive) < 0; });
    if (it == m_fieldMap.end() || it->alias.compare(alias, Qt::CaseInsensitive) != 0) {
        return nullptr;
    }
    return &*it;
}

void TrpCustomDBDataSet::fieldNotFound(const QString& name) {
    if (Report() != nullptr) {
        Report()->AddError(QStringLiteral("%1: Field not found: %2.\"%3\"")
                               .arg(Report()->CurrentObjectName(), UserName(), name));
    }
}

QVariant TrpCustomDBDataSet::GetValue(const QString& alias) {
    openIfNeeded();
    if (m_fieldsDirty) {
        rebuildFieldMap();
    }
    const MapEntry* entry = findAlias(alias);
    if (entry == nullptr) {
        fieldNotFound(alias);
        return {};
    }
    const TrpRowSource* source = sourceQuery();
    if (entry->field < 0 || source == nullptr) {
        fieldNotFound(entry->fieldName);
        return {};
    }
    const QVariant v = source->value(entry->field);
    switch (source->fieldKind(entry->field)) {
    case TrpFieldKind::Bcd:
        // Currency and BCD numbers are both handed over as doubles.
        return v.isNull() ? QVariant() : QVariant(v.toDouble());
    case TrpFieldKind::LargeInt:
        return v.isNull() ? QVariant() : QVariant(v.toLongLong());
    case TrpFieldKind::Timestamp:
        return v.isNull() ? QVariant() : QVariant(v.toDateTime());
    case TrpFieldKind::Memo:
    case TrpFieldKind::WideMemo:
        return v.isNull() ? QString() : v.toString();
    default:
        return v;
    }
}

bool TrpCustomDBDataSet::HasNoRows() {
    openIfNeeded();
    const TrpRowSource* source = sourceQuery();
    return source != nullptr && source->isOpen() && source->rowCount() == 0;
}

QString TrpCustomDBDataSet::GetDisplayText(const QString& alias) {
    openIfNeeded();
    const TrpRowSource* source = sourceQuery();
    if (source == nullptr || !source->isOpen()) {
        return QStringLiteral("%1.\"%2\"").arg(UserName(), alias);
    }
    if (m_fieldsDirty) {
        rebuildFieldMap();
    }
    if (m_fieldMap.empty()) {
        const int field = source->fieldIndex(alias);
        return field < 0 ? QString() : source->displayText(field);
    }
    const MapEntry* entry = findAlias(alias);
    const QString missing = entry == nullptr ? alias : entry->fieldName;
    if (entry == nullptr || entry->field < 0) {
        fieldNotFound(missing);
        return QStringLiteral("Field not found: %1.\"%2\"").arg(UserName(), missing);
    }
    if (source->fieldKind(entry->field) == TrpFieldKind::WideString) {
        return source->value(entry->field).toString();
    }
    return source->displayText(entry->field);
}

bool TrpCustomDBDataSet::IsBlobField(const QString& alias) {
    openIfNeeded();
    if (m_fieldsDirty) {
        rebuildFieldMap();
    }
    const MapEntry* entry = findAlias(alias);
    const TrpRowSource* source = sourceQuery();
    if (entry == nullptr || entry->field < 0 || source == nullptr) {
        return false;
    }
    const TrpFieldKind kind = source->fieldKind(entry->field);
    return kind == TrpFieldKind::Memo || kind == TrpFieldKind::WideMemo || kind == TrpFieldKind::Blob;
}

void TrpCustomDBDataSet::AssignBlobTo(const QString& alias, QStringList& lines) {
    lines.clear();
    if (!IsBlobField(alias)) {
        return;
    }
    const MapEntry* entry = findAlias(alias);
    const QVariant v = sourceQuery()->value(entry->field);
    if (v.isNull()) {
        return;
    }
    const QString text =
        v.typeId() == QMetaType::QByteArray ? QString::fromUtf8(v.toByteArray()) : v.toString();
    lines = TrpTextLines::splitMemo(text);
}

void TrpCustomDBDataSet::AssignBlobTo(const QString& alias, QByteArray& bytes) {
    bytes.clear();
    if (!IsBlobField(alias)) {
        return;
    }
    const MapEntry* entry = findAlias(alias);
    const QVariant v = sourceQuery()->value(entry->field);
    if (v.isNull()) {
        return;
    }
    bytes = v.typeId() == QMetaType::QByteArray ? v.toByteArray() : v.toString().toUtf8();
}

TrpFieldType TrpCustomDBDataSet::GetFieldType(const QString& alias) {
    const TrpRowSource* source = sourceQuery();
    if (source == nullptr) {
        return TrpFieldType::fftNumeric;
    }
    const int field = source->fieldIndex(aliasToFieldName(alias));
    if (field < 0) {
        return TrpFieldType::fftNumeric;
    }
    switch (source->fieldKind(field)) {
    case TrpFieldKind::String:
    case TrpFieldKind::WideString:
    case TrpFieldKind::Memo:
        return TrpFieldType::fftString;
    case TrpFieldKind::Boolean:
        return TrpFieldType::fftBoolean;
    case TrpFieldKind::Date:
    case TrpFieldKind::Time:
    case TrpFieldKind::DateTime:
        return TrpFieldType::fftDateTime;
    default:
        return TrpFieldType::fftNumeric;
    }
}
