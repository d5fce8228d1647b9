#include "TrpReportPage.h"

#include "TrpPaperSizes.h"

#include <cmath>
#include <utility>

namespace {
double roundTo8Decimals(double value) {
    if (!std::isfinite(value) || std::fabs(value) > 1e9) {
        return value;
    }
    return std::nearbyint(value * 1e8) / 1e8;
}

// Millimetres to whole report pixels, halves to even.
double toPixels(double mm) {
    return std::nearbyint(mm * TrpPixelsPerMm);
}
} // namespace

TrpReportPage::TrpReportPage() {
    updatePixelSize();
}

void TrpReportPage::updatePixelSize() {
    SetWidth(toPixels(m_paperWidth));
    SetHeight(toPixels(m_paperHeight));
}

void TrpReportPage::SetOrientation(TrpPrintOrientation value) {
    if (value == m_orientation) {
        return;
    }
    m_orientation = value;
    std::swap(m_paperWidth, m_paperHeight);
    const double left = m_leftMargin;
    const double top = m_topMargin;
    const double right = m_rightMargin;
    const double bottom = m_bottomMargin;
    if (value == TrpPrintOrientation::poLandscape) {
        m_leftMargin = top;
        m_topMargin = right;
        m_rightMargin = bottom;
        m_bottomMargin = left;
    } else {
        m_topMargin = left;
        m_rightMargin = top;
        m_bottomMargin = right;
        m_leftMargin = bottom;
    }
    updatePixelSize();
}

void TrpReportPage::SetPaperWidth(double value) {
    m_paperWidth = roundTo8Decimals(value);
    m_paperSize = TrpCustomPaperSize;
    updatePixelSize();
}

void TrpReportPage::SetPaperHeight(double value) {
    m_paperHeight = roundTo8Decimals(value);
    m_paperSize = TrpCustomPaperSize;
    updatePixelSize();
}

void TrpReportPage::SetPaperSize(int value) {
    m_paperSize = value;
    if (value >= TrpCustomPaperSize) {
        return;
    }
    if (const auto size = TrpPaperSizes::find(value)) {
        m_paperWidth = size->width / 10.0;
        m_paperHeight = size->height / 10.0;
        if (m_orientation == TrpPrintOrientation::poLandscape) {
            std::swap(m_paperWidth, m_paperHeight);
        }
        updatePixelSize();
    }
}

const TrpPropertyList& TrpReportPage::properties() const {
    using C = TrpReportPage;
    static const TrpPropertyList list(
        &TrpComponent::properties(),
        {
            // Orientation and the dimensions come first, so that a non-standard code keeps the written size.
            TrpProp::enumeration("Orientation", TrpEnumInfo::PrintOrientation(), &C::Orientation,
                                 &C::SetOrientation)
                .withDefault(0),
            TrpProp::real("PaperWidth", &C::PaperWidth, &C::SetPaperWidth),
            TrpProp::real("PaperHeight", &C::PaperHeight, &C::SetPaperHeight),
            TrpProp::integer("PaperSize", &C::PaperSize, &C::SetPaperSize),
            TrpProp::real("LeftMargin", &C::LeftMargin, &C::SetLeftMargin),
            TrpProp::real("RightMargin", &C::RightMargin, &C::SetRightMargin),
            TrpProp::real("TopMargin", &C::TopMargin, &C::SetTopMargin),
            TrpProp::real("BottomMargin", &C::BottomMargin, &C::SetBottomMargin),
            TrpProp::integer("Bin", &C::Bin, &C::SetBin).withDefault(7),
            TrpProp::integer("BinOtherPages", &C::BinOtherPages, &C::SetBinOtherPages).withDefault(7),
            TrpProp::integer("Columns", &C::Columns, &C::SetColumns).withDefault(0),
            TrpProp::real("ColumnWidth", &C::ColumnWidth, &C::SetColumnWidth),
            TrpProp::reference("DataSet", &C::dataSetReference, &C::setDataSetReference),
            TrpProp::string("DataSetName", &C::DataSetName, &C::SetDataSetName),
            TrpProp::enumeration("Duplex", TrpEnumInfo::DuplexMode(), &C::Duplex, &C::SetDuplex)
                .withDefault(0),
            TrpProp::boolean("EndlessHeight", &C::EndlessHeight, &C::SetEndlessHeight).withDefault(0),
            TrpProp::boolean("EndlessWidth", &C::EndlessWidth, &C::SetEndlessWidth).withDefault(0),
            fontProperty(),
            TrpProp::subObject("Frame", &C::FrameForEditing),
            TrpProp::set("MirrorMode", &C::MirrorMode, &C::SetMirrorMode).withDefault(0),
            parentFontProperty(),
            TrpProp::boolean("PrintIfEmpty", &C::PrintIfEmpty, &C::SetPrintIfEmpty).withDefault(1),
            TrpProp::boolean("TitleBeforeHeader", &C::TitleBeforeHeader, &C::SetTitleBeforeHeader)
                .withDefault(1),
            visibleProperty(),
        });
    return list;
}
