#include "TicketPdfEngine.h"

#include "TicketPdfWriter.h"

#include <QImage>
#include <QPixmap>
#include <QTextItem>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <libdeflate.h>

namespace {

// Resources, pages and the document's catalogue have fixed numbers; the rest follows.
constexpr int CatalogObject = 1;
constexpr int PagesObject = 2;
constexpr int InfoObject = 3;
constexpr int ResourcesObject = 4;

constexpr double PointsPerDot = 72.0 / TicketPdfWriter::Resolution;

// A number as PDF writes it: at most three decimals, no trailing zeros, a space after it.
void num(QByteArray& out, double value) {
    long long thousandths = std::llround(value * 1000);
    char text[32];
    char* end = text + sizeof text;
    char* at = end;
    *--at = ' ';
    const bool negative = thousandths < 0;
    unsigned long long rest = static_cast<unsigned long long>(negative ? -thousandths : thousandths);
    int fraction = static_cast<int>(rest % 1000);
    rest /= 1000;
    if (fraction != 0) {
        int digits = 3;
        while (fraction % 10 == 0) {
            fraction /= 10;
            --digits;
        }
        for (int i = 0; i < digits; ++i) {
            *--at = static_cast<char>('0' + fraction % 10);
            fraction /= 10;
        }
        *--at = '.';
    }
    do {
        *--at = static_cast<char>('0' + rest % 10);
        rest /= 10;
    } while (rest != 0);
    if (negative) {
        *--at = '-';
    }
    out.append(at, end - at);
}

void color(QByteArray& out, const QColor& c) {
    num(out, c.redF());
    num(out, c.greenF());
    num(out, c.blueF());
}

QByteArray textString(const QString& text) {
    // UTF-16 with its byte order mark, hex-coded.
    QByteArray out = "<FEFF";
    out += QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2).toHex().toUpper();
    if (QSysInfo::ByteOrder == QSysInfo::LittleEndian) {
        for (qsizetype i = 5; i + 3 < out.size(); i += 4) {
            std::swap(out[i], out[i + 2]);
            std::swap(out[i + 1], out[i + 3]);
        }
    }
    out += '>';
    return out;
}

bool hasRightToLeft(const QString& text) {
    for (const QChar c : text) {
        if (c.direction() == QChar::DirR || c.direction() == QChar::DirAL) {
            return true;
        }
    }
    return false;
}

// A zlib stream of `data` at the fastest level: a ticket's font programs and pages compress in a tenth
// of a millisecond or so, and one compressor per thread is kept for every document it writes.
QByteArray deflated(const QByteArray& data) {
    struct Compressor {
        libdeflate_compressor* compressor = libdeflate_alloc_compressor(1);
        Compressor() = default;
        ~Compressor() { libdeflate_free_compressor(compressor); }
        Compressor(const Compressor&) = delete;
        Compressor& operator=(const Compressor&) = delete;
    };
    thread_local Compressor c;
    if (c.compressor == nullptr) {
        return qCompress(data, 1).mid(4); // Qt's length prefix, then a zlib stream
    }
    QByteArray out(static_cast<qsizetype>(libdeflate_zlib_compress_bound(c.compressor, data.size())),
                   Qt::Uninitialized);
    const size_t size = libdeflate_zlib_compress(c.compressor, data.constData(), data.size(), out.data(),
                                                 static_cast<size_t>(out.size()));
    if (size == 0) {
        return qCompress(data, 1).mid(4);
    }
    out.truncate(static_cast<qsizetype>(size));
    return out;
}

QPainterPath rectangle(const QRectF& rect) {
    QPainterPath path;
    path.addRect(rect);
    return path;
}

