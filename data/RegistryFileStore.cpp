#include "RegistryFileStore.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringList>

RegistryFileError::RegistryFileError(const QString& file, int line, const QString& reason)
    : std::runtime_error(QStringLiteral("The settings file \"%1\" is not a valid registry file (line %2: %3)")
                             .arg(file)
                             .arg(line)
                             .arg(reason)
                             .toStdString()),
      line_(line) {}

namespace {

const QString Version5Header = QStringLiteral("Windows Registry Editor Version 5.00");
const QString Version4Header = QStringLiteral("REGEDIT4");

QString normalizedKeyPath(QString path) {
    while (path.startsWith(QLatin1Char('\\'))) {
        path.remove(0, 1);
    }
    while (path.endsWith(QLatin1Char('\\'))) {
        path.chop(1);
    }
    return path.toLower();
}

// Maps "HKEY_CURRENT_USER\X" (or "HKCU\X") to "x"; other roots are not visible to the program.
bool currentUserSubPath(const QString& fullPath, QString* subPath) {
    const qsizetype slash = fullPath.indexOf(QLatin1Char('\\'));
    const QString root = (slash < 0 ? fullPath : fullPath.left(slash)).toUpper();
    if (root != QLatin1String("HKEY_CURRENT_USER") && root != QLatin1String("HKCU")) {
        return false;
    }
    *subPath = slash < 0 ? QString() : normalizedKeyPath(fullPath.mid(slash + 1));
    return true;
}

QString decodeContent(const QByteArray& content) {
    if (content.startsWith("\xFF\xFE")) {
        const QByteArray body = content.mid(2);
        return QString::fromUtf16(reinterpret_cast<const char16_t*>(body.constData()), body.size() / 2);
    }
    if (content.startsWith("\xEF\xBB\xBF")) {
        return QString::fromUtf8(content.mid(3));
    }
    return QString::fromUtf8(content);
}

QStringList splitLines(const QString& text) {
    QStringList lines;
    QString current;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) {
            lines.append(current);
            current.clear();
            if (c == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n')) {
                ++i;
            }
        } else {
            current.append(c);
        }
    }
    if (!current.isEmpty()) {
        lines.append(current);
    }
    return lines;
}

class RegistryFileKey final : public SettingsKey {
public:
    explicit RegistryFileKey(RegistryFileStore::Values values) : values_(std::move(values)) {}

    std::optional<RegistryValue> value(const QString& name) const override {
        const auto it = values_.find(name.toLower());
        if (it == values_.end()) {
            return std::nullopt;
        }
        return it->second;
    }

private:
    RegistryFileStore::Values values_;
};

// Reads one file line by line; every rejection names the line where the bad text starts.
class Parser {
public:
    Parser(const QStringList& lines, const QString& fileName) : lines_(lines), fileName_(fileName) {}

    std::map<QString, RegistryFileStore::Values> run() {
        readHeader();
        while (index_ < lines_.size()) {
            const int lineNo = static_cast<int>(index_) + 1;
            const QString line = lines_.at(index_++).trimmed();
            if (line.isEmpty() || line.startsWith(QLatin1Char(';'))) {
                continue;
            }
            if (line.startsWith(QLatin1Char('['))) {
                readKeyLine(line, lineNo);
            } else if (line.startsWith(QLatin1Char('"')) || line.startsWith(QLatin1Char('@'))) {
                readValueLine(line, lineNo);
            } else {
                fail(lineNo, QStringLiteral("a key in brackets or a quoted value name was expected"));
            }
        }
        return std::move(keys_);
    }

private:
    [[noreturn]] void fail(int line, const QString& reason) const {
        throw RegistryFileError(fileName_, line, reason);
    }

    void readHeader() {
        while (index_ < lines_.size() && lines_.at(index_).trimmed().isEmpty()) {
            ++index_;
        }
        if (index_ >= lines_.size()) {
            fail(1, QStringLiteral("the file is empty"));
        }
        const QString header = lines_.at(index_).trimmed();
        if (header == Version5Header) {
            version5_ = true;
        } else if (header == Version4Header) {
            version5_ = false;
        } else {
            fail(static_cast<int>(index_) + 1, QStringLiteral("the first line must be \"%1\" or \"%2\"")
                                                   .arg(Version5Header, Version4Header));
        }
        ++index_;
    }

