#include "TicketArchive.h"

#include "EscPosEncoder.h"
#include "OutputFile.h"
#include "PrinterLanguage.h"
#include "TrpStoredPages.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <algorithm>

namespace {

constexpr quint32 Magic = 0x564b5454; // "VKTT"
constexpr quint32 Version = 1;
const QString DayPattern = QStringLiteral("yyyy-MM-dd");
const QString CompanionSuffix = QStringLiteral(".ticket");
const QString PdfSuffix = QStringLiteral(".pdf");
// The bytes a receipt printer's queue took (ESC/POS raster).
const QString EscPosSuffix = QStringLiteral(".escpos");

QString documentSuffix(const QByteArray& document) {
    return isEscPosDocument(document) ? EscPosSuffix : PdfSuffix;
}

// What the archive writes into a day folder, as baseName() names it: a document, a companion, or either of
// them half written when the program stopped. Nothing else in a day folder is the archive's to remove.
const QRegularExpression& ownFileName() {
    static const QRegularExpression own(QStringLiteral(
        R"(^\d\d-\d\d-\d\d (Reprint )?(Order|Packaging Order|Void) -?\d+ .+\.(pdf|escpos|ticket)(\.part)?$)"));
    return own;
}

// Printer names come from the database; a name must not climb out of the day folder or trip a file system.
QString safeForFileName(const QString& text) {
    QString safe = text;
    static const QRegularExpression unsafe(QStringLiteral(R"([\\/:*?"<>|\x00-\x1f])"));
    safe.replace(unsafe, QStringLiteral("_"));
    safe = safe.trimmed();
    return safe.isEmpty() || safe == QStringLiteral(".") || safe == QStringLiteral("..") ? QStringLiteral("_")
                                                                                         : safe;
}

QString baseName(const PrintedTicket& t) {
    QString kind;
    switch (t.kind) {
    case PrintedTicket::Kind::Kitchen:
        kind = QStringLiteral("Order");
        break;
    case PrintedTicket::Kind::Packaging:
        kind = QStringLiteral("Packaging Order");
        break;
    case PrintedTicket::Kind::Void:
        kind = QStringLiteral("Void");
        break;
    }
    return QStringLiteral("%1 %2%3 %4 %5")
        .arg(t.time.toString(QStringLiteral("HH-mm-ss")), t.reprint ? QStringLiteral("Reprint ") : QString(),
             kind)
        .arg(t.id)
        .arg(safeForFileName(t.station));
}

// Written beside its place and renamed into it, so that the window never lists half a file. Not synced to
// the disk: a copy lost to a power cut is not worth holding up every ticket for.
void writeFile(const QString& path, const QByteArray& bytes) {
    const QString part = path + QStringLiteral(".part");
    QString why;
    if (!OutputFile::writeAll(part, bytes, &why)) {
        QFile::remove(part);
        throw TicketArchiveError(QStringLiteral("\"%1\" cannot be written: %2").arg(path, why));
    }
    if (!QFile::rename(part, path)) {
        QFile::remove(part);
        throw TicketArchiveError(QStringLiteral("\"%1\" cannot be written").arg(path));
    }
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw TicketArchiveError(
            QStringLiteral("The archived ticket \"%1\" cannot be read: %2").arg(path, file.errorString()));
    }
    return file.readAll();
}

// A document cut short (a full disk, a copy stopped half way) or replaced by something else would reach the
// printer as a job it cannot print, and the printer would be blamed for the archive's loss.
bool wholeDocument(const QByteArray& document) {
    if (isEscPosDocument(document)) {
        return EscPosEncoder::isWholeDocument(document);
    }
    return document.startsWith("%PDF-") && document.right(1024).contains("%%EOF");
}

// Empties an old day folder of the archive's files and removes it when nothing else is left in it. Never
// descends into a folder or follows a link: only plain files named as the archive names them go. Returns
// whether anything went.
bool removeDay(const QDir& root, const QString& name) {
    const QDir day(root.filePath(name));
    bool any = false;
    for (const QFileInfo& file : day.entryInfoList(QDir::Files | QDir::Hidden | QDir::System)) {
        if (!file.isSymLink() && ownFileName().match(file.fileName()).hasMatch() &&
            QFile::remove(file.filePath())) {
            any = true;
        }
    }
    // rmdir() refuses a folder that still holds anything: what was not the archive's keeps it.
    return root.rmdir(name) || any;
}

QByteArray companion(const PrintedTicket& t, const QByteArray& storedPages) {
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_0);
    const SpoolPageSettings& p = t.firstPage;
    out << Magic << Version << static_cast<qint32>(t.kind) << t.id << t.orderSeq << t.station << t.printer
        << t.time << t.reprint << t.title << qint32(p.paperSize) << qint32(p.paperWidth)
        << qint32(p.paperLength) << p.landscape << qint32(p.copies) << p.collate << qint32(p.bin)
        << qint32(p.duplex) << storedPages;
    return bytes;
}