bool isRectangle(const QPainterPath& path, QRectF* rect) {
    if (path.elementCount() != 5) {
        return false;
    }
    const QPainterPath::Element e[] = {path.elementAt(0), path.elementAt(1), path.elementAt(2),
                                       path.elementAt(3), path.elementAt(4)};
    if (!e[0].isMoveTo() || !e[1].isLineTo() || !e[2].isLineTo() || !e[3].isLineTo() || !e[4].isLineTo() ||
        e[4].x != e[0].x || e[4].y != e[0].y) {
        return false;
    }
    const bool sides = (e[0].y == e[1].y && e[1].x == e[2].x && e[2].y == e[3].y && e[3].x == e[0].x) ||
                       (e[0].x == e[1].x && e[1].y == e[2].y && e[2].x == e[3].x && e[3].y == e[0].y);
    if (sides) {
        *rect = QRectF(QPointF(e[0].x, e[0].y), QPointF(e[2].x, e[2].y)).normalized();
    }
    return sides;
}

} // namespace

std::atomic<qsizetype> TicketPdfEngine::contentHint_{16 * 1024};

TicketPdfEngine::TicketPdfEngine(QString title, const QSizeF& pageMm)
    : QPaintEngine(QPaintEngine::AllFeatures), title_(std::move(title)), pageMm_(pageMm) {}

int TicketPdfEngine::newObject() {
    offsets_.append(0);
    return static_cast<int>(offsets_.size());
}

void TicketPdfEngine::startObject(int number) {
    offsets_[number - 1] = out_.size();
    out_ += QByteArray::number(number) + " 0 obj\n";
}

void TicketPdfEngine::writeStream(int number, const QByteArray& dictionary, const QByteArray& data) {
    startObject(number);
    out_ += "<<" + dictionary + "/Length " + QByteArray::number(data.size()) + ">>\nstream\n";
    out_ += data;
    out_ += "\nendstream\nendobj\n";
}

bool TicketPdfEngine::begin(QPaintDevice*) {
    out_.clear();
    offsets_.clear();
    pageObjects_.clear();
    subsets_.clear();
    subsetIndex_.clear();
    imageResources_.clear();
    images_ = 0;
    out_.reserve(contentHint_ + 64 * 1024);
    out_ += "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n";
    for (int fixed = CatalogObject; fixed <= ResourcesObject; ++fixed) {
        newObject();
    }
    startPage();
    return true;
}

void TicketPdfEngine::startPage() {
    currentPageMm_ = pageMm_;
    content_.clear();
    content_.reserve(contentHint_);
    // Device units (600 per inch) with y downwards onto PDF points with y upwards.
    content_ += "0.12 0 0 -0.12 0 ";
    num(content_, currentPageMm_.height() / 25.4 * 72);
    content_ += "cm\n";
    pageOpen_ = true;
}

void TicketPdfEngine::finishPage() {
    if (!pageOpen_) {
        return;
    }
    pageOpen_ = false;
    if (content_.size() > contentHint_) {
        contentHint_ = content_.size() + content_.size() / 4;
    }
    const int contents = newObject();
    writeStream(contents, "/Filter/FlateDecode", deflated(content_));
    const int page = newObject();
    pageObjects_.append(page);
    startObject(page);
    QByteArray box;
    num(box, currentPageMm_.width() / 25.4 * 72);
    num(box, currentPageMm_.height() / 25.4 * 72);
    out_ += "<</Type/Page/Parent 2 0 R/MediaBox [0 0 " + box.trimmed() + "]/Resources 4 0 R/Contents " +
            QByteArray::number(contents) + " 0 R>>\nendobj\n";
}

void TicketPdfEngine::newPage() {
    finishPage();
    startPage();
}

