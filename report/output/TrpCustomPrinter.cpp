#include "TrpCustomPrinter.h"

#include <cmath>

bool TrpCustomPrinter::listsPaper(int code) const {
    for (const auto& paper : Papers) {
        if (paper.first == code) {
            return true;
        }
    }
    return false;
}

SpoolPageSettings TrpCustomPrinter::pageSettings(int paper, bool landscape, double widthMm, double heightMm,
                                                 int copies, int bin, int duplex) const {
    const int code = (paper != SpoolPageSettings::CustomPaper && !listsPaper(paper))
                         ? SpoolPageSettings::CustomPaper
                         : paper;
    SpoolPageSettings s = paperSettings(code, landscape, widthMm, heightMm);
    s.copies = copies;
    s.collate = false;
    s.bin = bin;
    s.duplex = duplex != 0 ? duplex : DefaultDuplex;
    return s;
}

SpoolPageSettings TrpCustomPrinter::paperSettings(int paper, bool landscape, double widthMm,
                                                  double heightMm) {
    SpoolPageSettings s;
    if (paper == SpoolPageSettings::CustomPaper) {
        s = SpoolPageSettings::customPaper(widthMm, heightMm, landscape);
    }
    s.paperSize = paper;
    s.landscape = landscape;
    return s;
}

void TrpCustomPrinter::applyPageSettings(const SpoolPageSettings& settings) {
    DeviceMode = settings;
    CurrentPaper = settings.paperSize;
    CurrentLandscape = settings.landscape;
}

bool TrpCustomPrinter::takeMeasures(int dpiX, int dpiY, double paperWidthMm, double paperHeightMm,
                                    double leftOffsetMm, double topOffsetMm, double printableWidthMm,
                                    double printableHeightMm) {
    if (dpiX == 0 || dpiY == 0) {
        return false;
    }
    DpiX = dpiX;
    DpiY = dpiY;
    PaperWidth = static_cast<int>(std::lround(paperWidthMm));
    PaperHeight = static_cast<int>(std::lround(paperHeightMm));
    LeftOffset = static_cast<int>(std::lround(leftOffsetMm));
    TopOffset = static_cast<int>(std::lround(topOffsetMm));
    RightMargin = PaperWidth - static_cast<int>(std::lround(printableWidthMm)) - LeftOffset;
    BottomMargin = PaperHeight - static_cast<int>(std::lround(printableHeightMm)) - TopOffset;
    return true;
}
