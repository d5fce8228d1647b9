#pragma once

#include "TrpErrorBox.h"
#include "TrpReport.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>
#include <ostream>

// Readable values in test failure messages.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

// Shared helpers of the report tests: documents from fragments, silent loading, and the captured
// "Error" box.
namespace ReportTest {

inline constexpr const char* Declaration = "<?xml version=\"1.0\" encoding=\"utf-8\" standalone=\"no\"?>";

// A document: the declaration and a TrpReport root around the body.
QByteArray document(const QByteArray& body, const QByteArray& rootAttributes = QByteArray());

// A report page with one band around the views.
QByteArray pageWithBand(const QByteArray& views);

// Reads a document into a new report without reporting the error lines.
std::unique_ptr<TrpReport> load(const QByteArray& data);

// The fixture files of the report tests.
QString fixturePath(const QString& name);
QByteArray fixture(const QString& name);

// Captures what the report component would show in its "Error" box while it lives.
class CapturedErrorBox {
public:
    CapturedErrorBox();
    ~CapturedErrorBox();
    const QStringList& texts() const { return m_texts; }

private:
    QStringList m_texts;
    TrpErrorBox::Handler m_previous;
};

// Compares two trees property by property (every published property, sub-objects, memo lines,
// collections, children); returns the differences, empty when the trees are equal.
QStringList differences(const TrpComponent& a, const TrpComponent& b);

} // namespace ReportTest
