#pragma once

#include "TrpPageSource.h"
#include "TrpTypes.h"

#include <QFont>
#include <QPainter>
#include <QString>
#include <QStringList>
#include <vector>

// Prepared pages made of a few lines of text each, for the output tests: every page has its paper and
// its lines; drawing writes the lines at the page's left margin and records which page was drawn how.
class TextPageSource final : public TrpPageSource {
public:
    struct Page {
        TrpPageSettings format;
        QStringList lines;
    };
    struct Drawn {
        int index;
        double scale;
        double offsetX;
        double offsetY;
        bool forPrinter;
    };

    // A ticket page: 72 mm wide, `lengthMm` long, custom paper.
    static Page ticket(double lengthMm, QStringList lines) {
        Page page;
        page.format.PaperWidth = 72;
        page.format.PaperHeight = lengthMm;
        page.lines = std::move(lines);
        return page;
    }

    std::vector<Page> pages;
    mutable std::vector<Drawn> drawn;

    int PageCount() const override { return static_cast<int>(pages.size()); }
    TrpPageSettings PageFormat(int index) const override {
        return pages.at(static_cast<size_t>(index)).format;
    }
    void DrawPage(int index, QPainter& painter, double scaleX, double scaleY, double offsetX, double offsetY,
                  bool forPrinter) const override {
        drawn.push_back({index, scaleX, offsetX, offsetY, forPrinter});
        const Page& page = pages.at(static_cast<size_t>(index));
        QFont font(QStringLiteral("Arial"));
        font.setPixelSize(std::max(1, static_cast<int>(13 * scaleY)));
        painter.save();
        painter.setFont(font);
        painter.setPen(Qt::black);
        double y = offsetY + 10 * TrpPixelsPerMm * scaleY;
        for (const QString& line : page.lines) {
            painter.drawText(QPointF(offsetX + 4 * TrpPixelsPerMm * scaleX, y), line);
            y += 18 * scaleY;
        }
        painter.restore();
    }

    std::vector<int> drawnIndexes() const {
        std::vector<int> indexes;
        for (const Drawn& d : drawn) {
            indexes.push_back(d.index);
        }
        return indexes;
    }
};