bool TicketPdfEngine::end() {
    finishPage();
    QByteArray fonts;
    writeFonts(fonts);
    startObject(ResourcesObject);
    out_ +=
        "<</Font<<" + fonts + ">>/XObject<<" + imageResources_ + ">>/ProcSet[/PDF/Text/ImageC]>>\nendobj\n";
    startObject(PagesObject);
    out_ += "<</Type/Pages/Kids[";
    for (const int page : std::as_const(pageObjects_)) {
        out_ += QByteArray::number(page) + " 0 R ";
    }
    out_ += "]/Count " + QByteArray::number(pageObjects_.size()) + ">>\nendobj\n";
    startObject(CatalogObject);
    out_ += "<</Type/Catalog/Pages 2 0 R>>\nendobj\n";
    startObject(InfoObject);
    out_ += "<</Title" + textString(title_) + "/Creator" +
            textString(QStringLiteral("Veloria Kitchen Printing Server")) + "/Producer" +
            textString(QStringLiteral("Veloria ticket PDF")) + ">>\nendobj\n";
    const qsizetype xref = out_.size();
    out_ += "xref\n0 " + QByteArray::number(offsets_.size() + 1) + "\n0000000000 65535 f \n";
    char entry[24];
    for (const qsizetype offset : std::as_const(offsets_)) {
        std::snprintf(entry, sizeof entry, "%010lld 00000 n \n", static_cast<long long>(offset));
        out_ += entry;
    }
    out_ += "trailer\n<</Size " + QByteArray::number(offsets_.size() + 1) +
            "/Root 1 0 R/Info 3 0 R>>\nstartxref\n" + QByteArray::number(xref) + "\n%%EOF\n";
    return true;
}

void TicketPdfEngine::writeFonts(QByteArray& fontResources) {
    for (size_t i = 0; i < subsets_.size(); ++i) {
        TrueTypeSubset& subset = *subsets_[i];
        const TrueTypeFace& face = subset.face();
        // Six capitals name a subset; they only need to differ between the document's fonts.
        QByteArray tag = "VKPSA";
        tag += static_cast<char>('A' + i % 26);
        const QByteArray name = tag + '+' + face.postScriptName();
        const QByteArray program = subset.fontProgram();
        const int file = newObject();
        writeStream(file, "/Length1 " + QByteArray::number(program.size()) + "/Filter/FlateDecode",
                    deflated(program));
        const int descriptor = newObject();
        startObject(descriptor);
        const QRect box = face.boundingBox();
        out_ += "<</Type/FontDescriptor/FontName/" + name + "/Flags 32/FontBBox[" +
                QByteArray::number(box.left()) + ' ' + QByteArray::number(box.top()) + ' ' +
                QByteArray::number(box.right()) + ' ' + QByteArray::number(box.bottom()) + "]/ItalicAngle " +
                QByteArray::number(face.italicAngle()) + "/Ascent " + QByteArray::number(face.ascent()) +
                "/Descent " + QByteArray::number(face.descent()) + "/CapHeight " +
                QByteArray::number(face.capHeight()) + "/StemV " + QByteArray(face.bold() ? "120" : "80") +
                "/FontFile2 " + QByteArray::number(file) + " 0 R>>\nendobj\n";
        const int cidFont = newObject();
        startObject(cidFont);
        out_ += "<</Type/Font/Subtype/CIDFontType2/BaseFont/" + name +
                "/CIDSystemInfo<</Registry(Adobe)/Ordering(Identity)/Supplement 0>>/FontDescriptor " +
                QByteArray::number(descriptor) + " 0 R/W" + subset.widths() +
                "/CIDToGIDMap/Identity>>\nendobj\n";
        const int unicode = newObject();
        writeStream(unicode, "/Filter/FlateDecode", deflated(subset.toUnicode()));
        const int font = newObject();
        startObject(font);
        out_ += "<</Type/Font/Subtype/Type0/BaseFont/" + name + "/Encoding/Identity-H/DescendantFonts[" +
                QByteArray::number(cidFont) + " 0 R]/ToUnicode " + QByteArray::number(unicode) +
                " 0 R>>\nendobj\n";
        fontResources += "/F" + QByteArray::number(i + 1) + ' ' + QByteArray::number(font) + " 0 R";
    }
}

void TicketPdfEngine::updateState(const QPaintEngineState& state) {
    const QPaintEngine::DirtyFlags flags = state.state();
    if (flags & DirtyTransform) {
        matrix_ = state.transform();
    }
    if (flags & DirtyPen) {
        pen_ = state.pen();
    }
    if (flags & DirtyBrush) {
        brush_ = state.brush();
    }
    if (flags & DirtyClipEnabled) {
        clipEnabled_ = state.isClipEnabled();
    }
    const auto clipTo = [this](const QPainterPath& path, Qt::ClipOperation operation) {
        if (operation == Qt::NoClip) {
            clips_.clear();
            clipEnabled_ = false;
            return;
        }
        if (operation == Qt::ReplaceClip) {
            clips_.clear();
        }
        clips_.append(matrix_.map(path));
        clipEnabled_ = true;
    };
    if (flags & DirtyClipPath) {
        clipTo(state.clipPath(), state.clipOperation());
    }
    if (flags & DirtyClipRegion) {
        QPainterPath path;
        for (const QRect& rect : state.clipRegion()) {
            path.addRect(rect);
        }
        clipTo(path, state.clipOperation());
    }
}

