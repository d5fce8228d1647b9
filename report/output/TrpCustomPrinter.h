#pragma once

#include "SpoolPageSettings.h"

#include <QList>
#include <QPair>
#include <QString>

// One printer of the process's printer list: its name, the driver's settings record and the measures of
// the device, read when the printer is first selected.
class TrpCustomPrinter {
public:
    explicit TrpCustomPrinter(QString name) : Name(std::move(name)) {}
    virtual ~TrpCustomPrinter() = default;
    TrpCustomPrinter(const TrpCustomPrinter&) = delete;
    TrpCustomPrinter& operator=(const TrpCustomPrinter&) = delete;

    // Opens the printer and reads its settings and measures; false when that fails (the printer then
    // stays uninitialized and cannot print).
    virtual bool Init() = 0;
    // A printer that stands in when none is installed; it prints nothing.
    virtual bool isVirtual() const { return false; }

    bool Initialized = false;
    QString Name;
    QString Port;
    QString Location;
    QString Title;
    QString FileName;

    // The driver's settings record, and what it held when the printer was opened.
    SpoolPageSettings DeviceMode;
    int DefaultPaper = 9;
    int DefaultBin = SpoolPageSettings::DefaultBin;
    int DefaultDuplex = 0;
    bool DefaultLandscape = false;
    QList<QPair<int, QString>> Papers; // always starts with "Custom" (256)
    QList<QPair<int, QString>> Bins;   // always starts with "Default" (7)

    int DpiX = 0;
    int DpiY = 0;
    // Whole millimetres, as measured on the device.
    int PaperWidth = 0;
    int PaperHeight = 0;
    int LeftOffset = 0;
    int TopOffset = 0;
    int RightMargin = 0;
    int BottomMargin = 0;

    // The paper and orientation last handed to the driver.
    int CurrentPaper = -1;
    bool CurrentLandscape = false;

    bool listsPaper(int code) const;

    // The settings record the driver gets for a page of paper `paper` (`widthMm` x `heightMm`), with the
    // given orientation, copies, bin and duplex choice: a paper the driver does not list becomes the
    // custom paper, whose size goes in tenths of a millimetre.
    SpoolPageSettings pageSettings(int paper, bool landscape, double widthMm, double heightMm, int copies,
                                   int bin, int duplex) const;
    // The paper alone as the settings record carries it: the custom paper's size in whole tenths of a
    // millimetre, any other paper by its code; copies, bin and duplex the driver's defaults. Printing
    // (pageSettings) and the PDFs rendered without a printer (TrpPageRenderer) both take a page's paper from
    // here, so that a rendered ticket and a printed one are the same document.
    static SpoolPageSettings paperSettings(int paper, bool landscape, double widthMm, double heightMm);
    // Hands the settings to the driver and remembers the paper and orientation.
    void applyPageSettings(const SpoolPageSettings& settings);

protected:
    // Sets the measures from a device's resolution and sizes; false for a zero resolution.
    bool takeMeasures(int dpiX, int dpiY, double paperWidthMm, double paperHeightMm, double leftOffsetMm,
                      double topOffsetMm, double printableWidthMm, double printableHeightMm);
};
