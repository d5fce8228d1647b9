#pragma once

#include "TrpPersistent.h"

#include <QByteArray>
#include <QImage>

// The image of a picture view: the graphic class name and the image file's bytes as the template holds
// them ("TPNGObject" for a PNG), and the decoded image. In a template it is the property record written
// as Picture.PropData (see PropData()).
class TrpPicture : public TrpPersistent {
public:
    // The graphic class name of PNG images.
    static constexpr const char* PngClassName = "TPNGObject";

    bool isEmpty() const { return m_bytes.isEmpty(); }
    const QString& graphicClass() const { return m_graphicClass; }
    const QByteArray& bytes() const { return m_bytes; }
    // The decoded image; null when empty or when the bytes do not decode.
    const QImage& image() const { return m_image; }

    // Replaces the image by a file's bytes of that graphic class. Throws TrpError("Picture cannot be
    // decoded") when the bytes are not an image; the bytes are kept, so nothing of the template is lost.
    void setImageData(const QString& graphicClass, const QByteArray& bytes);
    void clear();

    // The property record: a length byte and "Data", the marker 0x0A, a 32-bit little-endian length and
    // that many bytes: a length byte and the graphic class name, then the image file's bytes.
    QByteArray PropData() const;
    // Throws TrpError("Invalid picture data") for a record of another form; the picture is unchanged then.
    void SetPropData(const QByteArray& record);

    const TrpPropertyList& properties() const override;
    bool operator==(const TrpPicture& other) const {
        return m_graphicClass == other.m_graphicClass && m_bytes == other.m_bytes;
    }

private:
    QString m_graphicClass;
    QByteArray m_bytes;
    QImage m_image;
};