// Reads the ticket part of a companion; `storedPages` receives the pages when asked for.
bool readCompanion(const QByteArray& bytes, PrintedTicket& t, QByteArray* storedPages) {
    QDataStream in(bytes);
    in.setVersion(QDataStream::Qt_6_0);
    quint32 magic = 0;
    quint32 version = 0;
    qint32 kind = 0;
    in >> magic >> version;
    if (magic != Magic || version != Version) {
        return false;
    }
    SpoolPageSettings& p = t.firstPage;
    qint32 paperSize = 0, paperWidth = 0, paperLength = 0, copies = 1, bin = 0, duplex = 0;
    in >> kind >> t.id >> t.orderSeq >> t.station >> t.printer >> t.time >> t.reprint >> t.title >>
        paperSize >> paperWidth >> paperLength >> p.landscape >> copies >> p.collate >> bin >> duplex;
    if (kind < 0 || kind > static_cast<qint32>(PrintedTicket::Kind::Void)) {
        return false;
    }
    t.kind = static_cast<PrintedTicket::Kind>(kind);
    p.paperSize = paperSize;
    p.paperWidth = paperWidth;
    p.paperLength = paperLength;
    p.copies = copies;
    p.bin = bin;
    p.duplex = duplex;
    if (storedPages != nullptr) {
        in >> *storedPages;
    }
    return in.status() == QDataStream::Ok;
}

} // namespace

QString TicketArchive::dayFolder(const QDate& date) const {
    return QDir(folder_).filePath(date.toString(DayPattern));
}

TicketArchive::Entry TicketArchive::store(const PrintedTicket& ticket, const QByteArray& document,
                                          const TrpPreviewPages& pages) {
    return store(ticket, document, TrpStoredPages(pages).toBytes());
}

TicketArchive::Entry TicketArchive::store(const PrintedTicket& ticket, const QByteArray& document,
                                          const QByteArray& storedPages) {
    if (!enabled()) {
        throw TicketArchiveError(QStringLiteral("No folder is set for printed tickets"));
    }
    const QString folder = dayFolder(ticket.time.date());
    if (!QDir().mkpath(folder)) {
        throw TicketArchiveError(QStringLiteral("The folder \"%1\" cannot be created").arg(folder));
    }
    const QDir dir(folder);
    const QString base = baseName(ticket);
    QString name = base;
    for (int n = 2; dir.exists(name + PdfSuffix) || dir.exists(name + EscPosSuffix) ||
                    dir.exists(name + CompanionSuffix);
         ++n) {
        name = QStringLiteral("%1 (%2)").arg(base).arg(n);
    }
    Entry entry{ticket, dir.filePath(name + documentSuffix(document)), dir.filePath(name + CompanionSuffix)};
    writeFile(entry.documentFile, document);
    try {
        writeFile(entry.companionFile, companion(ticket, storedPages));
    } catch (...) {
        QFile::remove(entry.documentFile);
        throw;
    }
    return entry;
}

int TicketArchive::removeOlderThan(int days, const QDate& today) const {
    if (!enabled()) {
        return 0;
    }
    int removed = 0;
    const QDir root(folder_);
    // A link named like a day folder leads somewhere else, whose files are not the archive's to remove.
    for (const QString& name : root.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks)) {
        const QDate date = QDate::fromString(name, DayPattern);
        if (!date.isValid() || (days > 0 && date >= today.addDays(-days))) {
            continue;
        }
        if (removeDay(root, name)) {
            ++removed;
        }
    }
    return removed;
}

QList<TicketArchive::Entry> TicketArchive::day(const QDate& date) const {
    QList<Entry> entries;
    if (!enabled()) {
        return entries;
    }
    const QDir dir(dayFolder(date));
    for (const QString& name : dir.entryList({QLatin1Char('*') + CompanionSuffix}, QDir::Files)) {
        Entry entry;
        entry.companionFile = dir.filePath(name);
        const QString base = name.left(name.size() - CompanionSuffix.size());
        entry.documentFile = dir.filePath(base + PdfSuffix);
        if (!QFile::exists(entry.documentFile)) {
            entry.documentFile = dir.filePath(base + EscPosSuffix);
        }
        QFile file(entry.companionFile);
        if (!QFile::exists(entry.documentFile) || !file.open(QIODevice::ReadOnly) ||
            !readCompanion(file.readAll(), entry.ticket, nullptr)) {
            continue;
        }
        entries.append(entry);
    }
    std::stable_sort(entries.begin(), entries.end(),
                     [](const Entry& a, const Entry& b) { return a.ticket.time < b.ticket.time; });
    return entries;
}

QByteArray TicketArchive::document(const Entry& entry) const {
    QByteArray document = readFile(entry.documentFile);
    if (!wholeDocument(document)) {
        throw TicketArchiveError(
            QStringLiteral("The archived ticket \"%1\" is damaged").arg(entry.documentFile));
    }
    return document;
}

TrpStoredPages TicketArchive::pages(const Entry& entry) const {
    PrintedTicket ticket;
    QByteArray storedPages;
    if (!readCompanion(readFile(entry.companionFile), ticket, &storedPages)) {
        throw TicketArchiveError(
            QStringLiteral("The archived ticket \"%1\" is damaged").arg(entry.companionFile));
    }
    return TrpStoredPages::fromBytes(storedPages);
}
