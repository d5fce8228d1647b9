#include "TrpPicture.h"

#include "TrpError.h"

namespace {
const char InvalidData[] = "Invalid picture data";
constexpr char ValueMarker = 0x0A;
} // namespace

void TrpPicture::setImageData(const QString& graphicClass, const QByteArray& bytes) {
    m_graphicClass = graphicClass;
    m_bytes = bytes;
    m_image = QImage();
    if (bytes.isEmpty()) {
        return;
    }
    const char* format = graphicClass == QLatin1String(PngClassName) ? "PNG" : nullptr;
    if (!m_image.loadFromData(bytes, format)) {
        m_image = QImage();
        throw TrpError(QStringLiteral("Picture cannot be decoded"));
    }
}

void TrpPicture::clear() {
    m_graphicClass.clear();
    m_bytes.clear();
    m_image = QImage();
}

QByteArray TrpPicture::PropData() const {
    if (m_bytes.isEmpty()) {
        return {};
    }
    const QByteArray className = m_graphicClass.toLatin1().left(255);
    QByteArray data;
    data.append(static_cast<char>(className.size()));
    data.append(className);
    data.append(m_bytes);
    QByteArray record;
    record.append(static_cast<char>(4));
    record.append("Data");
    record.append(ValueMarker);
    const auto length = static_cast<quint32>(data.size());
    for (int shift = 0; shift < 32; shift += 8) {
        record.append(static_cast<char>((length >> shift) & 0xFF));
    }
    record.append(data);
    return record;
}

void TrpPicture::SetPropData(const QByteArray& record) {
    if (record.isEmpty()) {
        clear();
        return;
    }
    // Header: length byte, "Data", marker, 32-bit length.
    if (record.size() < 10 || record[0] != 4 || record.mid(1, 4) != "Data" || record[5] != ValueMarker) {
        throw TrpError(QString::fromLatin1(InvalidData));
    }
    quint32 length = 0;
    for (int i = 0; i < 4; ++i) {
        length |= static_cast<quint32>(static_cast<unsigned char>(record[6 + i])) << (8 * i);
    }
    const qsizetype available = record.size() - 10;
    if (length != static_cast<quint64>(available) || length < 1) {
        throw TrpError(QString::fromLatin1(InvalidData));
    }
    const auto nameLength = static_cast<unsigned char>(record[10]);
    if (static_cast<qsizetype>(nameLength) + 1 > available) {
        throw TrpError(QString::fromLatin1(InvalidData));
    }
    const QString className = QString::fromLatin1(record.mid(11, nameLength));
    setImageData(className, record.mid(11 + nameLength));
}

const TrpPropertyList& TrpPicture::properties() const {
    static const TrpPropertyList list(
        nullptr, {
                     TrpProp::binary("PropData", &TrpPicture::PropData, &TrpPicture::SetPropData),
                 });
    return list;
}
