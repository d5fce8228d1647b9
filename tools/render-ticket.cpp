// render-ticket: lays a ticket template out with rows from a JSON file and writes it as PDF, PNG or the
// ESC/POS a receipt printer's queue receives, without any window, database or printer. Template designers
// preview tickets with it; benchmarks and side-by-side comparisons run it.
//
//   render-ticket TEMPLATE --data FILE.json [--memo NAME=TEXT ...] (--pdf OUT | --png OUT [--dpi N] |
//                 --escpos OUT [--dots N] [--dpi N] [--cut partial|full|none] [--feed N])
//                 [--repeat N] [--now YYYY-MM-DDTHH:MM:SS]
//
// --escpos writes the bytes a queue with those options (veloria-dots, veloria-dpi, veloria-cut,
// veloria-feed; the same defaults) sends its printer for the ticket.
// The JSON file maps adapter names to arrays of row objects (see TrpJsonData). --memo sets a memo's text
// before preparing, as the program sets the void message ("\n" in TEXT starts a new line). --repeat N
// loads, prepares and renders N times and prints the median milliseconds per ticket (a PDF is made in
// memory every time and written to its file once, after the runs). --now fixes the date
// and time the ticket shows. A PNG of a report with several pages writes pages 2.. as OUT-2.png, ...
// Exit status: 0 rendered, 1 the template, data or output failed (error lines on standard error),
// 2 wrong usage. Each page's paper size is printed ("page 1: 72.00 x 149.63 mm").
#include "EscPosSettings.h"
#include "OutputFile.h"
#include "PrintSpooler.h"
#include "TrpCustomMemoView.h"
#include "TrpEngine.h"
#include "TrpError.h"
#include "TrpErrorBox.h"
#include "TrpJsonData.h"
#include "TrpPageRenderer.h"
#include "TrpPreviewPages.h"
#include "TrpPreviewPagesSource.h"
#include "TrpReport.h"
#include "TrpReportPrinter.h"

#include <QBuffer>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMap>
#include <QTextStream>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

struct Options {
    QString templatePath;
    QString dataPath;
    QStringList memos;
    QString pdf;
    QString png;
    QString escpos;
    EscPosSettings escposSettings;
    double dpi = 203;
    int repeat = 1;
    QDateTime now;
};

void printError(const QString& text) {
    std::fputs(text.trimmed().toUtf8().constData(), stderr);
    std::fputc('\n', stderr);
}

QString pageFileName(const QString& out, int page) {
    if (page == 0) {
        return out;
    }
    const QFileInfo info(out);
    const QString suffix = info.suffix().isEmpty() ? QString() : QLatin1Char('.') + info.suffix();
    const QString base = info.suffix().isEmpty() ? out : out.left(out.size() - suffix.size());
    return QStringLiteral("%1-%2%3").arg(base).arg(page + 1).arg(suffix);
}

