#include "TrpTemplateReader.h"

#include "TrpClassRegistry.h"
#include "TrpCustomMemoView.h"
#include "TrpError.h"
#include "TrpNames.h"
#include "TrpReport.h"
#include "TrpTagScanner.h"
#include "TrpTextLines.h"
#include "TrpValueText.h"

#include <vector>

namespace {

struct Attribute {
    QByteArrayView name;
    QByteArrayView value;
};

// Attributes in the order written: spaces before a name and around "=" are skipped, the value runs
// between two double quotes. A name without "=", or a value without its quotes, ends the list.
std::vector<Attribute> parseAttributes(QByteArrayView text) {
    std::vector<Attribute> list;
    qsizetype i = 0;
    const qsizetype n = text.size();
    for (;;) {
        while (i < n && text[i] == ' ') {
            ++i;
        }
        if (i >= n) {
            break;
        }
        const qsizetype start = i;
        while (i < n && text[i] != ' ' && text[i] != '=') {
            ++i;
        }
        const QByteArrayView name = text.sliced(start, i - start);
        while (i < n && text[i] == ' ') {
            ++i;
        }
        if (i >= n || text[i] != '=') {
            break;
        }
        ++i;
        while (i < n && text[i] == ' ') {
            ++i;
        }
        if (i >= n || text[i] != '"') {
            break;
        }
        ++i;
        const qsizetype close = text.indexOf('"', i);
        if (close < 0) {
            break;
        }
        list.push_back({name, text.sliced(i, close - i)});
        i = close + 1;
    }
    return list;
}

struct PendingReference {
    TrpPersistent* object;
    const TrpProperty* property;
    QString text;
};

class Reader {
public:
    Reader(TrpReport& report, const TrpTagScanner& scanner) : m_report(report), m_scanner(scanner) {}

    void readRoot(int index);
    void resolveReferences();

private:
    void readChild(int index, TrpComponent& parent);
    void readCollection(int index, TrpComponent& owner, const QString& name);
    void applyAttributes(TrpPersistent& object, const std::vector<Attribute>& attributes,
                         const QString& objectName);
    void applyAttribute(TrpPersistent& object, const Attribute& attribute, const QString& objectName);
    void convertAndSet(TrpPersistent& object, const TrpProperty& property, QByteArrayView raw,
                       const QString& objectName);
    QString text(QByteArrayView raw) const { return TrpValueText::decode(raw, m_scanner.oldStyle()); }

