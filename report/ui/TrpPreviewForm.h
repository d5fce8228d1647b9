#pragma once

#include <QDialog>
#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QScrollArea;
class QToolButton;
class TrpPageSource;
class TrpPreviewPageView;
class TrpReport;

// The preview window: the report's prepared pages at the zoom of its preview options, a toolbar with
// "Print", the zoom box, page navigation and "Close". Caption: the report's name, else "Preview". "Print"
// prints with the report's print options (the print dialog first when they ask for it), the preview's
// current page being the dialog's current page; the window stays open afterwards.
class TrpPreviewForm : public QDialog {
    Q_OBJECT
public:
    // Bits of the preview options' Buttons that this window knows.
    static constexpr int pbPrint = 1 << 0;
    static constexpr int pbZoom = 1 << 4;
    static constexpr int pbNavigator = 1 << 10;
    static constexpr int pbNoClose = 1 << 12;

    TrpPreviewForm(TrpReport& report, const TrpPageSource& pages, QWidget* parent = nullptr);

    // Opens the window modally (maximized when the options say so), runs `prepare` 50 ms after it opened
    // and returns when the user closes it.
    static void ShowModal(TrpReport& report, const TrpPageSource& pages,
                          const std::function<void()>& prepare);

    // Runs `prepare` on a 50 ms timer; the pages appear when it ends.
    void prepareLater(std::function<void()> prepare);

    int CurrentPage() const; // from 1; 0 without pages
    void SetCurrentPage(int page);
    double Zoom() const;
    // Shows the pages again after they changed.
    void refresh();

private:
    void zoomChosen(int index);
    void print();
    void updateControls();

    TrpReport& report_;
    const TrpPageSource& pages_;
    bool preparing_ = false;
    TrpPreviewPageView* view_;
    QScrollArea* scroll_;
    QToolButton* print_;
    QComboBox* zoom_;
    QToolButton* first_;
    QToolButton* prior_;
    QLineEdit* pageEdit_;
    QLabel* pageCount_;
    QToolButton* next_;
    QToolButton* last_;
    QToolButton* close_;
};