// Renders the ticket; `sizes` receives each page's paper in millimetres, `pdf` the PDF document when one is
// asked for (written to its file once, after the timed runs, as a print job hands its document on).
void renderOnce(const Options& o, QStringList& boxTexts, QList<QSizeF>& sizes, QByteArray& pdf) {
    TrpReport report;
    boxTexts.clear();
    if (!report.LoadFromFile(o.templatePath)) {
        throw TrpError(QStringLiteral("Template file not found: %1").arg(o.templatePath));
    }
    if (!boxTexts.isEmpty()) {
        throw TrpError(boxTexts.join(QLatin1Char('\n')));
    }
    for (const QString& assignment : o.memos) {
        const qsizetype eq = assignment.indexOf(QLatin1Char('='));
        const QString name = assignment.left(eq);
        auto* memo = dynamic_cast<TrpCustomMemoView*>(report.FindObject(name));
        if (memo == nullptr) {
            throw TrpError(QStringLiteral("The template has no memo named \"%1\"").arg(name));
        }
        QString text = assignment.mid(eq + 1);
        text.replace(QLatin1String("\\n"), QLatin1String("\r\n"));
        memo->SetText(text);
    }
    if (o.now.isValid()) {
        const QDateTime now = o.now;
        report.Engine().SetClock([now] { return now; });
    }
    if (!report.PrepareReport(true)) {
        throw TrpError(boxTexts.isEmpty() ? report.ErrorMessage() : boxTexts.join(QLatin1Char('\n')));
    }
    const TrpPreviewPages& pages = report.PreviewPages();
    if (pages.Count() == 0) {
        throw TrpError(QStringLiteral("The template laid out no page"));
    }
    sizes.clear();
    for (int i = 0; i < pages.Count(); ++i) {
        sizes.append(pages.GetPageSize(i));
    }
    if (!o.pdf.isEmpty()) {
        // Titled as a print job of this template is, so that the document is the one a queue would receive.
        pdf = TrpPageRenderer::pdfDocument(pages, TrpReportPrinter::JobTitle(report));
        return;
    }
    if (!o.escpos.isEmpty()) {
        pdf = TrpPageRenderer::escPosDocument(TrpPreviewPagesSource(pages), o.escposSettings);
        return;
    }
    for (int i = 0; i < pages.Count(); ++i) {
        const QString file = pageFileName(o.png, i);
        QBuffer image;
        image.open(QIODevice::WriteOnly);
        QString why;
        if (!TrpPageRenderer::renderImage(pages, i, o.dpi).save(&image, "PNG") ||
            !OutputFile::writeAll(file, image.data(), &why)) {
            throw TrpError(QStringLiteral("Cannot write \"%1\": %2").arg(file, why));
        }
    }
}

