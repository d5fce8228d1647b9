#pragma once

#include "TrpErrorSink.h"
#include "TrpTypes.h"

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QVariant>

class TrpReport;

// The field types a report distinguishes (null conversion, formatting).
enum class TrpFieldType { fftNumeric, fftString, fftBoolean, fftDateTime };

// A dataset adapter: exposes rows to reports under a name (UserName). Adapters belong to a window (their
// QObject parent, whose objectName is the window's name) and are listed in TrpGlobalDataSetList for as long
// as they exist. The range options choose which rows a walk visits.
class TrpDataSet : public QObject {
public:
    explicit TrpDataSet(QObject* owner = nullptr);
    ~TrpDataSet() override;

    // The component name (the QObject's objectName).
    QString Name() const { return objectName(); }
    void SetName(const QString& name) { setObjectName(name); }
    // The name templates use; the component name until set. Throws TrpError for a blank name.
    QString UserName() const;
    void SetUserName(const QString& name);

    TrpRangeBegin RangeBegin() const { return m_rangeBegin; }
    void SetRangeBegin(TrpRangeBegin value) { m_rangeBegin = value; }
    TrpRangeEnd RangeEnd() const { return m_rangeEnd; }
    void SetRangeEnd(TrpRangeEnd value) { m_rangeEnd = value; }
    int RangeEndCount() const { return m_rangeEndCount; }
    void SetRangeEndCount(int value) { m_rangeEndCount = value; }

    // The name of the window that owns the adapter (empty without one).
    QString OwnerName() const;
    // The report the adapter belongs to, for adapters kept inside a report; none for the program's.
    TrpReport* OwnerReport() const { return m_ownerReport; }
    void SetOwnerReport(TrpReport* report) { m_ownerReport = report; }
    // The report the adapter currently serves (set by the preparation); its error lines go there.
    TrpErrorSink* Report() const { return m_report; }
    void SetReport(TrpErrorSink* report) { m_report = report; }

    virtual QString GetDisplayText(const QString& alias) = 0;
    virtual QVariant GetValue(const QString& alias) = 0;
    virtual void Initialize() = 0;
    virtual void Finalize() = 0;
    virtual void Open() = 0;
    virtual void Close() = 0;
    virtual void First() = 0;
    virtual void Next() = 0;
    virtual void Prior() = 0;
    virtual bool Eof() = 0;
    // The aliases the report may use.
    virtual QStringList GetFieldList() = 0;

    virtual bool IsBlobField(const QString& alias) = 0;
    virtual TrpFieldType GetFieldType(const QString& alias) = 0;
    // True when the adapter has no row at all (an open query that returned nothing): its fields have no
    // values, not even null ones.
    virtual bool HasNoRows() { return false; }
    // The row number of the current row, from 0.
    int RecNo() const { return m_recNo; }

protected:
    int m_recNo = 0;

private:
    QString m_userName;
    TrpRangeBegin m_rangeBegin = TrpRangeBegin::rbFirst;
    TrpRangeEnd m_rangeEnd = TrpRangeEnd::reLast;
    int m_rangeEndCount = 0;
    TrpReport* m_ownerReport = nullptr;
    TrpErrorSink* m_report = nullptr;
};
