#pragma once

#include "TrpDataSetBinding.h"
#include "TrpFrame.h"
#include "TrpPage.h"
#include "TrpTypes.h"

// A page of the report holding bands (element TrpReportPage). Paper size and margins are millimetres;
// the page's own Width and Height are the paper size in report pixels, rounded to whole pixels.
//
// Setting PaperWidth or PaperHeight makes the paper user-defined (PaperSize 256); setting a standard
// PaperSize replaces both dimensions (swapped in landscape); changing Orientation swaps the dimensions
// and rotates the margins.
class TrpReportPage : public TrpPage {
public:
    TrpReportPage();

    const char* ClassName() const override { return "TrpReportPage"; }

    TrpPrintOrientation Orientation() const { return m_orientation; }
    void SetOrientation(TrpPrintOrientation value);
    double PaperWidth() const { return m_paperWidth; }
    void SetPaperWidth(double value);
    double PaperHeight() const { return m_paperHeight; }
    void SetPaperHeight(double value);
    int PaperSize() const { return m_paperSize; }
    void SetPaperSize(int value);
    double LeftMargin() const { return m_leftMargin; }
    void SetLeftMargin(double value) { m_leftMargin = value; }
    double RightMargin() const { return m_rightMargin; }
    void SetRightMargin(double value) { m_rightMargin = value; }
    double TopMargin() const { return m_topMargin; }
    void SetTopMargin(double value) { m_topMargin = value; }
    double BottomMargin() const { return m_bottomMargin; }
    void SetBottomMargin(double value) { m_bottomMargin = value; }

    const TrpFrame& Frame() const { return m_frame; }
    TrpFrame* FrameForEditing() { return &m_frame; }
    bool EndlessHeight() const { return m_endlessHeight; }
    void SetEndlessHeight(bool value) { m_endlessHeight = value; }
    bool EndlessWidth() const { return m_endlessWidth; }
    void SetEndlessWidth(bool value) { m_endlessWidth = value; }
    int MirrorMode() const { return m_mirrorMode; }
    void SetMirrorMode(int value) { m_mirrorMode = value; }
    bool PrintIfEmpty() const { return m_printIfEmpty; }
    void SetPrintIfEmpty(bool value) { m_printIfEmpty = value; }
    bool TitleBeforeHeader() const { return m_titleBeforeHeader; }
    void SetTitleBeforeHeader(bool value) { m_titleBeforeHeader = value; }
    int Columns() const { return m_columns; }
    void SetColumns(int value) { m_columns = value; }
    double ColumnWidth() const { return m_columnWidth; }
    void SetColumnWidth(double value) { m_columnWidth = value; }
    int Bin() const { return m_bin; }
    void SetBin(int value) { m_bin = value; }
    int BinOtherPages() const { return m_binOtherPages; }
    void SetBinOtherPages(int value) { m_binOtherPages = value; }
    TrpDuplexMode Duplex() const { return m_duplex; }
    void SetDuplex(TrpDuplexMode value) { m_duplex = value; }

    TrpDataSet* DataSet() const { return m_binding.dataSet(); }
    void SetDataSet(TrpDataSet* dataSet) { m_binding.set(dataSet); }
    const QString& DataSetName() const { return m_binding.name(); }
    void SetDataSetName(const QString& name) { m_binding.setName(Report(), name); }

    const TrpPropertyList& properties() const override;

private:
    void updatePixelSize();
    QString dataSetReference() const { return m_binding.referenceText(Report()); }
    void setDataSetReference(const QString& text) { m_binding.setReference(Report(), text); }

    TrpPrintOrientation m_orientation = TrpPrintOrientation::poPortrait;
    double m_paperWidth = 210;
    double m_paperHeight = 297;
    int m_paperSize = 9;
    double m_leftMargin = 0;
    double m_rightMargin = 0;
    double m_topMargin = 0;
    double m_bottomMargin = 0;
    TrpFrame m_frame;
    bool m_endlessHeight = false;
    bool m_endlessWidth = false;
    int m_mirrorMode = 0;
    bool m_printIfEmpty = true;
    bool m_titleBeforeHeader = true;
    int m_columns = 0;
    double m_columnWidth = 0;
    int m_bin = 7;
    int m_binOtherPages = 7;
    TrpDuplexMode m_duplex = TrpDuplexMode::dmNone;
    TrpDataSetBinding m_binding;
};
