#include "TrpPreparedPage.h"

#include "TrpBand.h"
#include "TrpCustomLineView.h"
#include "TrpCustomMemoView.h"
#include "TrpPictureView.h"
#include "TrpReportPage.h"

TrpPageSettings TrpPageSettings::of(const TrpReportPage& page) {
    TrpPageSettings s;
    s.PaperSize = page.PaperSize();
    s.PaperWidth = page.PaperWidth();
    s.PaperHeight = page.PaperHeight();
    s.Orientation = page.Orientation();
    s.LeftMargin = page.LeftMargin();
    s.RightMargin = page.RightMargin();
    s.TopMargin = page.TopMargin();
    s.BottomMargin = page.BottomMargin();
    s.Bin = page.Bin();
    s.BinOtherPages = page.BinOtherPages();
    s.Duplex = page.Duplex();
    s.Frame = page.Frame();
    return s;
}

bool TrpPreparedView::copy(const TrpView& view, TrpPreparedView* out) {
    out->name = view.Name();
    out->bounds = QRectF(view.Left(), view.Top(), view.Width(), view.Height());
    out->visibility = view.Visibility();
    out->frame = view.Frame();
    if (const auto* memo = dynamic_cast<const TrpCustomMemoView*>(&view)) {
        out->kind = Kind::Memo;
        out->text = memo->Memo();
        out->font = memo->Font();
        out->hAlign = memo->HAlign();
        out->wordWrap = memo->WordWrap();
        out->gapX = memo->GapX();
        out->gapY = memo->GapY();
        out->lineSpacing = memo->LineSpacing();
        out->charSpacing = memo->CharSpacing();
        out->paragraphGap = memo->ParagraphGap();
        out->clipped = memo->Clipped();
        out->fill = memo->Fill();
        return true;
    }
    if (dynamic_cast<const TrpCustomLineView*>(&view) != nullptr) {
        out->kind = Kind::Line;
        return true;
    }
    if (const auto* picture = dynamic_cast<const TrpPictureView*>(&view)) {
        out->kind = Kind::Picture;
        out->image = picture->Picture().image();
        out->keepAspectRatio = picture->KeepAspectRatio();
        out->stretched = picture->Stretched();
        out->center = picture->Center();
        return true;
    }
    return false;
}

TrpPreparedBand TrpPreparedBand::copy(const TrpBand& band) {
    TrpPreparedBand out;
    out.name = band.Name();
    out.className = QString::fromLatin1(band.ClassName());
    out.bounds = QRectF(band.Left(), band.Top(), band.Width(), band.Height());
    out.views.reserve(band.Objects().size());
    for (const auto& child : band.Objects()) {
        const auto* view = dynamic_cast<const TrpView*>(child.get());
        // Only what is visible at placement time is kept.
        if (view == nullptr || !view->Visible()) {
            continue;
        }
        TrpPreparedView copy;
        if (TrpPreparedView::copy(*view, &copy)) {
            out.views.push_back(std::move(copy));
        }
    }
    return out;
}
