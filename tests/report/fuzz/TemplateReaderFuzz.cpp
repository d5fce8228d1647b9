// libFuzzer target for the template reader: any bytes must read without a crash, a hang or a read
// beyond the buffer, and what the writer makes of the result must read back to the same template.
#include "TrpDBDataset.h"
#include "TrpReport.h"

#include <QByteArray>
#include <cstdio>
#include <cstdlib>

namespace {
struct Adapters {
    Adapters() {
        window.setObjectName("MainForm");
        orders.SetName("repDS_KitchenOrders");
        master.SetName("repDS_OrdersMaster");
    }
    QObject window;
    TrpDBDataset orders{&window};
    TrpDBDataset master{&window};
};
} // namespace

namespace {
QByteArray readAndWrite(const QByteArray& data, QObject& window) {
    TrpReport report;
    report.SetOwner(&window);
    report.EngineOptions().NewSilentMode = TrpSilentMode::simSilent;
    report.LoadFromMemory(data);
    return report.SaveToMemory();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Adapters adapters;
    const QByteArray first = readAndWrite(
        QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)), adapters.window);
    // The writer's output is a template in normal form (a DataSet reference and a DataSetName that
    // disagree are settled by the first read of it); from there on reading and writing change nothing.
    const QByteArray second = readAndWrite(first, adapters.window);
    const QByteArray third = readAndWrite(second, adapters.window);
    if (third != second) {
        std::fprintf(stderr, "template changed on reading:\n%s\n---\n%s\n", second.constData(),
                     third.constData());
        std::abort();
    }
    return 0;
}
