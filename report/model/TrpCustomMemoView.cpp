#include "TrpCustomMemoView.h"

#include "TrpBand.h"
#include "TrpCustomDBDataSet.h"
#include "TrpDrawText.h"
#include "TrpError.h"
#include "TrpExpressionScanner.h"
#include "TrpFormatData.h"
#include "TrpNames.h"
#include "TrpReport.h"
#include "TrpTextLines.h"

#include <QMutexLocker>
#include <algorithm>
#include <cstdlib>

QString TrpCustomMemoView::Text() const {
    return TrpTextLines::joinTerminated(m_memo);
}

void TrpCustomMemoView::SetText(const QString& text) {
    m_memo = TrpTextLines::splitMemo(text);
}

void TrpCustomMemoView::SetRotation(int value) {
    m_rotation = ((value % 360) + 360) % 360;
}

TrpFormat* TrpCustomMemoView::AddFormat() {
    m_formats.push_back(std::make_unique<TrpFormat>());
    return m_formats.back().get();
}

TrpFormat* TrpCustomMemoView::DisplayFormat() {
    if (m_formats.empty()) {
        return AddFormat();
    }
    return m_formats.front().get();
}

std::vector<TrpCollectionView> TrpCustomMemoView::collections() const {
    // A single format is written as DisplayFormat attributes instead.
    if (m_formats.size() < 2) {
        return {};
    }
    TrpCollectionView view{QStringLiteral("Formats"), {}};
    for (const auto& f : m_formats) {
        view.items.push_back(f.get());
    }
    return {view};
}

bool TrpCustomMemoView::acceptsCollection(const QString& name) const {
    return TrpNames::same(name, QLatin1StringView("Formats")) ||
           TrpNames::same(name, QLatin1StringView("Highlights"));
}

TrpPersistent* TrpCustomMemoView::addCollectionItem(const QString& name) {
    // Highlights are not kept: conditional highlighting is no facility of these tickets.
    return TrpNames::same(name, QLatin1StringView("Formats")) ? AddFormat() : nullptr;
}

void TrpCustomMemoView::BeforePrint() {
    TrpStretcheable::BeforePrint();
    m_savedMemo = m_memo;
    m_memoSaved = true;
}

void TrpCustomMemoView::AfterPrint() {
    TrpStretcheable::AfterPrint();
    if (m_fontBeforeShrink) {
        SetFont(m_fontBeforeShrink->first);
        SetParentFont(m_fontBeforeShrink->second);
        m_fontBeforeShrink.reset();
    }
    if (m_memoSaved) {
        m_memo = m_savedMemo;
        m_memoSaved = false;
    }
    m_value = QVariant();
}

void TrpCustomMemoView::GetData() {
    placeText();
    if (m_shrinkToFit) {
        shrinkFontToFit();
    }
}

void TrpCustomMemoView::placeText() {
    if (m_formats.empty()) {
        AddFormat();
    }
    TrpReport* report = Report();
    if (report != nullptr) {
        report->SetCurrentObjectName(Name());
    }
    TrpDataSet* dataSet = DataSet();
    if (dataSet != nullptr && !DataField().isEmpty()) {
        // A data-field memo: the field decides, the designed text is not evaluated.
        const QString field = DataField();
        if (dataSet->IsBlobField(field)) {
            auto* adapter = dynamic_cast<TrpCustomDBDataSet*>(dataSet);
            if (adapter != nullptr) {
                adapter->AssignBlobTo(field, m_memo);
            } else {
                SetText(dataSet->GetDisplayText(field));
            }
            return;
        }
        m_value = dataSet->GetValue(field);
        const TrpFormat& format = *m_formats.front();
        if (format.Kind != TrpFormatKind::fkText) {
            SetText(formatValue(m_value, format));
        } else {
            SetText(dataSet->GetDisplayText(field));
        }
        return;
    }
    if (m_allowExpressions && report != nullptr) {
        expandExpressions();
    }
}

