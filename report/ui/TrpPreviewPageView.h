#pragma once

#include <QWidget>

class TrpPageSource;

// One prepared page on screen: white paper on a grey desk, drawn by the pages' own drawing routine at the
// preview's zoom (1 = 100 %: one report pixel per screen pixel), clipped to the paper.
class TrpPreviewPageView : public QWidget {
    Q_OBJECT
public:
    static constexpr int Desk = 10; // grey border around the paper, in screen pixels

    explicit TrpPreviewPageView(const TrpPageSource& pages, QWidget* parent = nullptr);

    void setPage(int index);
    int page() const { return page_; }
    void setZoom(double zoom);
    double zoom() const { return zoom_; }
    // The paper's size in screen pixels at zoom 1 (empty without pages).
    QSizeF paperSize() const;
    // Call when the pages changed (preparation added some).
    void refresh();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const TrpPageSource& pages_;
    int page_ = 0;
    double zoom_ = 1;
};
