#pragma once

#include "TrpBrushFill.h"
#include "TrpFormat.h"
#include "TrpStretcheable.h"

#include <QStringList>
#include <QVariant>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

struct TrpTextFont;

// A block of text: its lines (with expressions between ExpressionDelimiters), alignment, gaps and
// spacing in report pixels, and the formats of its expressions. DisplayFormat is the first format,
// created when first used.
class TrpCustomMemoView : public TrpStretcheable {
public:
    // The lines, each followed by CR LF.
    QString Text() const;
    // Replaces the lines: the text is split at CR, LF, CR LF, NUL and U+2028; a final line break adds no
    // empty line.
    void SetText(const QString& text);
    const QStringList& Memo() const { return m_memo; }
    void SetMemo(const QStringList& lines) { m_memo = lines; }

    TrpHAlign HAlign() const { return m_hAlign; }
    void SetHAlign(TrpHAlign value) { m_hAlign = value; }
    TrpVAlign VAlign() const { return m_vAlign; }
    void SetVAlign(TrpVAlign value) { m_vAlign = value; }
    bool WordWrap() const { return m_wordWrap; }
    void SetWordWrap(bool value) { m_wordWrap = value; }
    double GapX() const { return m_gapX; }
    void SetGapX(double value) { m_gapX = value; }
    double GapY() const { return m_gapY; }
    void SetGapY(double value) { m_gapY = value; }
    double LineSpacing() const { return m_lineSpacing; }
    void SetLineSpacing(double value) { m_lineSpacing = value; }
    double CharSpacing() const { return m_charSpacing; }
    void SetCharSpacing(double value) { m_charSpacing = value; }
    double ParagraphGap() const { return m_paragraphGap; }
    void SetParagraphGap(double value) { m_paragraphGap = value; }
    bool AllowExpressions() const { return m_allowExpressions; }
    void SetAllowExpressions(bool value) { m_allowExpressions = value; }
    QString ExpressionDelimiters() const { return m_expressionDelimiters; }
    void SetExpressionDelimiters(const QString& value) { m_expressionDelimiters = value; }
    bool Clipped() const { return m_clipped; }
    void SetClipped(bool value) { m_clipped = value; }
    bool Wysiwyg() const { return m_wysiwyg; }
    void SetWysiwyg(bool value) { m_wysiwyg = value; }
    bool HideZeros() const { return m_hideZeros; }
    void SetHideZeros(bool value) { m_hideZeros = value; }
    bool RTLReading() const { return m_rtlReading; }
    void SetRTLReading(bool value) { m_rtlReading = value; }
    bool SuppressRepeated() const { return m_suppressRepeated; }
    void SetSuppressRepeated(bool value) { m_suppressRepeated = value; }
    bool AutoWidth() const { return m_autoWidth; }
    void SetAutoWidth(bool value) { m_autoWidth = value; }
    bool AllowHTMLTags() const { return m_allowHtmlTags; }
    void SetAllowHTMLTags(bool value) { m_allowHtmlTags = value; }
    bool WordBreak() const { return m_wordBreak; }
    void SetWordBreak(bool value) { m_wordBreak = value; }
    bool Underlines() const { return m_underlines; }
    void SetUnderlines(bool value) { m_underlines = value; }
    // Text that must be read whole, such as a quantity: when a line of the placed text is wider than the
    // memo, the memo's font is made smaller for that placement until every line fits on one line (never
    // below MinShrunkHeight pixels); text that fits keeps the designed font.
    bool ShrinkToFit() const { return m_shrinkToFit; }
    void SetShrinkToFit(bool value) { m_shrinkToFit = value; }
    static constexpr int MinShrunkHeight = 4;
    // Degrees, stored modulo 360.
    int Rotation() const { return m_rotation; }
    void SetRotation(int value);

    TrpFillType FillType() const { return m_fillType; }
    void SetFillType(TrpFillType value) { m_fillType = value; }
    const TrpBrushFill& Fill() const { return m_fill; }
    TrpBrushFill* FillForEditing() { return &m_fill; }

    // One format per expression of the text, in the order of the expressions.
    const std::vector<std::unique_ptr<TrpFormat>>& Formats() const { return m_formats; }
    TrpFormat* AddFormat();
    void ClearFormats() { m_formats.clear(); }
    // The first format; created when there is none.
    TrpFormat* DisplayFormat();

    // One placement: BeforePrint keeps the designed lines, GetData computes the content for the current
    // row (a data field's text, or the expressions expanded), CalcHeight measures it (whole report
    // pixels, at 600 dpi), AfterPrint puts the designed lines back.
    void BeforePrint() override;
    void GetData() override;
    void AfterPrint() override;
    double CalcHeight() override;
    // The value of the data field read by the last GetData; null otherwise.
    const QVariant& Value() const { return m_value; }

    std::vector<TrpCollectionView> collections() const override;
    bool acceptsCollection(const QString& name) const override;
    TrpPersistent* addCollectionItem(const QString& name) override;

private:
    // GetData without the font fitting.
    void placeText();
    void expandExpressions();
    void shrinkFontToFit();
    // The memo's font as the measuring takes it.
    TrpTextFont textFont() const;
    // The value formatted; a format the memo cannot use becomes its error line and ends the layout.
    QString formatValue(const QVariant& value, const TrpFormat& format) const;

    QStringList m_memo;
    QStringList m_savedMemo;
    bool m_memoSaved = false;
    QVariant m_value;
    TrpHAlign m_hAlign = TrpHAlign::haLeft;
    TrpVAlign m_vAlign = TrpVAlign::vaTop;
    bool m_wordWrap = true;
    double m_gapX = 2;
    double m_gapY = 1;
    double m_lineSpacing = 2;
    double m_charSpacing = 0;
    double m_paragraphGap = 0;
    bool m_allowExpressions = true;
    QString m_expressionDelimiters = QStringLiteral("[,]");
    bool m_clipped = true;
    bool m_wysiwyg = true;
    bool m_hideZeros = false;
    bool m_rtlReading = false;
    bool m_suppressRepeated = false;
    bool m_autoWidth = false;
    bool m_allowHtmlTags = false;
    bool m_wordBreak = false;
    bool m_underlines = false;
    bool m_shrinkToFit = false;
    // The designed font while a placement shows the text in a smaller one.
    std::optional<std::pair<TrpFont, bool>> m_fontBeforeShrink;
    int m_rotation = 0;
    TrpFillType m_fillType = TrpFillType::ftBrush;
    TrpBrushFill m_fill;
    std::vector<std::unique_ptr<TrpFormat>> m_formats;
};
