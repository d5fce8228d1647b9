#include "TrpReport.h"

#include "TrpDataPage.h"
#include "TrpDataSet.h"
#include "TrpError.h"
#include "TrpErrorBox.h"
#include "TrpGlobalDataSetList.h"
#include "TrpNames.h"

#include <algorithm>

void TrpReport::Clear() {
    TrpComponent::Clear();
    m_datasets.clear();
    m_engineOptions.ConvertNulls = true;
    m_engineOptions.IgnoreDevByZero = false;
    m_engineOptions.IgnoreExprError = false;
    m_engineOptions.DoublePass = false;
    m_previewOptions.OutlineExpand = true;
    m_previewOptions.OutlineVisible = false;
    m_previewOptions.OutlineWidth = 120;
    m_previewOptions.PagesInCache = 50;
    m_previewOptions.ThumbnailVisible = false;
    m_printOptions.reset();
    m_reportOptions.reset();
    m_scriptLanguage = QStringLiteral("PascalScript");
    m_scriptText = QStringList{QStringLiteral("begin"), QString(), QStringLiteral("end.")};
    m_systemVariables =
        QStringList{QStringLiteral("Date"),     QStringLiteral("Time"),       QStringLiteral("Page"),
                    QStringLiteral("Page#"),    QStringLiteral("TotalPages"), QStringLiteral("TotalPages#"),
                    QStringLiteral("Line"),     QStringLiteral("Line#"),      QStringLiteral("CopyName#"),
                    QStringLiteral("TableRow"), QStringLiteral("TableColumn")};
}

TrpComponent* TrpReport::FindObject(const QString& name) const {
    if (!m_nameIndex) {
        return TrpComponent::FindObject(name);
    }
    // Every name in the tree was given while the index was kept; an entry whose object has since taken
    // another name is stale.
    TrpComponent* found = m_nameIndex->value(TrpNames::key(name), nullptr);
    return found != nullptr && !name.isEmpty() && TrpNames::same(found->Name(), name) ? found : nullptr;
}

void TrpReport::NameGiven(TrpComponent& object) {
    if (m_nameIndex && &object != this && !object.Name().isEmpty()) {
        m_nameIndex->insert(TrpNames::key(object.Name()), &object);
    }
}

void TrpReport::ensureDataPage() {
    bool found = false;
    ForEachObject([&found](TrpComponent& o) { found = found || dynamic_cast<TrpDataPage*>(&o) != nullptr; });
    if (found) {
        return;
    }
    QString name = QStringLiteral("Data");
    for (int i = 1; FindObject(name) != nullptr; ++i) {
        name = QStringLiteral("Data%1").arg(i);
    }
    // The data page is the report's first child.
    InsertChild(0, std::make_unique<TrpDataPage>())->SetName(name);
}

const std::vector<std::unique_ptr<TrpDataSetItem>>& TrpReport::Datasets() const {
    m_datasets.erase(
        std::remove_if(m_datasets.begin(), m_datasets.end(),
                       [](const std::unique_ptr<TrpDataSetItem>& item) { return item->lostDataSet(); }),
        m_datasets.end());
    return m_datasets;
}

TrpDataSetItem* TrpReport::AddDataset(TrpDataSet* dataSet) {
    m_datasets.push_back(std::make_unique<TrpDataSetItem>(this));
    if (dataSet != nullptr) {
        m_datasets.back()->SetDataSet(dataSet);
    }
    return m_datasets.back().get();
}

TrpDataSet* TrpReport::FindDataSet(const TrpReport* report, TrpDataSet* current, const QString& name) {
    if (name.isEmpty()) {
        return nullptr;
    }
    for (TrpDataSet* ds : TrpGlobalDataSetList::items()) {
        if (ds->OwnerReport() != nullptr && ds->OwnerReport() != report) {
            continue;
        }
        if (ds->UserName().compare(name, Qt::CaseInsensitive) == 0) {
            return ds;
        }
    }
    return current;
}

