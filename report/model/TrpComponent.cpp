#include "TrpComponent.h"

#include "TrpError.h"
#include "TrpNames.h"
#include "TrpReport.h"

#include <algorithm>

TrpComponent::TrpComponent() = default;

TrpComponent::~TrpComponent() = default;

void TrpComponent::SetName(const QString& name) {
    if (m_report != nullptr && !name.isEmpty()) {
        const TrpComponent* other = m_report->FindObject(name);
        if (other != nullptr && other != this) {
            throw TrpError(QStringLiteral("prDupl"));
        }
    }
    m_name = name;
    if (m_report != nullptr) {
        m_report->NameGiven(*this);
    }
}

void TrpComponent::SetParent(TrpComponent* parent) {
    if (parent == m_parent || parent == nullptr || m_parent == nullptr) {
        return;
    }
    // An object cannot become a child of itself or of one of its children.
    for (const TrpComponent* p = parent; p != nullptr; p = p->m_parent) {
        if (p == this) {
            return;
        }
    }
    parent->AddChild(m_parent->TakeChild(this));
}

void TrpComponent::SetFont(const TrpFont& font) {
    m_font = font;
    m_parentFont = false;
    for (const auto& child : m_children) {
        if (child->m_parentFont) {
            child->inheritFont(m_font);
        }
    }
}

void TrpComponent::SetParentFont(bool value) {
    m_parentFont = value;
    if (value && m_parent != nullptr) {
        inheritFont(m_parent->m_font);
    }
}

void TrpComponent::fontPartChanged() {
    SetFont(m_font);
}

void TrpComponent::inheritFont(const TrpFont& font) {
    m_font = font;
    for (const auto& child : m_children) {
        if (child->m_parentFont) {
            child->inheritFont(font);
        }
    }
}

void TrpComponent::Clear() {
    m_children.clear();
}

TrpComponent* TrpComponent::FindObject(const QString& name) const {
    if (name.isEmpty()) {
        return nullptr;
    }
    for (const auto& child : m_children) {
        if (TrpNames::same(child->m_name, name)) {
            return child.get();
        }
        if (TrpComponent* found = child->FindObject(name)) {
            return found;
        }
    }
    return nullptr;
}

TrpComponent* TrpComponent::AddChild(std::unique_ptr<TrpComponent> child) {
    return InsertChild(m_children.size(), std::move(child));
}

TrpComponent* TrpComponent::InsertChild(size_t index, std::unique_ptr<TrpComponent> child) {
    TrpComponent* added = child.get();
    added->m_parent = this;
    m_children.insert(m_children.begin() + static_cast<std::ptrdiff_t>(std::min(index, m_children.size())),
                      std::move(child));
    added->setReportOfTree(m_report);
    if (added->m_parentFont) {
        added->inheritFont(m_font);
    }
    return added;
}

std::unique_ptr<TrpComponent> TrpComponent::TakeChild(TrpComponent* child) {
    const auto it =
        std::find_if(m_children.begin(), m_children.end(),
                     [child](const std::unique_ptr<TrpComponent>& c) { return c.get() == child; });
    if (it == m_children.end()) {
        return nullptr;
    }
    std::unique_ptr<TrpComponent> taken = std::move(*it);
    m_children.erase(it);
    taken->m_parent = nullptr;
    taken->setReportOfTree(nullptr);
    return taken;
}

void TrpComponent::ForEachObject(const std::function<void(TrpComponent&)>& visit) const {
    for (const auto& child : m_children) {
        visit(*child);
        child->ForEachObject(visit);
    }
}

void TrpComponent::setReportOfTree(TrpReport* report) {
    m_report = report;
    for (const auto& child : m_children) {
        child->setReportOfTree(report);
    }
}

bool TrpComponent::acceptsCollection(const QString&) const {
    return false;
}

TrpPersistent* TrpComponent::addCollectionItem(const QString&) {
    return nullptr;
}

const TrpPropertyList& TrpComponent::properties() const {
    static const TrpPropertyList list(
        nullptr, {
                     TrpProp::string("Name", &TrpComponent::Name, &TrpComponent::SetName),
                 });
    return list;
}

TrpProperty TrpComponent::boundsProperty(const char* name) {
    const std::string which(name);
    if (which == "Left") {
        return TrpProp::real("Left", &TrpComponent::Left, &TrpComponent::SetLeft);
    }
    if (which == "Top") {
        return TrpProp::real("Top", &TrpComponent::Top, &TrpComponent::SetTop);
    }
    if (which == "Width") {
        return TrpProp::real("Width", &TrpComponent::Width, &TrpComponent::SetWidth);
    }
    return TrpProp::real("Height", &TrpComponent::Height, &TrpComponent::SetHeight);
}

TrpProperty TrpComponent::fontProperty() {
    return TrpProp::subObject("Font", &TrpComponent::fontForEditing)
        .onSubChange([](TrpPersistent& o) { static_cast<TrpComponent&>(o).fontPartChanged(); })
        .storedWhen([](const TrpPersistent& o, const TrpPersistent*) {
            return !static_cast<const TrpComponent&>(o).ParentFont();
        });
}

TrpProperty TrpComponent::parentFontProperty() {
    return TrpProp::boolean("ParentFont", &TrpComponent::ParentFont, &TrpComponent::SetParentFont)
        .withDefault(1);
}

TrpProperty TrpComponent::visibleProperty() {
    return TrpProp::boolean("Visible", &TrpComponent::Visible, &TrpComponent::SetVisible).withDefault(1);
}
