#include "TrpStoredPages.h"

#include "TrpError.h"
#include "TrpPagePainter.h"
#include "TrpPreviewPages.h"

#include <QDataStream>
#include <QIODevice>

namespace {

constexpr quint32 Magic = 0x56505047; // "VPPG"
constexpr quint32 Version = 1;

[[noreturn]] void damaged() {
    throw TrpError(QStringLiteral("The stored pages are damaged"));
}

// Fonts, frames and fills by their published properties, sub-objects nested, in declaration order: the
// order the reader sets them in (a frame's width before its sides' own widths).
void writeObject(QDataStream& out, TrpPersistent& object) {
    const std::vector<TrpProperty>& all = object.properties().all();
    out << static_cast<quint32>(all.size());
    for (const TrpProperty& p : all) {
        out << p.name;
        if (p.kind == TrpPropertyKind::SubObject) {
            out << true;
            writeObject(out, *p.sub(object));
        } else {
            out << false << p.get(object);
        }
    }
}

void readObject(QDataStream& in, TrpPersistent& object) {
    quint32 count = 0;
    in >> count;
    for (quint32 i = 0; i < count && in.status() == QDataStream::Ok; ++i) {
        QString name;
        bool nested = false;
        in >> name >> nested;
        const TrpProperty* p = object.properties().find(name);
        if (nested) {
            if (p == nullptr || p->kind != TrpPropertyKind::SubObject) {
                damaged();
            }
            readObject(in, *p->sub(object));
            continue;
        }
        QVariant value;
        in >> value;
        if (p == nullptr || !p->set) {
            damaged();
        }
        p->set(object, value);
    }
}

template <class T> void writeCopy(QDataStream& out, const T& object) {
    T copy = object;
    writeObject(out, copy);
}

template <class E> void writeEnum(QDataStream& out, E value) {
    out << static_cast<qint32>(value);
}

template <class E> E readEnum(QDataStream& in) {
    qint32 value = 0;
    in >> value;
    return static_cast<E>(value);
}

void writeSettings(QDataStream& out, const TrpPageSettings& s) {
    out << qint32(s.PaperSize) << s.PaperWidth << s.PaperHeight;
    writeEnum(out, s.Orientation);
    out << s.LeftMargin << s.RightMargin << s.TopMargin << s.BottomMargin << qint32(s.Bin)
        << qint32(s.BinOtherPages);
    writeEnum(out, s.Duplex);
    writeCopy(out, s.Frame);
}

TrpPageSettings readSettings(QDataStream& in) {
    TrpPageSettings s;
    qint32 paper = 0;
    qint32 bin = 0;
    qint32 binOther = 0;
    in >> paper >> s.PaperWidth >> s.PaperHeight;
    s.Orientation = readEnum<TrpPrintOrientation>(in);
    in >> s.LeftMargin >> s.RightMargin >> s.TopMargin >> s.BottomMargin >> bin >> binOther;
    s.Duplex = readEnum<TrpDuplexMode>(in);
    readObject(in, s.Frame);
    s.PaperSize = paper;
    s.Bin = bin;
    s.BinOtherPages = binOther;
    return s;
}

void writeView(QDataStream& out, const TrpPreparedView& v) {
    writeEnum(out, v.kind);
    out << v.name << v.bounds << qint32(v.visibility);
    writeCopy(out, v.frame);
    out << v.text;
    writeCopy(out, v.font);
    writeEnum(out, v.hAlign);
    out << v.wordWrap << v.gapX << v.gapY << v.lineSpacing << v.charSpacing << v.paragraphGap << v.clipped;
    writeCopy(out, v.fill);
    out << v.image << v.keepAspectRatio << v.stretched << v.center;
}

TrpPreparedView readView(QDataStream& in) {
    TrpPreparedView v;
    qint32 visibility = 0;
    v.kind = readEnum<TrpPreparedView::Kind>(in);
    in >> v.name >> v.bounds >> visibility;
    v.visibility = visibility;
    readObject(in, v.frame);
    in >> v.text;
    readObject(in, v.font);
    v.hAlign = readEnum<TrpHAlign>(in);
    in >> v.wordWrap >> v.gapX >> v.gapY >> v.lineSpacing >> v.charSpacing >> v.paragraphGap >> v.clipped;
    readObject(in, v.fill);
    in >> v.image >> v.keepAspectRatio >> v.stretched >> v.center;
    return v;
}

} // namespace

TrpStoredPages::TrpStoredPages(const TrpPreviewPages& pages) {
    pages_.reserve(static_cast<size_t>(pages.Count()));
    for (int i = 0; i < pages.Count(); ++i) {
        pages_.push_back(Page{pages.GetPageSettings(i), pages.GetPage(i)});
        pages_.back().page.sourceIndex = 0;
    }
}

QByteArray TrpStoredPages::toBytes() const {
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_0);
    out << Magic << Version << static_cast<quint32>(pages_.size());
    for (const Page& p : pages_) {
        writeSettings(out, p.settings);
        out << static_cast<quint32>(p.page.bands.size());
        for (const TrpPreparedBand& band : p.page.bands) {
            out << band.name << band.className << band.bounds << static_cast<quint32>(band.views.size());
            for (const TrpPreparedView& view : band.views) {
                writeView(out, view);
            }
        }
    }
    return bytes;
}

TrpStoredPages TrpStoredPages::fromBytes(const QByteArray& bytes) {
    QDataStream in(bytes);
    in.setVersion(QDataStream::Qt_6_0);
    quint32 magic = 0;
    quint32 version = 0;
    quint32 pageCount = 0;
    in >> magic >> version >> pageCount;
    if (in.status() != QDataStream::Ok || magic != Magic || version != Version) {
        damaged();
    }
    TrpStoredPages stored;
    for (quint32 i = 0; i < pageCount && in.status() == QDataStream::Ok; ++i) {
        Page p;
        p.settings = readSettings(in);
        quint32 bandCount = 0;
        in >> bandCount;
        for (quint32 b = 0; b < bandCount && in.status() == QDataStream::Ok; ++b) {
            TrpPreparedBand band;
            quint32 viewCount = 0;
            in >> band.name >> band.className >> band.bounds >> viewCount;
            for (quint32 v = 0; v < viewCount && in.status() == QDataStream::Ok; ++v) {
                band.views.push_back(readView(in));
            }
            p.page.bands.push_back(std::move(band));
        }
        stored.pages_.push_back(std::move(p));
    }
    if (in.status() != QDataStream::Ok || !in.atEnd()) {
        damaged();
    }
    return stored;
}

TrpPageSettings TrpStoredPages::PageFormat(int index) const {
    return pages_.at(static_cast<size_t>(index)).settings;
}

void TrpStoredPages::DrawPage(int index, QPainter& painter, double scaleX, double scaleY, double offsetX,
                              double offsetY, bool forPrinter) const {
    if (index < 0 || index >= PageCount()) {
        return;
    }
    const Page& p = pages_[static_cast<size_t>(index)];
    TrpPagePainter(painter, scaleX, scaleY, forPrinter ? TrpDrawTarget::Printer : TrpDrawTarget::Preview)
        .drawPage(p.page, p.settings, QPointF(offsetX, offsetY));
}
