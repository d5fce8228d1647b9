// TrpReport: its layout engine and prepared pages (made and destroyed with the report, here where their
// types are known), preparation (PrepareReport) and the evaluation of memo expressions (Calc).
#include "TrpDataSet.h"
#include "TrpEngine.h"
#include "TrpError.h"
#include "TrpPreviewPages.h"
#include "TrpReport.h"

#include <QRegularExpression>

TrpReport::TrpReport()
    : m_engine(std::make_unique<TrpEngine>(*this)), m_previewPages(std::make_unique<TrpPreviewPages>()) {
    setReportOfTree(this);
    Clear();
}

TrpReport::~TrpReport() = default;

bool TrpReport::PrepareReport(bool clearLastReport) {
    if (m_busy) {
        m_queued.push_back([this, clearLastReport] { PrepareReport(clearLastReport); });
        return false;
    }
    m_busy = true;
    if (clearLastReport) {
        m_previewPages->Clear();
    }
    m_errors.clear();
    m_terminated = false;
    for (const auto& item : Datasets()) {
        if (item->DataSet() == nullptr) {
            m_errors.add(QStringLiteral("Dataset \"%1\" does not exist").arg(item->DataSetName()));
        }
    }
    bool ran = false;
    if (m_errors.isEmpty()) {
        // Whatever the layout does to the objects, the template comes back as it was.
        const QByteArray saved = SaveToMemory();
        try {
            ran = m_engine->Run(false, clearLastReport, nullptr);
        } catch (const TrpError& e) {
            m_errors.add(e.message());
        } catch (const std::exception& e) {
            m_errors.add(QString::fromUtf8(e.what()));
        }
        const TrpErrorList errors = m_errors;
        const QString fileName = m_fileName;
        const TrpPrintOptions printOptions = m_printOptions;
        readTemplate(saved);
        m_errors = errors;
        m_fileName = fileName;
        m_printOptions = printOptions;
    }
    m_busy = false;
    bool result = ran;
    if (!m_errors.isEmpty()) {
        result = false;
        ReportMessage(ErrorMessage());
    }
    runQueued();
    return result;
}

void TrpReport::runQueued() {
    while (!m_busy && !m_queued.empty()) {
        const std::function<void()> call = std::move(m_queued.front());
        m_queued.erase(m_queued.begin());
        call();
    }
}

QVariant TrpReport::systemVariable(const QString& name) const {
    const TrpEngine& engine = *m_engine;
    if (name == QLatin1String("Date")) {
        return engine.StartDate();
    }
    if (name == QLatin1String("Time")) {
        return engine.StartTime();
    }
    if (name == QLatin1String("Page") || name == QLatin1String("Page#")) {
        return engine.CurrentPageIndex() + 1;
    }
    if (name == QLatin1String("TotalPages")) {
        return m_previewPages->Count();
    }
    if (name == QLatin1String("TotalPages#")) {
        // Known only after a first pass; preparation runs one pass.
        return 0;
    }
    if (name == QLatin1String("Line")) {
        return engine.CurLine;
    }
    if (name == QLatin1String("Line#")) {
        return engine.CurLineThrough;
    }
    if (name == QLatin1String("CopyName#")) {
        return QString();
    }
    return 0;
}

QVariant TrpReport::Calc(const QString& expression) {
    // A field reference: Dataset."Field", exactly.
    const qsizetype sep = expression.indexOf(QLatin1String(".\""));
    QString reason;
    if (sep >= 0) {
        const QString dataSetName = expression.left(sep);
        const QString field = expression.mid(sep + 2).chopped(expression.size() > sep + 2 ? 1 : 0);
        TrpDataSet* ds = GetDataset(dataSetName);
        if (ds != nullptr && !field.isEmpty()) {
            const QVariant value = ds->GetValue(field);
            if (value.isNull() && ds->HasNoRows()) {
                // No row, no value: a ticket whose order head is missing shows its head fields empty,
                // not as zeros and a date of 30/12/1899.
                return QString();
            }
            if (!m_engineOptions.ConvertNulls || !value.isNull()) {
                return value;
            }
            switch (ds->GetFieldType(field)) {
            case TrpFieldType::fftString:
                return QString(QLatin1String(""));
            case TrpFieldType::fftBoolean:
                return false;
            default:
                return 0;
            }
        }
        reason = ds == nullptr ? QStringLiteral("Undeclared identifier: '%1'").arg(dataSetName)
                               : QStringLiteral("Field name expected");
    }
    for (const QString& name : m_systemVariables) {
        if (name.compare(expression, Qt::CaseInsensitive) == 0) {
            return systemVariable(name);
        }
    }
    if (reason.isEmpty()) {
        static const QRegularExpression identifier(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
        reason = identifier.match(expression).hasMatch()
                     ? QStringLiteral("Undeclared identifier: '%1'").arg(expression)
                     : QStringLiteral("Expression outside the supported subset");
    }
    if (m_engineOptions.IgnoreExprError) {
        return expression;
    }
    const QString line =
        QStringLiteral("%1: Error in expression '%2': %3").arg(m_currentObjectName, expression, reason);
    m_errors.add(line);
    throw TrpError(line);
}