    void readKeyLine(const QString& line, int lineNo) {
        if (!line.endsWith(QLatin1Char(']'))) {
            fail(lineNo, QStringLiteral("the key name has no closing bracket"));
        }
        QString path = line.mid(1, line.size() - 2);
        const bool remove = path.startsWith(QLatin1Char('-'));
        if (remove) {
            path.remove(0, 1);
        }
        if (path.trimmed().isEmpty()) {
            fail(lineNo, QStringLiteral("the key name is empty"));
        }
        QString sub;
        const bool visible = currentUserSubPath(path, &sub);
        if (remove) {
            current_ = nullptr;
            if (visible) {
                const QString prefix = sub + QLatin1Char('\\');
                for (auto it = keys_.begin(); it != keys_.end();) {
                    if (it->first == sub || it->first.startsWith(prefix)) {
                        it = keys_.erase(it);
                    } else {
                        ++it;
                    }
                }
            }
            return;
        }
        // Values under keys of other roots are read and checked, then dropped.
        current_ = visible ? &keys_[sub] : &ignored_;
        if (!visible) {
            ignored_.clear();
        }
    }

    // Reads `"name"` (with \\ and \" escapes) or `@` from the start of `line`; returns the position after.
    qsizetype readValueName(const QString& line, int lineNo, QString* name) const {
        if (line.startsWith(QLatin1Char('@'))) {
            name->clear();
            return 1;
        }
        qsizetype i = 1;
        while (i < line.size()) {
            const QChar c = line.at(i);
            if (c == QLatin1Char('\\') && i + 1 < line.size()) {
                name->append(line.at(i + 1));
                i += 2;
            } else if (c == QLatin1Char('"')) {
                return i + 1;
            } else {
                name->append(c);
                ++i;
            }
        }
        fail(lineNo, QStringLiteral("the value name has no closing quote"));
    }

    void readValueLine(const QString& line, int lineNo) {
        if (!current_) {
            fail(lineNo, QStringLiteral("a value appears before any key"));
        }
        QString name;
        qsizetype pos = readValueName(line, lineNo, &name);
        while (pos < line.size() && line.at(pos).isSpace()) {
            ++pos;
        }
        if (pos >= line.size() || line.at(pos) != QLatin1Char('=')) {
            fail(lineNo, QStringLiteral("'=' was expected after the value name"));
        }
        const QString data = line.mid(pos + 1).trimmed();
        const QString key = name.toLower();
        if (data == QLatin1String("-")) {
            current_->erase(key);
            return;
        }
        (*current_)[key] = readData(data, lineNo);
    }

