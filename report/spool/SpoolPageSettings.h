#pragma once

#include <cmath>
#include <utility>

// What the printer driver is told about one page: the settings record handed over before the first page
// and whenever a page differs from the one before.
struct SpoolPageSettings {
    static constexpr int CustomPaper = 256;
    static constexpr int DefaultBin = 7;

    int paperSize = CustomPaper;
    int paperWidth = 0;  // tenths of a millimetre; set for the custom paper only
    int paperLength = 0; // tenths of a millimetre; set for the custom paper only
    bool landscape = false;
    int copies = 1;
    bool collate = false;
    int bin = DefaultBin;
    int duplex = 0; // 0: the driver's default (simplex), 1: long edge, 2: short edge

    bool operator==(const SpoolPageSettings&) const = default;

    // A custom paper of the page's size, in whole tenths of a millimetre as the driver takes it; the record
    // carries width and length swapped for landscape.
    static SpoolPageSettings customPaper(double widthMm, double heightMm, bool landscape) {
        SpoolPageSettings s;
        s.paperLength = static_cast<int>(std::lround(heightMm * 10));
        s.paperWidth = static_cast<int>(std::lround(widthMm * 10));
        if (landscape) {
            std::swap(s.paperLength, s.paperWidth);
        }
        s.landscape = landscape;
        return s;
    }
};