void TicketPdfEngine::beginOperation() {
    content_ += "q\n";
    if (clipEnabled_) {
        for (const QPainterPath& clip : std::as_const(clips_)) {
            appendPath(clip);
            content_ += clip.fillRule() == Qt::OddEvenFill ? "W* n\n" : "W n\n";
        }
    }
    appendMatrix(matrix_);
}

void TicketPdfEngine::appendMatrix(const QTransform& m) {
    if (!m.isIdentity()) {
        num(content_, m.m11());
        num(content_, m.m12());
        num(content_, m.m21());
        num(content_, m.m22());
        num(content_, m.dx());
        num(content_, m.dy());
        content_ += "cm\n";
    }
}

void TicketPdfEngine::setStroke() {
    color(content_, pen_.color());
    content_ += "RG ";
    const double width = pen_.widthF();
    num(content_, width);
    content_ += "w ";
    content_ += pen_.capStyle() == Qt::RoundCap ? "1 J " : pen_.capStyle() == Qt::SquareCap ? "2 J " : "0 J ";
    content_ += pen_.joinStyle() == Qt::RoundJoin   ? "1 j "
                : pen_.joinStyle() == Qt::BevelJoin ? "2 j "
                                                    : "0 j ";
    if (pen_.style() != Qt::SolidLine) {
        content_ += '[';
        for (const qreal dash : pen_.dashPattern()) {
            num(content_, dash * std::max(1.0, width));
        }
        content_ += "]0 d";
    }
    content_ += '\n';
}

void TicketPdfEngine::setFill(const QColor& c) {
    color(content_, c);
    content_ += "rg\n";
}

void TicketPdfEngine::appendPath(const QPainterPath& path) {
    QRectF rect;
    if (isRectangle(path, &rect)) {
        num(content_, rect.x());
        num(content_, rect.y());
        num(content_, rect.width());
        num(content_, rect.height());
        content_ += "re\n";
        return;
    }
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        if (e.isCurveTo() && i + 2 < path.elementCount()) {
            const QPainterPath::Element c1 = path.elementAt(i + 1);
            const QPainterPath::Element c2 = path.elementAt(i + 2);
            num(content_, e.x);
            num(content_, e.y);
            num(content_, c1.x);
            num(content_, c1.y);
            num(content_, c2.x);
            num(content_, c2.y);
            content_ += "c\n";
            i += 2;
            continue;
        }
        num(content_, e.x);
        num(content_, e.y);
        content_ += e.isMoveTo() ? "m\n" : "l\n";
    }
}

void TicketPdfEngine::paintCurrentPath(bool closed, Qt::FillRule rule) {
    const bool fill = closed && brush_.style() != Qt::NoBrush;
    const bool stroke = pen_.style() != Qt::NoPen;
    const bool oddEven = rule == Qt::OddEvenFill;
    if (fill && stroke) {
        content_ += oddEven ? "B*\nQ\n" : "B\nQ\n";
    } else if (fill) {
        content_ += oddEven ? "f*\nQ\n" : "f\nQ\n";
    } else if (stroke) {
        content_ += "S\nQ\n";
    } else {
        content_ += "n\nQ\n";
    }
}

void TicketPdfEngine::drawPath(const QPainterPath& path) {
    const bool fill = brush_.style() != Qt::NoBrush;
    if (!fill && pen_.style() == Qt::NoPen) {
        return;
    }
    beginOperation();
    if (fill) {
        setFill(brush_.color());
    }
    if (pen_.style() != Qt::NoPen) {
        setStroke();
    }
    appendPath(path);
    paintCurrentPath(true, path.fillRule());
}

