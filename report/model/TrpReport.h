#pragma once

#include "TrpComponent.h"
#include "TrpDataSetItem.h"
#include "TrpEngineOptions.h"
#include "TrpErrorList.h"
#include "TrpErrorSink.h"
#include "TrpPreviewOptions.h"
#include "TrpPrintOptions.h"
#include "TrpReportOptions.h"

#include <QByteArray>
#include <QHash>
#include <QPointer>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <memory>
#include <vector>

class QIODevice;
class TrpDataSet;
class TrpEngine;
class TrpPreviewPages;
struct TrpPrintedDocument;

// The report component: owns a template's object tree (one data page, report pages, bands, views), the
// adapters the template uses (Datasets), the options, and the error lines collected while loading.
//
// Typical use: LoadFromFile(path), FindObject(name), PrepareReport(), then output of PreviewPages()
// (TrpPreviewPages::DrawPage onto a printer, the preview or a file).
// Collected error lines are reported after loading as one message, "The following error(s) have
// occured:" followed by the lines, in the mode EngineOptions().NewSilentMode chooses: a box through
// TrpErrorBox (default), a TrpError, or nothing.
class TrpReport : public TrpComponent, public TrpErrorSink {
public:
    TrpReport();
    ~TrpReport() override;

    const char* ClassName() const override { return "TrpReport"; }

    // Empties the report, then reads the template file. A missing file gives false and leaves the report
    // empty, unless exceptionIfNotFound. A file that cannot be opened raises TrpError("Cannot open file
    // "<path>". <reason>").
    bool LoadFromFile(const QString& fileName, bool exceptionIfNotFound = false);
    // Reads a template from a stream or from memory into the emptied report, then reports the error lines.
    void LoadFromStream(QIODevice& stream);
    void LoadFromMemory(const QByteArray& data);
    // Writes the template.
    void SaveToStream(QIODevice& stream) const;
    QByteArray SaveToMemory() const;

    // The object below the report with that name (letter case ignored in the basic Latin letters).
    TrpComponent* FindObject(const QString& name) const override;
    // Told by an object of the report's tree that it has taken a new name.
    void NameGiven(TrpComponent& object);

    // Empties the report: destroys every object and resets Datasets, options, script and variables.
    // Prepared pages are kept.
    void Clear() override;

    // Lays the template out with the adapters' current rows into PreviewPages(). The template is saved
    // to memory first and read back afterwards, so nothing the layout does to it outlives it: objects
    // found with FindObject before are no longer the report's afterwards. Every Datasets item without an
    // adapter adds "Dataset "<name>" does not exist" and nothing is laid out. An error during the layout
    // ends it (the pages made so far stay) and becomes an error line. With error lines the result is
    // false and they are reported in the silent mode. While the report is busy the call is queued and
    // gives false.
    bool PrepareReport(bool clearLastReport = true);
    // Sends the prepared pages to the printer PrintOptions().Printer names (else the one selected before),
    // after the print dialog when PrintOptions().ShowDialog. False when no printer is installed or the
    // dialog was cancelled. A job the spooler or the driver refuses raises SpoolError naming the printer
    // and the reason: it is never reported as printed. The print options are kept as they were.
    // `printed` hears of the document once the printer has taken it.
    bool Print(const std::function<void(const TrpPrintedDocument&)>& printed = {});
    // Opens the preview window (modal) and prepares the report again into it shortly after it opened;
    // returns when the window is closed. clearLastReport discards the prepared pages first.
    void ShowReport(bool clearLastReport = true);
    // True while a preparation runs; calls made meanwhile wait in a queue.
    bool Busy() const { return m_busy; }
    // Asks a running preparation (or printing) to stop after the current band or page.
    void StopReport() { m_terminated = true; }
    bool Terminated() const { return m_terminated; }
    void SetTerminated(bool value) { m_terminated = value; }

    // Evaluates one memo expression: a field reference (Dataset."Field"), a system variable, or an
    // evaluation error ("Error in expression '<expr>': <reason>"; added as an error line of the current
    // object and raised, unless EngineOptions().IgnoreExprError, which gives the expression text).
    QVariant Calc(const QString& expression);

    TrpEngine& Engine() { return *m_engine; }
    TrpPreviewPages& PreviewPages() { return *m_previewPages; }
    const TrpPreviewPages& PreviewPages() const { return *m_previewPages; }

    // The file last loaded; empty after a missing file.
    const QString& FileName() const { return m_fileName; }
    const QStringList& Errors() const { return m_errors.lines(); }
    void AddError(const QString& line) override { m_errors.add(line); }
    void ClearErrors() { m_errors.clear(); }
    // The name of the object being processed, which error lines of the adapters begin with.
    const QString& CurrentObjectName() const override { return m_currentObjectName; }
    void SetCurrentObjectName(const QString& name) { m_currentObjectName = name; }

    // The window that owns the report: its adapters are the ones a template's DataSet references name.
    QObject* Owner() const { return m_owner.data(); }
    void SetOwner(QObject* window) { m_owner = window; }