QString TrpCustomMemoView::formatValue(const QVariant& value, const TrpFormat& format) const {
    try {
        return TrpFormatData::format(value, format.Kind, format.FormatStr, format.DecimalSeparator,
                                     format.ThousandSeparator);
    } catch (const TrpError& e) {
        // A format the memo cannot use is an error line of the memo, as an expression error is.
        const QString line = QStringLiteral("%1: %2").arg(Name(), e.message());
        if (TrpReport* report = Report()) {
            report->AddError(line);
        }
        throw TrpError(line);
    }
}

void TrpCustomMemoView::expandExpressions() {
    TrpReport* report = Report();
    const QString text = Text();
    const auto evaluate = [this, report](const QString& expression, int index) {
        const QVariant value = report->Calc(expression);
        const TrpFormat& format = *m_formats[static_cast<size_t>(index)];
        return formatValue(value, format);
    };
    const QString expanded = TrpExpressionScanner::expand(text, m_expressionDelimiters,
                                                          static_cast<int>(m_formats.size()), evaluate);
    if (expanded != text) {
        SetText(expanded);
    }
}

TrpTextFont TrpCustomMemoView::textFont() const {
    TrpTextFont font;
    font.name = Font().Name;
    font.height = Font().Height;
    font.style = Font().Style;
    return font;
}

void TrpCustomMemoView::shrinkFontToFit() {
    const TrpFrame& frame = Frame();
    const double room =
        TrpDrawText::textRect(QRectF(0, 0, Width(), Height()), m_gapX, m_gapY, frame.Width(), frame.Typ())
            .width();
    TrpTextFont font = textFont();
    TrpTextOptions options;
    options.wordWrap = false;
    options.charSpacing = m_charSpacing;
    options.paragraphGap = m_paragraphGap;
    QMutexLocker lock(&TrpDrawText::lock());
    TrpDrawText& measure = TrpDrawText::instance();
    measure.setOptions(options);
    measure.setDimensions(QRectF(0, 0, room, Height()));
    const auto widest = [&] {
        measure.setFont(font);
        measure.setText(m_memo);
        return measure.calcWidth();
    };
    const int sign = font.height < 0 ? -1 : 1;
    int size = std::abs(font.height);
    double width = widest();
    if (width <= room || size <= MinShrunkHeight) {
        return;
    }
    // Text widths follow the font size closely: start from the proportional size, then step down until
    // every line fits.
    size = std::max(MinShrunkHeight, std::min(size - 1, static_cast<int>(size * room / width)));
    font.height = sign * size;
    width = widest();
    while (width > room && size > MinShrunkHeight) {
        --size;
        font.height = sign * size;
        width = widest();
    }
    m_fontBeforeShrink.emplace(Font(), ParentFont());
    TrpFont shrunk = Font();
    shrunk.Height = font.height;
    SetFont(shrunk);
}

double TrpCustomMemoView::CalcHeight() {
    // Measured where the memo stands in its band: positions are rounded to whole pixels.
    double left = Left();
    double top = Top();
    if (const TrpComponent* band = Parent()) {
        left += band->Left();
        top += band->Top();
    }
    const TrpTextFont font = textFont();
    TrpTextOptions options;
    options.wordWrap = m_wordWrap;
    options.charSpacing = m_charSpacing;
    options.lineSpacing = m_lineSpacing;
    options.paragraphGap = m_paragraphGap;
    options.hAlign = m_hAlign;
    options.clipped = m_clipped;
    const TrpFrame& frame = Frame();
    QMutexLocker lock(&TrpDrawText::lock());
    TrpDrawText& measure = TrpDrawText::instance();
    measure.setFont(font);
    measure.setOptions(options);
    measure.setDimensions(TrpDrawText::textRect(QRectF(left, top, Width(), Height()), m_gapX, m_gapY,
                                                frame.Width(), frame.Typ()));
    measure.setText(m_memo);
    return TrpDrawText::memoHeight(measure.calcHeight(), m_gapY, frame.Width(), frame.Typ(),
                                   frame.DropShadow() ? frame.ShadowWidth() : 0);
}
