#include "TrpTemplateWriter.h"

#include "TrpCustomMemoView.h"
#include "TrpReport.h"
#include "TrpValueText.h"

namespace {

class Writer {
public:
    QString out;

    void writeObject(const TrpComponent& object, int level);

private:
    void writeProperties(const TrpPersistent& object, const QString& prefix, const TrpPersistent* owner);
    void writeProperty(const TrpPersistent& object, const TrpProperty& p, const QString& prefix,
                       const TrpPersistent* owner);
    void attribute(const QString& name, const QString& value) {
        out += u' ';
        out += name;
        out += QLatin1String("=\"");
        out += value;
        out += u'"';
    }
    void indent(int level) { out += QString(level * 2, u' '); }
};

void Writer::writeObject(const TrpComponent& object, int level) {
    indent(level);
    out += u'<';
    out += QLatin1String(object.ClassName());
    // The root carries no Name: the report's property table has none.
    writeProperties(object, QString(), nullptr);
    if (const auto* memo = dynamic_cast<const TrpCustomMemoView*>(&object)) {
        const QStringList& lines = memo->Memo();
        if (!lines.isEmpty()) {
            QString text = lines.join(QLatin1String("\r\n"));
            // A last empty line needs its own line break to survive reading.
            if (lines.last().isEmpty()) {
                text += QLatin1String("\r\n");
            }
            attribute(QStringLiteral("Text"), TrpValueText::escape(text));
        }
    }
    const std::vector<TrpCollectionView> collections = object.collections();
    if (collections.empty() && object.Objects().empty()) {
        out += QLatin1String("/>\r\n");
        return;
    }
    out += QLatin1String(">\r\n");
    for (const TrpCollectionView& c : collections) {
        indent(level + 1);
        out += u'<';
        out += c.name;
        out += QLatin1String(">\r\n");
        for (const TrpPersistent* item : c.items) {
            indent(level + 2);
            out += QLatin1String("<item");
            writeProperties(*item, QString(), nullptr);
            out += QLatin1String("/>\r\n");
        }
        indent(level + 1);
        out += QLatin1String("</");
        out += c.name;
        out += QLatin1String(">\r\n");
    }
    for (const auto& child : object.Objects()) {
        writeObject(*child, level + 1);
    }
    indent(level);
    out += QLatin1String("</");
    out += QLatin1String(object.ClassName());
    out += QLatin1String(">\r\n");
}

void Writer::writeProperties(const TrpPersistent& object, const QString& prefix, const TrpPersistent* owner) {
    for (const TrpProperty& p : object.properties().all()) {
        writeProperty(object, p, prefix, owner);
    }
}

void Writer::writeProperty(const TrpPersistent& object, const TrpProperty& p, const QString& prefix,
                           const TrpPersistent* owner) {
    if (p.stored && !p.stored(object, owner)) {
        return;
    }
    const QString name = prefix + p.name;
    if (p.kind == TrpPropertyKind::SubObject) {
        // The accessor is shared with the reader; for stored sub-objects it creates nothing.
        const TrpPersistent* sub = p.sub(const_cast<TrpPersistent&>(object));
        if (sub != nullptr) {
            writeProperties(*sub, name + u'.', &object);
        }
        return;
    }
    const QVariant value = p.get(object);
    if (p.defaultValue.isValid() && value == p.defaultValue) {
        return;
    }
    switch (p.kind) {
    case TrpPropertyKind::Strings: {
        const QStringList lines = value.toStringList();
        if (!lines.isEmpty()) {
            attribute(name + QLatin1String(".Text"), TrpValueText::escape(lines.join(QLatin1String("\r\n"))));
        }
        break;
    }
    case TrpPropertyKind::String:
    case TrpPropertyKind::Reference: {
        const QString text = value.toString();
        if (!text.isEmpty()) {
            attribute(name, TrpValueText::escape(text));
        }
        break;
    }
    case TrpPropertyKind::Binary: {
        const QByteArray bytes = value.toByteArray();
        if (!bytes.isEmpty()) {
            attribute(name, QString::fromLatin1(bytes.toHex().toUpper()));
        }
        break;
    }
    case TrpPropertyKind::Integer:
    case TrpPropertyKind::Set:
        attribute(name, QString::number(value.toInt()));
        break;
    case TrpPropertyKind::Int64:
        attribute(name, QString::number(value.toLongLong()));
        break;
    case TrpPropertyKind::Float:
    case TrpPropertyKind::DateTime:
        attribute(name, TrpValueText::formatFloat(value.toDouble()));
        break;
    case TrpPropertyKind::Boolean:
    case TrpPropertyKind::Enumeration: {
        const char* member = p.enumInfo->name(value.toInt());
        attribute(name, member != nullptr ? QString::fromLatin1(member) : QString::number(value.toInt()));
        break;
    }
    case TrpPropertyKind::SubObject:
        break;
    }
}

} // namespace

QByteArray TrpTemplateWriter::write(const TrpReport& report) {
    Writer writer;
    writer.out = QStringLiteral("<?xml version=\"1.0\" encoding=\"utf-8\" standalone=\"no\"?>\r\n");
    writer.writeObject(report, 0);
    return writer.out.toUtf8();
}