    QString Version() const { return m_version; }
    void SetVersion(const QString& value) { m_version = value; }
    bool DotMatrixReport() const { return m_dotMatrixReport; }
    void SetDotMatrixReport(bool value) { m_dotMatrixReport = value; }
    QString IniFile() const { return m_iniFile; }
    void SetIniFile(const QString& value) { m_iniFile = value; }
    QString ScriptLanguage() const { return m_scriptLanguage; }
    void SetScriptLanguage(const QString& value) { m_scriptLanguage = value; }
    QStringList ScriptText() const { return m_scriptText; }
    void SetScriptText(const QStringList& lines) { m_scriptText = lines; }
    bool ShowProgress() const { return m_showProgress; }
    void SetShowProgress(bool value) { m_showProgress = value; }

    TrpEngineOptions& EngineOptions() { return m_engineOptions; }
    const TrpEngineOptions& EngineOptions() const { return m_engineOptions; }
    TrpPrintOptions& PrintOptions() { return m_printOptions; }
    const TrpPrintOptions& PrintOptions() const { return m_printOptions; }
    TrpPreviewOptions& PreviewOptions() { return m_previewOptions; }
    const TrpPreviewOptions& PreviewOptions() const { return m_previewOptions; }
    TrpReportOptions& ReportOptions() { return m_reportOptions; }
    const TrpReportOptions& ReportOptions() const { return m_reportOptions; }

    // The adapters the template uses. An item whose adapter was destroyed is forgotten.
    const std::vector<std::unique_ptr<TrpDataSetItem>>& Datasets() const;
    TrpDataSetItem* AddDataset(TrpDataSet* dataSet = nullptr);
    // The names of the system variables of memo expressions ("Date", "Time", "Page", ...).
    const QStringList& SystemVariableNames() const { return m_systemVariables; }

    // The adapter a dataset name in a template stands for: the first adapter of the process-wide list
    // whose UserName equals name (letter case ignored), skipping adapters that belong to another report;
    // an empty name gives none; no match keeps current.
    static TrpDataSet* FindDataSet(const TrpReport* report, TrpDataSet* current, const QString& name);
    // The adapter of this report's Datasets with that UserName or component Name (letter case ignored).
    TrpDataSet* GetDataset(const QString& name) const;
    // Resolves a written object reference: a component name among the adapters of the report's window, or
    // "Window.Component" among those of the named window; nullptr when nothing matches.
    static TrpDataSet* ResolveDataSetReference(const TrpReport* report, const QString& text);
    // The reference as written: the component name, prefixed by its window's name and a full stop when
    // the adapter belongs to another window than the report.
    static QString DataSetReferenceText(const TrpReport* report, const TrpDataSet* dataSet);

    // Reports a message in the current silent mode.
    void ReportMessage(const QString& message);
    // "The following error(s) have occured:" CR LF and each error line followed by CR LF.
    QString ErrorMessage() const;

    std::vector<TrpCollectionView> collections() const override;
    bool acceptsCollection(const QString& name) const override;
    TrpPersistent* addCollectionItem(const QString& name) override;

    const TrpPropertyList& properties() const override;

private:
    void ensureDataPage();
    // Reads a template into the emptied report; the error lines are neither cleared nor reported.
    void readTemplate(const QByteArray& data);
    void runQueued();
    QVariant systemVariable(const QString& name) const;
    TrpEngineOptions* engineOptionsForEditing() { return &m_engineOptions; }
    TrpPrintOptions* printOptionsForEditing() { return &m_printOptions; }
    TrpPreviewOptions* previewOptionsForEditing() { return &m_previewOptions; }
    TrpReportOptions* reportOptionsForEditing() { return &m_reportOptions; }

    // While a template is read, names are looked up here rather than by walking the tree, so that reading
    // stays linear in the number of objects. Keys are TrpNames::key of the names given meanwhile.
    std::unique_ptr<QHash<QString, TrpComponent*>> m_nameIndex;
    QString m_fileName;
    TrpErrorList m_errors;
    QString m_currentObjectName;
    QPointer<QObject> m_owner;

    QString m_version;
    bool m_dotMatrixReport = false;
    QString m_iniFile;
    QString m_scriptLanguage;
    QStringList m_scriptText;
    bool m_showProgress = true;
    bool m_oldStyleProgress = false;
    bool m_storeInDfm = true;

    TrpEngineOptions m_engineOptions;
    TrpPrintOptions m_printOptions;
    TrpPreviewOptions m_previewOptions;
    TrpReportOptions m_reportOptions;
    mutable std::vector<std::unique_ptr<TrpDataSetItem>> m_datasets;
    QStringList m_systemVariables;

    std::unique_ptr<TrpEngine> m_engine;
    std::unique_ptr<TrpPreviewPages> m_previewPages;
    bool m_busy = false;
    bool m_terminated = false;
    std::vector<std::function<void()>> m_queued;
};
