// Writes the four ticket template files installed with the program, built object by object and saved by
// the report's own template writer. The files in templates/ are this program's output; run it again after
// changing a design:
//   make-ticket-templates templates templates/logo/your-logo-here.png
#include "TicketAdapters.h"
#include "TicketTemplateFiles.h"
#include "TrpError.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <cstdio>
#include <exception>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make-ticket-templates OUTPUT_DIR LOGO.png\n");
        return 2;
    }
    const QDir outputDir(QString::fromLocal8Bit(argv[1]));
    QFile logo(QString::fromLocal8Bit(argv[2]));
    if (!logo.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "make-ticket-templates: cannot read %s: %s\n", argv[2],
                     logo.errorString().toLocal8Bit().constData());
        return 1;
    }
    try {
        TicketAdapters adapters;
        for (const TicketTemplateFile& file : ticketTemplateFiles(adapters, logo.readAll())) {
            QSaveFile out(outputDir.filePath(file.fileName));
            if (!out.open(QIODevice::WriteOnly) || out.write(file.contents()) < 0 || !out.commit()) {
                std::fprintf(stderr, "make-ticket-templates: cannot write %s: %s\n",
                             out.fileName().toLocal8Bit().constData(),
                             out.errorString().toLocal8Bit().constData());
                return 1;
            }
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make-ticket-templates: %s\n", e.what());
        return 1;
    }
    return 0;
}