    RegistryValue readData(const QString& data, int lineNo) {
        RegistryValue v;
        if (data.startsWith(QLatin1Char('"'))) {
            v.type = RegSz;
            v.fromText = true;
            qsizetype i = 1;
            bool closed = false;
            while (i < data.size()) {
                const QChar c = data.at(i);
                if (c == QLatin1Char('\\') && i + 1 < data.size() &&
                    (data.at(i + 1) == QLatin1Char('\\') || data.at(i + 1) == QLatin1Char('"'))) {
                    v.text.append(data.at(i + 1));
                    i += 2;
                } else if (c == QLatin1Char('"')) {
                    closed = true;
                    ++i;
                    break;
                } else {
                    v.text.append(c);
                    ++i;
                }
            }
            if (!closed) {
                fail(lineNo, QStringLiteral("the string has no closing quote"));
            }
            if (!data.mid(i).trimmed().isEmpty()) {
                fail(lineNo, QStringLiteral("unexpected text after the string"));
            }
            return v;
        }
        const QString lower = data.toLower();
        if (lower.startsWith(QLatin1String("dword:"))) {
            const QString digits = data.mid(6).trimmed();
            bool ok = false;
            const uint number = digits.toUInt(&ok, 16);
            if (!ok || digits.isEmpty() || digits.size() > 8) {
                fail(lineNo, QStringLiteral("'%1' is not a dword of up to 8 hex digits").arg(digits));
            }
            v.type = RegDword;
            for (int b = 0; b < 4; ++b) {
                v.bytes.append(static_cast<char>((number >> (8 * b)) & 0xFF));
            }
            return v;
        }
        QString list;
        if (lower.startsWith(QLatin1String("hex:"))) {
            v.type = RegBinary;
            list = data.mid(4);
        } else if (lower.startsWith(QLatin1String("hex("))) {
            const qsizetype close = data.indexOf(QLatin1String("):"));
            bool ok = false;
            const uint type = close > 4 ? data.mid(4, close - 4).toUInt(&ok, 16) : 0;
            if (!ok) {
                fail(lineNo, QStringLiteral("the value type in hex(...) is not a hex number"));
            }
            v.type = type;
            list = data.mid(close + 2);
        } else {
            fail(lineNo, QStringLiteral("the value data is neither a string, a dword nor a hex list"));
        }
        v.unicodeBytes = version5_;
        v.bytes = readHexList(list, lineNo);
        return v;
    }

    // A comma-separated byte list; a trailing backslash continues it on the next line.
    QByteArray readHexList(QString list, int lineNo) {
        QByteArray bytes;
        for (;;) {
            QString part = list.trimmed();
            const bool continued = part.endsWith(QLatin1Char('\\'));
            if (continued) {
                part.chop(1);
            }
            const QStringList items = part.split(QLatin1Char(','), Qt::SkipEmptyParts);
            for (const QString& raw : items) {
                const QString item = raw.trimmed();
                bool ok = false;
                const uint byte = item.toUInt(&ok, 16);
                if (!ok || item.size() > 2) {
                    fail(lineNo, QStringLiteral("'%1' is not a hex byte").arg(item));
                }
                bytes.append(static_cast<char>(byte));
            }
            if (!continued) {
                return bytes;
            }
            if (index_ >= lines_.size()) {
                fail(lineNo, QStringLiteral("the hex list continues past the end of the file"));
            }
            lineNo = static_cast<int>(index_) + 1;
            list = lines_.at(index_++);
        }
    }

    const QStringList& lines_;
    const QString& fileName_;
    qsizetype index_ = 0;
    bool version5_ = true;
    std::map<QString, RegistryFileStore::Values> keys_;
    RegistryFileStore::Values ignored_;
    RegistryFileStore::Values* current_ = nullptr;
};

} // namespace

std::unique_ptr<RegistryFileStore> RegistryFileStore::open(const QString& filePath) {
    QFile file(filePath);
    if (!file.exists()) {
        return std::make_unique<RegistryFileStore>();
    }
    if (!file.open(QIODevice::ReadOnly)) {
        throw RegistryFileError(filePath, 0, file.errorString());
    }
    return parse(file.readAll(), filePath);
}

std::unique_ptr<RegistryFileStore> RegistryFileStore::parse(const QByteArray& content,
                                                            const QString& fileName) {
    const QStringList lines = splitLines(decodeContent(content));
    auto store = std::make_unique<RegistryFileStore>();
    store->keys_ = Parser(lines, fileName).run();
    return store;
}

std::unique_ptr<SettingsKey> RegistryFileStore::openKey(const QString& path) const {
    const QString wanted = normalizedKeyPath(path);
    const auto it = keys_.find(wanted);
    if (it != keys_.end()) {
        return std::make_unique<RegistryFileKey>(it->second);
    }
    // A key that the file names only as the parent of another key exists, without values.
    const QString prefix = wanted + QLatin1Char('\\');
    const auto next = keys_.lower_bound(prefix);
    if (next != keys_.end() && next->first.startsWith(prefix)) {
        return std::make_unique<RegistryFileKey>(Values{});
    }
    return nullptr;
}