void TicketPdfEngine::drawRects(const QRectF* rects, int count) {
    QPainterPath path;
    for (int i = 0; i < count; ++i) {
        path.addRect(rects[i]);
    }
    drawPath(path);
}

void TicketPdfEngine::drawLines(const QLineF* lines, int count) {
    if (pen_.style() == Qt::NoPen || count == 0) {
        return;
    }
    beginOperation();
    setStroke();
    for (int i = 0; i < count; ++i) {
        num(content_, lines[i].x1());
        num(content_, lines[i].y1());
        content_ += "m ";
        num(content_, lines[i].x2());
        num(content_, lines[i].y2());
        content_ += "l\n";
    }
    content_ += "S\nQ\n";
}

void TicketPdfEngine::drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) {
    if (count < 2) {
        return;
    }
    QPainterPath path(points[0]);
    for (int i = 1; i < count; ++i) {
        path.lineTo(points[i]);
    }
    if (mode == PolylineMode) {
        const QBrush brush = brush_;
        brush_ = Qt::NoBrush;
        drawPath(path);
        brush_ = brush;
        return;
    }
    path.closeSubpath();
    path.setFillRule(mode == OddEvenMode ? Qt::OddEvenFill : Qt::WindingFill);
    drawPath(path);
}

void TicketPdfEngine::drawPixmap(const QRectF& r, const QPixmap& pixmap, const QRectF& sr) {
    drawImage(r, pixmap.toImage(), sr);
}

void TicketPdfEngine::drawImage(const QRectF& r, const QImage& image, const QRectF& sr,
                                Qt::ImageConversionFlags) {
    const QRect part = sr.toAlignedRect().intersected(image.rect());
    if (part.isEmpty()) {
        return;
    }
    const QImage source = part == image.rect() ? image : image.copy(part);
    const QImage rgb = source.convertToFormat(QImage::Format_RGB888);
    QByteArray pixels;
    pixels.reserve(qsizetype(rgb.width()) * rgb.height() * 3);
    for (int y = 0; y < rgb.height(); ++y) {
        pixels.append(reinterpret_cast<const char*>(rgb.constScanLine(y)), rgb.width() * 3);
    }
    const QByteArray size =
        "/Width " + QByteArray::number(rgb.width()) + "/Height " + QByteArray::number(rgb.height());
    QByteArray mask;
    if (source.hasAlphaChannel()) {
        const QImage alpha = source.convertToFormat(QImage::Format_Alpha8);
        QByteArray levels;
        for (int y = 0; y < alpha.height(); ++y) {
            levels.append(reinterpret_cast<const char*>(alpha.constScanLine(y)), alpha.width());
        }
        const int maskObject = newObject();
        writeStream(maskObject,
                    "/Type/XObject/Subtype/Image" + size +
                        "/ColorSpace/DeviceGray/BitsPerComponent 8/Filter/FlateDecode",
                    deflated(levels));
        mask = "/SMask " + QByteArray::number(maskObject) + " 0 R";
    }
    const int object = newObject();
    writeStream(object,
                "/Type/XObject/Subtype/Image" + size +
                    "/ColorSpace/DeviceRGB/BitsPerComponent 8/Filter/FlateDecode" + mask,
                deflated(pixels));
    const QByteArray name = "Im" + QByteArray::number(++images_);
    imageResources_ += '/' + name + ' ' + QByteArray::number(object) + " 0 R";
    beginOperation();
    num(content_, r.width());
    content_ += "0 0 ";
    num(content_, -r.height());
    num(content_, r.x());
    num(content_, r.y() + r.height());
    content_ += "cm /" + name + " Do\nQ\n";
}

void TicketPdfEngine::drawTextItem(const QPointF& p, const QTextItem& textItem) {
    // The glyphs the painter shaped for this piece of text, exactly as a raster device receives them.
    beginOperation();
    showShaped(p, ShapedText::fromTextItem(textItem), pen_.color());
}

