#pragma once

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
};
