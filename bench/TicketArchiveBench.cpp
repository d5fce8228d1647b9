// Keeping a printed kitchen ticket in the archive (its PDF, its companion with the prepared pages) and
// listing a busy day's archive for the Printed Tickets window. Target: archiving adds well under a
// millisecond or two to a ticket; a day of 1,000 tickets lists in well under a second.
#include "BenchSupport.h"
#include "KitchenTicket.h"
#include "TicketArchive.h"
#include "TrpPageRenderer.h"
#include "TrpPreviewPages.h"
#include "TrpStoredPages.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdlib>

namespace {

struct Fixture {
    Fixture() {
        if (!ticket.prepare()) {
            std::fprintf(stderr, "cannot prepare the kitchen ticket\n");
            std::exit(1);
        }
        const QString pdf = dir.filePath(QStringLiteral("ticket.pdf"));
        TrpPageRenderer::writePdf(ticket.report.PreviewPages(), pdf);
        QFile file(pdf);
        if (!file.open(QIODevice::ReadOnly)) {
            std::exit(1);
        }
        document = file.readAll();
        label.kind = PrintedTicket::Kind::Kitchen;
        label.id = 17;
        label.orderSeq = 1042;
        label.station = label.printer = QStringLiteral("Grill");
        label.time = QDateTime(QDate(2026, 12, 10), QTime(19, 7, 5));
    }

    KitchenTicket ticket{8};
    QTemporaryDir dir;
    QByteArray document;
    PrintedTicket label;
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

void BM_ArchiveOneTicket(benchmark::State& state) {
    Fixture& f = fixture();
    QTemporaryDir folder;
    TicketArchive archive(folder.path());
    PrintedTicket t = f.label;
    for (auto _ : state) {
        t.time = t.time.addSecs(1); // a ticket a second: no two share a file name
        archive.store(t, f.document, f.ticket.report.PreviewPages());
    }
    state.counters["pdf_bytes"] = static_cast<double>(f.document.size());
}
BENCHMARK(BM_ArchiveOneTicket)->Unit(benchmark::kMicrosecond);

void BM_PagesToBytes(benchmark::State& state) {
    Fixture& f = fixture();
    for (auto _ : state) {
        benchmark::DoNotOptimize(TrpStoredPages(f.ticket.report.PreviewPages()).toBytes());
    }
}
BENCHMARK(BM_PagesToBytes)->Unit(benchmark::kMicrosecond);

void BM_ListABusyDay(benchmark::State& state) {
    Fixture& f = fixture();
    QTemporaryDir folder;
    TicketArchive archive(folder.path());
    for (int i = 0; i < state.range(0); ++i) {
        PrintedTicket t = f.label;
        t.id = i;
        t.time = f.label.time.addSecs(i);
        archive.store(t, f.document, f.ticket.report.PreviewPages());
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(archive.day(f.label.time.date()));
    }
}
BENCHMARK(BM_ListABusyDay)->Arg(1000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    return runGuiBenchmarks(argc, argv, VELORIA_SOURCE_DIR_PATH);
}
