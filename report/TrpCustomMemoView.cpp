#include "TrpCustomMemoView.h"

#include "TrpNames.h"
#include "TrpTextLines.h"

QString TrpCustomMemoView::Text() const {
    return TrpTextLines::joinTerminated(m_memo);
}

void TrpCustomMemoView::SetText(const QString& text) {
    m_memo = TrpTextLines::splitMemo(text);
}

void TrpCustomMemoView::SetRotation(int value) {
    m_rotation = ((value % 360) + 360) % 360;
}

TrpFormat* TrpCustomMemoView::AddFormat() {
    m_formats.push_back(std::make_unique<TrpFormat>());
    return m_formats.back().get();
}

TrpFormat* TrpCustomMemoView::DisplayFormat() {
    if (m_formats.empty()) {
        return AddFormat();
    }
    return m_formats.front().get();
}

std::vector<TrpCollectionView> TrpCustomMemoView::collections() const {
    // A single format is written as DisplayFormat attributes instead.
    if (m_formats.size() < 2) {
        return {};
    }
    TrpCollectionView view{QStringLiteral("Formats"), {}};
    for (const auto& f : m_formats) {
        view.items.push_back(f.get());
    }
    return {view};
}

bool TrpCustomMemoView::acceptsCollection(const QString& name) const {
    return TrpNames::same(name, QLatin1StringView("Formats")) ||
           TrpNames::same(name, QLatin1StringView("Highlights"));
}

TrpPersistent* TrpCustomMemoView::addCollectionItem(const QString& name) {
    // Highlights are not kept: conditional highlighting is no facility of these tickets.
    return TrpNames::same(name, QLatin1StringView("Formats")) ? AddFormat() : nullptr;
}
