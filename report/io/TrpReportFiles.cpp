// TrpReport: reading and writing its template (files, streams, memory). The report's object tree does not
// know the template format; the reader and the writer work from its property tables.
#include "TrpError.h"
#include "TrpReport.h"
#include "TrpTemplateReader.h"
#include "TrpTemplateWriter.h"

#include <QFile>
#include <QFileInfo>

bool TrpReport::LoadFromFile(const QString& fileName, bool exceptionIfNotFound) {
    if (m_busy) {
        m_queued.push_back(
            [this, fileName, exceptionIfNotFound] { LoadFromFile(fileName, exceptionIfNotFound); });
        return false;
    }
    Clear();
    if (!QFileInfo::exists(fileName) && !exceptionIfNotFound) {
        m_fileName.clear();
        return false;
    }
    m_fileName = fileName;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        throw TrpError(QStringLiteral("Cannot open file \"%1\". %2").arg(fileName, file.errorString()));
    }
    LoadFromStream(file);
    return true;
}

void TrpReport::LoadFromStream(QIODevice& stream) {
    LoadFromMemory(stream.readAll());
}

void TrpReport::LoadFromMemory(const QByteArray& data) {
    if (m_busy) {
        m_queued.push_back([this, data] { LoadFromMemory(data); });
        return;
    }
    m_errors.clear();
    readTemplate(data);
    if (!m_errors.isEmpty()) {
        ReportMessage(ErrorMessage());
    }
}

void TrpReport::readTemplate(const QByteArray& data) {
    m_engineOptions.PrintIfEmpty = true;
    const TrpEngineOptions keptEngine = m_engineOptions;
    const TrpPreviewOptions keptPreview = m_previewOptions;
    const QString keptIniFile = m_iniFile;
    const bool keptShowProgress = m_showProgress;
    const bool keptOldStyleProgress = m_oldStyleProgress;
    const bool keptStoreInDfm = m_storeInDfm;

    Clear();
    {
        m_nameIndex = std::make_unique<QHash<QString, TrpComponent*>>();
        struct IndexScope {
            std::unique_ptr<QHash<QString, TrpComponent*>>& index;
            ~IndexScope() { index.reset(); }
        } const scope{m_nameIndex};
        TrpTemplateReader::read(*this, data);
    }
    ensureDataPage();

    // Options that belong to the component, not to the template, survive the load.
    const TrpEngineOptions fromFile = m_engineOptions;
    m_engineOptions = keptEngine;
    m_engineOptions.ConvertNulls = fromFile.ConvertNulls;
    m_engineOptions.IgnoreDevByZero = fromFile.IgnoreDevByZero;
    m_engineOptions.IgnoreExprError = fromFile.IgnoreExprError;
    m_engineOptions.DoublePass = fromFile.DoublePass;
    m_engineOptions.PrintIfEmpty = fromFile.PrintIfEmpty;
    const TrpPreviewOptions previewFromFile = m_previewOptions;
    m_previewOptions = keptPreview;
    m_previewOptions.OutlineVisible = previewFromFile.OutlineVisible;
    m_previewOptions.OutlineWidth = previewFromFile.OutlineWidth;
    m_previewOptions.OutlineExpand = previewFromFile.OutlineExpand;
    m_previewOptions.PagesInCache = previewFromFile.PagesInCache;
    m_previewOptions.ThumbnailVisible = previewFromFile.ThumbnailVisible;
    m_iniFile = keptIniFile;
    m_showProgress = keptShowProgress;
    m_oldStyleProgress = keptOldStyleProgress;
    m_storeInDfm = keptStoreInDfm;
}

void TrpReport::SaveToStream(QIODevice& stream) const {
    stream.write(SaveToMemory());
}

QByteArray TrpReport::SaveToMemory() const {
    return TrpTemplateWriter::write(*this);
}