    TrpReport& m_report;
    const TrpTagScanner& m_scanner;
    std::vector<PendingReference> m_references;
};

void Reader::readRoot(int index) {
    const TrpTagScanner::Element& root = m_scanner.element(index);
    const QString className = text(root.name);
    if (!TrpNames::same(className, QLatin1StringView("TrpReport"))) {
        m_report.AddError(TrpClassRegistry::isKnown(className)
                              ? QStringLiteral("Invalid file format")
                              : QStringLiteral("Cannot find class ") + className);
        return;
    }
    applyAttributes(m_report, parseAttributes(root.attributes), QString());
    for (int child = root.firstChild; child >= 0; child = m_scanner.element(child).nextSibling) {
        readChild(child, m_report);
    }
}

void Reader::readChild(int index, TrpComponent& parent) {
    const TrpTagScanner::Element& element = m_scanner.element(index);
    const QString className = text(element.name);
    if (TrpNames::same(className, QLatin1StringView("RpCustomData"))) {
        return; // data of the application, not of the tree
    }
    if (parent.acceptsCollection(className)) {
        readCollection(index, parent, className);
        return;
    }
    if (!TrpClassRegistry::isKnown(className)) {
        m_report.AddError(QStringLiteral("Cannot find class ") + className);
        return;
    }
    const std::vector<Attribute> attributes = parseAttributes(element.attributes);
    QString name;
    for (const Attribute& a : attributes) {
        if (a.name.size() == 4 && TrpNames::same(QString::fromLatin1(a.name), QLatin1StringView("Name"))) {
            name = text(a.value);
            break;
        }
    }
    TrpComponent* object = name.isEmpty() ? nullptr : m_report.FindObject(name);
    if (object == nullptr) {
        object = parent.AddChild(TrpClassRegistry::create(className));
    }
    applyAttributes(*object, attributes, name);
    for (int child = element.firstChild; child >= 0; child = m_scanner.element(child).nextSibling) {
        readChild(child, *object);
    }
}

void Reader::readCollection(int index, TrpComponent& owner, const QString& name) {
    const TrpTagScanner::Element& element = m_scanner.element(index);
    for (int child = element.firstChild; child >= 0; child = m_scanner.element(child).nextSibling) {
        // The item elements' own name is not compared.
        if (TrpPersistent* item = owner.addCollectionItem(name)) {
            applyAttributes(*item, parseAttributes(m_scanner.element(child).attributes), owner.Name());
        }
    }
}

void Reader::applyAttributes(TrpPersistent& object, const std::vector<Attribute>& attributes,
                             const QString& objectName) {
    for (const Attribute& a : attributes) {
        applyAttribute(object, a, objectName);
    }
}

void Reader::applyAttribute(TrpPersistent& object, const Attribute& attribute, const QString& objectName) {
    // "Text" on a memo: its lines, decoded as UTF-8 also in old-style files.
    if (attribute.name == "Text") {
        if (auto* memo = dynamic_cast<TrpCustomMemoView*>(&object)) {
            memo->SetText(TrpValueText::decode(attribute.value, false));
        }
        return;
    }
    // Walk the dotted path through sub-objects, remembering them for their change notifications.
    struct Step {
        TrpPersistent* owner;
        const TrpProperty* property;
    };
    Step chain[8];
    int depth = 0;
    TrpPersistent* target = &object;
    QByteArrayView rest = attribute.name;
    for (;;) {
        const qsizetype dot = rest.indexOf('.');
        if (dot < 0) {
            break;
        }
        const QByteArrayView segment = rest.first(dot);
        const QByteArrayView after = rest.sliced(dot + 1);
        const TrpProperty* p = target->properties().find(segment);
        if (p != nullptr && p->kind == TrpPropertyKind::Strings && after == "Text") {
            if (p->set) {
                p->set(*target, TrpTextLines::splitStrings(text(attribute.value)));
            }
            return;
        }
        if (p == nullptr || p->kind != TrpPropertyKind::SubObject || depth == 8) {
            return; // the whole name then matches nothing
        }
        chain[depth++] = {target, p};
        target = p->sub(*target);
        if (target == nullptr) {
            return;
        }
        rest = after;
    }
    const TrpProperty* p = target->properties().find(rest);
    if (p == nullptr || !p->set || p->kind == TrpPropertyKind::SubObject ||
        p->kind == TrpPropertyKind::Strings) {
        return;
    }
    if (p->kind == TrpPropertyKind::Binary && rest != "PropData") {
        return;
    }
    if (p->kind == TrpPropertyKind::Reference) {
        m_references.push_back({target, p, text(attribute.value)});
        return;
    }
    convertAndSet(*target, *p, attribute.value, objectName);
    for (int i = depth - 1; i >= 0; --i) {
        if (chain[i].property->subChanged) {
            chain[i].property->subChanged(*chain[i].owner);
        }
    }
}

void Reader::convertAndSet(TrpPersistent& object, const TrpProperty& property, QByteArrayView raw,
                           const QString& objectName) {
    // Numbers are converted from the bytes; the text is decoded only where it is needed.
    QVariant converted;
    switch (property.kind) {
    case TrpPropertyKind::Integer:
    case TrpPropertyKind::Set: {
        const auto v = TrpValueText::toInt(raw);
        if (!v) {
            m_report.AddError(QStringLiteral("'%1' is not a valid integer value").arg(text(raw)));
            return;
        }
        converted = *v;
        break;
    }
    case TrpPropertyKind::Int64: {
        const auto v = TrpValueText::toInt64(text(raw));
        if (!v) {
            m_report.AddError(QStringLiteral("'%1' is not a valid integer value").arg(text(raw)));
            return;
        }
        converted = static_cast<qlonglong>(*v);
        break;
    }
    case TrpPropertyKind::Float:
    case TrpPropertyKind::DateTime: {
        const auto v = TrpValueText::toDouble(raw);
        if (!v) {
            m_report.AddError(QStringLiteral("'%1' is not a valid floating point value").arg(text(raw)));
            return;
        }
        converted = *v;
        break;
    }
    case TrpPropertyKind::Boolean:
    case TrpPropertyKind::Enumeration: {
        int ordinal = property.enumInfo->indexOf(raw);
        if (ordinal < 0) {
            const auto v = TrpValueText::toInt(raw);
            ordinal = v ? *v : -1;
        }
        // A name that is no member, or a number outside the enumeration, leaves the property as it was.
        if (ordinal < 0 || ordinal >= property.enumInfo->count()) {
            return;
        }
        converted = ordinal;
        break;
    }
    case TrpPropertyKind::String:
        converted = text(raw);
        break;
    case TrpPropertyKind::Binary: {
        const auto bytes = TrpValueText::fromHex(text(raw));
        if (!bytes) {
            m_report.AddError(objectName + QStringLiteral(": Invalid picture data"));
            return;
        }
        try {
            property.set(object, *bytes);
        } catch (const TrpError& e) {
            m_report.AddError(objectName + QStringLiteral(": ") + e.message());
        }
        return;
    }
    default:
        return;
    }
    try {
        property.set(object, converted);
    } catch (const TrpError& e) {
        m_report.AddError(e.message());
    }
}

void Reader::resolveReferences() {
    for (const PendingReference& r : m_references) {
        r.property->set(*r.object, r.text);
    }
}

} // namespace

void TrpTemplateReader::read(TrpReport& report, const QByteArray& data) {
    TrpTagScanner scanner;
    if (!scanner.scan(QByteArrayView(data))) {
        report.AddError(QStringLiteral("Invalid file format"));
        return;
    }
    if (scanner.root() < 0) {
        return;
    }
    Reader reader(report, scanner);
    reader.readRoot(scanner.root());
    reader.resolveReferences();
    report.ForEachObject([](TrpComponent& o) { o.Loaded(); });
}