bool parse(const QStringList& arguments, Options* o) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Renders a ticket template to PDF, PNG or ESC/POS."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("TEMPLATE"), QStringLiteral("The ticket template (XML)."));
    parser.addOptions({
        {QStringLiteral("data"), QStringLiteral("Rows per adapter name (JSON)."), QStringLiteral("FILE")},
        {QStringLiteral("memo"), QStringLiteral("Sets a memo's text (repeatable)."),
         QStringLiteral("NAME=TEXT")},
        {QStringLiteral("pdf"), QStringLiteral("Writes a PDF."), QStringLiteral("OUT")},
        {QStringLiteral("png"), QStringLiteral("Writes a PNG."), QStringLiteral("OUT")},
        {QStringLiteral("escpos"), QStringLiteral("Writes the ESC/POS a receipt printer's queue receives."),
         QStringLiteral("OUT")},
        {QStringLiteral("dpi"), QStringLiteral("PNG or ESC/POS resolution (default 203)."),
         QStringLiteral("N")},
        {QStringLiteral("dots"), QStringLiteral("ESC/POS: dots across the head (default 576)."),
         QStringLiteral("N")},
        {QStringLiteral("cut"), QStringLiteral("ESC/POS: partial (default), full or none."),
         QStringLiteral("CUT")},
        {QStringLiteral("feed"), QStringLiteral("ESC/POS: dot rows fed before the cut (default 120)."),
         QStringLiteral("N")},
        {QStringLiteral("repeat"), QStringLiteral("Renders N times, prints the median ms."),
         QStringLiteral("N")},
        {QStringLiteral("now"), QStringLiteral("The date and time the ticket shows."), QStringLiteral("ISO")},
    });
    if (!parser.parse(arguments)) {
        printError(parser.errorText());
        return false;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        std::fputs(parser.helpText().toUtf8().constData(), stdout);
        std::exit(0);
    }
    const QStringList positional = parser.positionalArguments();
    bool ok = true;
    if (positional.size() != 1) {
        printError(QStringLiteral("Give exactly one template file."));
        ok = false;
    }
    o->templatePath = positional.value(0);
    o->dataPath = parser.value(QStringLiteral("data"));
    o->memos = parser.values(QStringLiteral("memo"));
    o->pdf = parser.value(QStringLiteral("pdf"));
    o->png = parser.value(QStringLiteral("png"));
    o->escpos = parser.value(QStringLiteral("escpos"));
    if (o->dataPath.isEmpty()) {
        printError(QStringLiteral("--data FILE.json is required."));
        ok = false;
    }
    if (int(!o->pdf.isEmpty()) + int(!o->png.isEmpty()) + int(!o->escpos.isEmpty()) != 1) {
        printError(QStringLiteral("Give one of --pdf OUT, --png OUT and --escpos OUT."));
        ok = false;
    }
    if (!o->escpos.isEmpty()) {
        // The queue's own rules, so that the tool takes exactly what a queue takes.
        const QMap<QString, QString> options = {
            {QStringLiteral("veloria-dots"), parser.value(QStringLiteral("dots"))},
            {QStringLiteral("veloria-dpi"), parser.value(QStringLiteral("dpi"))},
            {QStringLiteral("veloria-cut"), parser.value(QStringLiteral("cut"))},
            {QStringLiteral("veloria-feed"), parser.value(QStringLiteral("feed"))}};
        try {
            o->escposSettings =
                EscPosSettings::fromQueueOptions(QStringLiteral("--escpos"), [&options](const char* name) {
                    return options.value(QLatin1String(name));
                });
        } catch (const SpoolError& e) {
            printError(e.message());
            ok = false;
        }
    }
    for (const QString& memo : o->memos) {
        if (memo.indexOf(QLatin1Char('=')) <= 0) {
            printError(QStringLiteral("--memo takes NAME=TEXT: %1").arg(memo));
            ok = false;
        }
    }
    if (parser.isSet(QStringLiteral("dpi"))) {
        bool number = false;
        o->dpi = parser.value(QStringLiteral("dpi")).toDouble(&number);
        if (!number || !(o->dpi >= 10 && o->dpi <= 2400)) {
            printError(QStringLiteral("--dpi takes a resolution from 10 to 2400."));
            ok = false;
        }
    }
    if (parser.isSet(QStringLiteral("repeat"))) {
        bool number = false;
        o->repeat = parser.value(QStringLiteral("repeat")).toInt(&number);
        if (!number || o->repeat < 1) {
            printError(QStringLiteral("--repeat takes a count of at least 1."));
            ok = false;
        }
    }
    if (parser.isSet(QStringLiteral("now"))) {
        o->now = QDateTime::fromString(parser.value(QStringLiteral("now")), Qt::ISODate);
        if (!o->now.isValid()) {
            printError(QStringLiteral("--now takes a date and time like 2020-12-25T19:05:00."));
            ok = false;
        }
    }
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    // No window is shown: the offscreen platform serves fonts and painting anywhere.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);
    Options options;
    if (!parse(app.arguments(), &options)) {
        return 2;
    }
    QStringList boxTexts;
    TrpErrorBox::setHandler([&boxTexts](const QString& text) { boxTexts.append(text); });
    try {
        QFile dataFile(options.dataPath);
        if (!dataFile.open(QIODevice::ReadOnly)) {
            throw TrpError(QStringLiteral("Cannot open data file \"%1\": %2")
                               .arg(options.dataPath, dataFile.errorString()));
        }
        // The adapters exist before every load, as the program's do.
        const TrpJsonData data(dataFile.readAll());
        QList<QSizeF> sizes;
        QByteArray pdf;
        std::vector<double> millis;
        millis.reserve(static_cast<size_t>(options.repeat));
        for (int i = 0; i < options.repeat; ++i) {
            QElapsedTimer timer;
            timer.start();
            renderOnce(options, boxTexts, sizes, pdf);
            millis.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
        }
        if (!options.pdf.isEmpty() || !options.escpos.isEmpty()) {
            const QString file = options.pdf.isEmpty() ? options.escpos : options.pdf;
            QFile out(file);
            if (!out.open(QIODevice::WriteOnly) || out.write(pdf) != pdf.size() || !out.flush()) {
                throw TrpError(QStringLiteral("Cannot write \"%1\"").arg(file));
            }
        }
        for (qsizetype i = 0; i < sizes.size(); ++i) {
            std::printf("page %lld: %.2f x %.2f mm\n", static_cast<long long>(i + 1), sizes[i].width(),
                        sizes[i].height());
        }
        if (options.repeat > 1) {
            std::sort(millis.begin(), millis.end());
            const size_t n = millis.size();
            const double median = n % 2 == 1 ? millis[n / 2] : (millis[n / 2 - 1] + millis[n / 2]) / 2;
            std::printf("median %.3f ms per ticket over %zu runs\n", median, n);
        }
    } catch (const std::exception& e) {
        printError(QString::fromUtf8(e.what()));
        return 1;
    }
    return 0;
}