TrpDataSet* TrpReport::GetDataset(const QString& name) const {
    for (const auto& item : Datasets()) {
        TrpDataSet* ds = item->DataSet();
        if (ds != nullptr && (ds->UserName().compare(name, Qt::CaseInsensitive) == 0 ||
                              ds->Name().compare(name, Qt::CaseInsensitive) == 0)) {
            return ds;
        }
    }
    return nullptr;
}

TrpDataSet* TrpReport::ResolveDataSetReference(const TrpReport* report, const QString& text) {
    if (text.isEmpty()) {
        return nullptr;
    }
    const qsizetype dot = text.indexOf(QLatin1Char('.'));
    const QObject* owner = report != nullptr ? report->Owner() : nullptr;
    for (TrpDataSet* ds : TrpGlobalDataSetList::items()) {
        if (dot >= 0) {
            if (ds->OwnerName().compare(text.left(dot), Qt::CaseInsensitive) == 0 &&
                ds->Name().compare(text.mid(dot + 1), Qt::CaseInsensitive) == 0) {
                return ds;
            }
        } else if (ds->parent() == owner && ds->Name().compare(text, Qt::CaseInsensitive) == 0) {
            return ds;
        }
    }
    return nullptr;
}

QString TrpReport::DataSetReferenceText(const TrpReport* report, const TrpDataSet* dataSet) {
    if (dataSet == nullptr) {
        return {};
    }
    const QObject* owner = report != nullptr ? report->Owner() : nullptr;
    if (dataSet->parent() == owner || dataSet->OwnerName().isEmpty()) {
        return dataSet->Name();
    }
    return dataSet->OwnerName() + QLatin1Char('.') + dataSet->Name();
}

void TrpReport::ReportMessage(const QString& message) {
    switch (m_engineOptions.NewSilentMode) {
    case TrpSilentMode::simMessageBoxes:
        TrpErrorBox::show(message);
        break;
    case TrpSilentMode::simReThrow:
        throw TrpError(message);
    case TrpSilentMode::simSilent:
        break;
    }
}

QString TrpReport::ErrorMessage() const {
    QString text = QStringLiteral("The following error(s) have occured:\r\n");
    for (const QString& line : m_errors.lines()) {
        text += line;
        text += QLatin1String("\r\n");
    }
    return text;
}

std::vector<TrpCollectionView> TrpReport::collections() const {
    if (Datasets().empty()) {
        return {};
    }
    TrpCollectionView view{QStringLiteral("Datasets"), {}};
    for (const auto& item : m_datasets) {
        view.items.push_back(item.get());
    }
    return {view};
}

bool TrpReport::acceptsCollection(const QString& name) const {
    return TrpNames::same(name, QLatin1StringView("Datasets")) ||
           TrpNames::same(name, QLatin1StringView("Variables")) ||
           TrpNames::same(name, QLatin1StringView("Styles"));
}

TrpPersistent* TrpReport::addCollectionItem(const QString& name) {
    // Report variables and styles are no facility of these tickets: their items are not kept.
    if (!TrpNames::same(name, QLatin1StringView("Datasets"))) {
        return nullptr;
    }
    m_datasets.push_back(std::make_unique<TrpDataSetItem>(this));
    return m_datasets.back().get();
}

const TrpPropertyList& TrpReport::properties() const {
    using C = TrpReport;
    static const TrpPropertyList list(
        nullptr,
        {
            TrpProp::string("Version", &C::Version, &C::SetVersion),
            TrpProp::boolean("DotMatrixReport", &C::DotMatrixReport, &C::SetDotMatrixReport).withDefault(0),
            TrpProp::subObject("EngineOptions", &C::engineOptionsForEditing),
            TrpProp::string("IniFile", &C::IniFile, &C::SetIniFile),
            TrpProp::subObject("PreviewOptions", &C::previewOptionsForEditing),
            TrpProp::subObject("PrintOptions", &C::printOptionsForEditing),
            TrpProp::subObject("ReportOptions", &C::reportOptionsForEditing),
            TrpProp::string("ScriptLanguage", &C::ScriptLanguage, &C::SetScriptLanguage),
            TrpProp::strings("ScriptText", &C::ScriptText, &C::SetScriptText),
        });
    return list;
}
