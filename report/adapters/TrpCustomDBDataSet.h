#pragma once

#include "TrpDataSet.h"
#include "TrpRowSource.h"

#include <QByteArray>
#include <vector>

// A dataset adapter over a row source (see TrpRowSource): field aliases, the field map, the walk over the
// range of rows, and typed field values. Subclasses say which source they read (sourceQuery()).
//
// FieldAliases lines are "field=alias"; a field part beginning with "-" hides the field. Without lines the
// report sees every field of the source under its own name.
class TrpCustomDBDataSet : public TrpDataSet {
public:
    explicit TrpCustomDBDataSet(QObject* owner = nullptr);
    ~TrpCustomDBDataSet() override;

    QStringList FieldAliases() const { return m_fieldAliases; }
    void SetFieldAliases(const QStringList& lines) { m_fieldAliases = lines; }
    bool CloseDataSource() const { return m_closeDataSource; }
    void SetCloseDataSource(bool value) { m_closeDataSource = value; }
    bool BCDToCurrency() const { return m_bcdToCurrency; }
    void SetBCDToCurrency(bool value) { m_bcdToCurrency = value; }

    // Attaches to the source at the start of a preparation. Throws TrpError("DataSet <Name> is not
    // connected to data") when there is no source.
    void Initialize() override;
    void Finalize() override;
    void Open() override;
    void Close() override;
    void First() override;
    void Next() override;
    void Prior() override;
    bool Eof() override;
    QStringList GetFieldList() override;

    // Null for an unknown alias or a missing field (adding the "Field not found:" error line to the served
    // report); long texts are never null.
    QVariant GetValue(const QString& alias) override;
    QString GetDisplayText(const QString& alias) override;
    bool IsBlobField(const QString& alias) override;
    TrpFieldType GetFieldType(const QString& alias) override;
    bool HasNoRows() override;
    // Copies a long-text or blob field into a memo's lines (split at line breaks; none for null) or into
    // bytes (a Unicode long text as UTF-8 text, other blobs raw).
    void AssignBlobTo(const QString& alias, QStringList& lines);
    void AssignBlobTo(const QString& alias, QByteArray& bytes);

    bool IsOpened() const { return m_opened; }

protected:
    // The source whose rows the adapter reads; nullptr when not connected.
    virtual TrpRowSource* sourceQuery() const = 0;

private:
    class SourceListener;
    struct MapEntry {
        QString alias;
        QString fieldName;
        int field = -1;
    };

    void openIfNeeded();
    void rebuildFieldMap();
    const MapEntry* findAlias(const QString& alias) const;
    QString aliasToFieldName(const QString& alias) const;
    void fieldNotFound(const QString& name);
    void detach();

    QStringList m_fieldAliases;
    bool m_closeDataSource = false;
    bool m_bcdToCurrency = false;

    bool m_opened = false;
    bool m_eof = false;
    bool m_fieldsDirty = true;
    int m_savedPosition = -1;
    std::vector<MapEntry> m_fieldMap;
    TrpRowSource* m_attached = nullptr;
    std::unique_ptr<SourceListener> m_listener;
};
