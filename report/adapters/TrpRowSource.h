#pragma once

#include <QString>
#include <QVariant>
#include <vector>

// The kind of a field of a row source, as the dataset adapters distinguish them.
enum class TrpFieldKind {
    String,     // text
    WideString, // Unicode text
    Memo,       // long text
    WideMemo,   // Unicode long text
    Integer,    // up to 32 bits
    LargeInt,   // 64 bits
    Float,
    Currency,
    Bcd,
    Boolean,
    Date,
    Time,
    DateTime,
    Timestamp,
    Blob, // raw bytes
    Other,
};

// The rows a dataset adapter (TrpDBDataset) reads: an open query of the database layer in the program,
// a TrpMemoryTable in tests and tools. A source has a list of fields (known also while it is closed,
// where the source can tell them), is opened and closed, and is walked from the first to the last row;
// the current row's values are read by field index.
//
// Implementations call the notify functions so that the adapters attached to them keep their field maps
// current. Values are QVariants: a null QVariant for a null field, else QString for texts, int or
// qlonglong for integers, double for Float, Currency and Bcd, bool, QDate / QTime / QDateTime, QByteArray
// for blobs.
class TrpRowSource {
public:
    // Told about changes of the source; several listeners may be attached.
    class Listener {
    public:
        virtual ~Listener() = default;
        virtual void sourceOpened() = 0;
        virtual void sourceClosed() = 0;
        // The field list changed; takes effect at the next refresh of the source.
        virtual void sourceFieldsChanged() = 0;
    };

    virtual ~TrpRowSource() = default;

    virtual bool isOpen() const = 0;
    // Opens the source (runs the query); raises a TrpError or the database layer's error on failure.
    virtual void open() = 0;
    virtual void close() = 0;

    // Walking: first() goes to the first row, next() to the one after; eof() is true after the last row
    // (at once for an empty source).
    virtual void first() = 0;
    virtual void next() = 0;
    virtual bool eof() const = 0;
    virtual int rowCount() const = 0;
    // The current row as a position that setPosition() returns to (the row number from 0; rowCount() when
    // after the last row).
    virtual int position() const = 0;
    virtual void setPosition(int position) = 0;

    virtual int fieldCount() const = 0;
    virtual QString fieldName(int field) const = 0;
    virtual TrpFieldKind fieldKind(int field) const = 0;
    // The value of a field in the current row; a null QVariant when null or when there is no current row.
    virtual QVariant value(int field) const = 0;
    // The text the source shows for a field of the current row; by default the value as plain text.
    virtual QString displayText(int field) const;

    // The index of a field by name, letter case ignored; -1 when there is none.
    int fieldIndex(const QString& name) const;

    void addListener(Listener* listener);
    void removeListener(Listener* listener);

protected:
    void notifyOpened();
    void notifyClosed();
    void notifyFieldsChanged();

private:
    std::vector<Listener*> m_listeners;
};