void TicketPdfEngine::drawTextRun(const QPointF& p, const QFont& font, QStringView text, const QColor& color,
                                  const QTransform& transform, const std::optional<QRectF>& clip) {
    content_ += "q\n";
    if (clip) {
        appendPath(rectangle(*clip));
        content_ += "W n\n";
    }
    appendMatrix(transform);
    showShaped(p, *ShapedText::shape(font, text.toString()), color);
}

void TicketPdfEngine::showShaped(const QPointF& p, const ShapedText& shaped, const QColor& color) {
    setFill(color);
    // Glyphs that are not one per character (combined, reordered syllables) carry the text they show, so
    // that copying the line gives the text as it was typed. Right-to-left lines do not: readers put their
    // glyphs back into reading order from the map of each glyph, and would turn a spelled-out text around
    // as well.
    const bool spelled = !ShapedText::isSimple(shaped.text()) && !hasRightToLeft(shaped.text());
    if (spelled) {
        content_ += "/Span<</ActualText" + textString(shaped.text()) + ">>BDC\n";
    }
    for (const ShapedRun& run : shaped.runs()) {
        if (run.face) {
            showRun(p, run, color);
        } else {
            fillOutlines(p, run);
        }
    }
    content_ += spelled ? "EMC\nQ\n" : "Q\n";
}

void TicketPdfEngine::showRun(const QPointF& p, const ShapedRun& run, const QColor& ink) {
    int index = subsetIndex_.value(run.face.get(), -1);
    if (index < 0) {
        index = static_cast<int>(subsets_.size());
        subsets_.push_back(std::make_unique<TrueTypeSubset>(run.face));
        subsetIndex_.insert(run.face.get(), index);
    }
    TrueTypeSubset& subset = *subsets_[static_cast<size_t>(index)];
    const double size = run.pixelSize;
    const double unit = size / run.face->unitsPerEm();
    content_ += "BT /F";
    content_ += QByteArray::number(index + 1);
    content_ += ' ';
    num(content_, size);
    content_ += "Tf ";
    if (run.syntheticBold) {
        // The platform widens an emboldened outline by a 64th of the em; a stroke of that width does the
        // same.
        color(content_, ink);
        content_ += "RG ";
        num(content_, size / 64);
        content_ += "w 2 Tr ";
    }
    // Text space has y upwards; the page's device units have it downwards. A slanted face leans right.
    const char* const slant = run.syntheticItalic ? "1 0 0.2126 -1 " : "1 0 0 -1 ";
    double penX = 0;
    double lineY = 0;
    bool open = false;
    for (qsizetype i = 0; i < run.glyphs.size(); ++i) {
        const QPointF at = p + run.positions[i];
        if (!open || std::abs(at.y() - lineY) > 0.001) {
            if (open) {
                content_ += ">]TJ\n";
            }
            content_ += slant;
            num(content_, at.x());
            num(content_, at.y());
            content_ += "Tm [<";
            lineY = at.y();
            open = true;
        } else if (std::abs(at.x() - penX) > 0.5) {
            // The shaped position, where the face's own advance would put the glyph elsewhere (a mark, a
            // contextual form's advance). Drifts below half a dot (1/1200 inch) from the platform's rounding
            // of advances are left to the next glyph that moves.
            content_ += '>';
            num(content_, (penX - at.x()) * 1000 / size);
            content_ += '<';
        }
        subset.encode(run.glyphs[i], run.texts[i], content_);
        penX = at.x() + run.face->advance(run.glyphs[i]) * unit;
    }
    if (open) {
        content_ += ">]TJ ";
    }
    // The rendering mode is graphics state and outlives the text object: the line's next face is filled
    // only.
    content_ += run.syntheticBold ? "0 Tr ET\n" : "ET\n";
}

void TicketPdfEngine::fillOutlines(const QPointF& p, const ShapedRun& run) {
    // A face that cannot be embedded (not TrueType): its glyphs' outlines, filled.
    QPainterPath path;
    for (qsizetype i = 0; i < run.glyphs.size(); ++i) {
        path.addPath(run.font.pathForGlyph(run.glyphs[i]).translated(p + run.positions[i]));
    }
    appendPath(path);
    content_ += "f\n";
}
