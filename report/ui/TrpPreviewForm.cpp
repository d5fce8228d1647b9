#include "TrpPreviewForm.h"

#include "TrpErrorBox.h"
#include "TrpPageSource.h"
#include "TrpPreviewPageView.h"
#include "TrpReport.h"
#include "TrpReportPrinter.h"

#include <QApplication>
#include <QComboBox>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>

namespace {

// The zoom box's entries; the last two fit the page to the window.
const double zooms[] = {0.25, 0.5, 0.75, 1, 1.5, 2};
constexpr int pageWidthEntry = 6;
constexpr int wholePageEntry = 7;

QToolButton* toolButton(QToolBar* bar, const QString& text, const char* name) {
    auto* button = new QToolButton;
    button->setText(text);
    button->setObjectName(QLatin1String(name));
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    bar->addWidget(button);
    return button;
}

// A tool bar shows its widgets by their actions: hiding the widget itself is undone at the next layout.
void showOnBar(QToolBar* bar, QWidget* widget, bool shown) {
    for (QAction* action : bar->actions()) {
        if (bar->widgetForAction(action) == widget) {
            action->setVisible(shown);
        }
    }
}

} // namespace

TrpPreviewForm::TrpPreviewForm(TrpReport& report, const TrpPageSource& pages, QWidget* parent)
    : QDialog(parent), report_(report), pages_(pages) {
    setObjectName(QStringLiteral("TrpPreviewForm"));
    const QString name = report.ReportOptions().Name;
    setWindowTitle(name.isEmpty() ? QStringLiteral("Preview") : name);
    setModal(report.PreviewOptions().Modal);
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    setWindowFlag(Qt::WindowMinimizeButtonHint);

    auto* bar = new QToolBar;
    bar->setObjectName(QStringLiteral("ToolBar"));
    const int buttons = report.PreviewOptions().Buttons;
    print_ = toolButton(bar, QStringLiteral("Print"), "btn_Print");
    showOnBar(bar, print_, buttons & pbPrint);
    bar->addSeparator();
    zoom_ = new QComboBox;
    zoom_->setObjectName(QStringLiteral("cb_Zoom"));
    zoom_->addItems({QStringLiteral("25%"), QStringLiteral("50%"), QStringLiteral("75%"),
                     QStringLiteral("100%"), QStringLiteral("150%"), QStringLiteral("200%"),
                     QStringLiteral("Page width"), QStringLiteral("Whole page")});
    bar->addWidget(zoom_)->setVisible(buttons & pbZoom);
    bar->addSeparator();
    first_ = toolButton(bar, QStringLiteral("First"), "btn_First");
    prior_ = toolButton(bar, QStringLiteral("Prior"), "btn_Prior");
    pageEdit_ = new QLineEdit;
    pageEdit_->setObjectName(QStringLiteral("edt_Page"));
    pageEdit_->setMaximumWidth(50);
    pageEdit_->setValidator(new QIntValidator(1, 99999, pageEdit_));
    bar->addWidget(pageEdit_);
    pageCount_ = new QLabel;
    pageCount_->setObjectName(QStringLiteral("lbl_PageCount"));
    bar->addWidget(pageCount_);
    next_ = toolButton(bar, QStringLiteral("Next"), "btn_Next");
    last_ = toolButton(bar, QStringLiteral("Last"), "btn_Last");
    for (QWidget* w : std::initializer_list<QWidget*>{first_, prior_, pageEdit_, pageCount_, next_, last_}) {
        showOnBar(bar, w, buttons & pbNavigator);
    }
    bar->addSeparator();
    close_ = toolButton(bar, QStringLiteral("Close"), "btn_Close");
    showOnBar(bar, close_, !(buttons & pbNoClose));

    view_ = new TrpPreviewPageView(pages);
    scroll_ = new QScrollArea;
    scroll_->setObjectName(QStringLiteral("ScrollArea"));
    scroll_->setWidget(view_);
    scroll_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    scroll_->setBackgroundRole(QPalette::Dark);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(scroll_, 1);

    connect(print_, &QToolButton::clicked, this, &TrpPreviewForm::print);
    connect(zoom_, &QComboBox::activated, this, &TrpPreviewForm::zoomChosen);
    connect(first_, &QToolButton::clicked, this, [this] { SetCurrentPage(1); });
    connect(prior_, &QToolButton::clicked, this, [this] { SetCurrentPage(CurrentPage() - 1); });
    connect(next_, &QToolButton::clicked, this, [this] { SetCurrentPage(CurrentPage() + 1); });
    connect(last_, &QToolButton::clicked, this, [this] { SetCurrentPage(pages_.PageCount()); });
    connect(pageEdit_, &QLineEdit::returnPressed, this,
            [this] { SetCurrentPage(pageEdit_->text().toInt()); });
    connect(close_, &QToolButton::clicked, this, &TrpPreviewForm::close);

    switch (report.PreviewOptions().ZoomMode) {
    case TrpZoomMode::zmWholePage:
        zoom_->setCurrentIndex(wholePageEntry);
        break;
    case TrpZoomMode::zmPageWidth:
        zoom_->setCurrentIndex(pageWidthEntry);
        break;
    default: {
        const double wanted = report.PreviewOptions().Zoom > 0 ? report.PreviewOptions().Zoom : 1;
        int entry = 3;
        for (int i = 0; i < 6; ++i) {
            if (std::abs(zooms[i] - wanted) < 1e-6) {
                entry = i;
            }
        }
        zoom_->setCurrentIndex(entry);
        view_->setZoom(wanted);
        break;
    }
    }
    resize(800, 600);
    updateControls();
}

void TrpPreviewForm::ShowModal(TrpReport& report, const TrpPageSource& pages,
                               const std::function<void()>& prepare) {
    TrpPreviewForm form(report, pages, QApplication::activeWindow());
    if (report.PreviewOptions().Maximized) {
        form.setWindowState(form.windowState() | Qt::WindowMaximized);
    }
    form.prepareLater(prepare);
    form.exec();
}

void TrpPreviewForm::prepareLater(std::function<void()> prepare) {
    if (!prepare) {
        refresh();
        return;
    }
    preparing_ = true;
    updateControls();
    QTimer::singleShot(50, this, [this, prepare = std::move(prepare)] {
        try {
            prepare();
        } catch (const std::exception& e) {
            TrpErrorBox::show(QString::fromUtf8(e.what()));
        }
        preparing_ = false;
        SetCurrentPage(1);
    });
}

int TrpPreviewForm::CurrentPage() const {
    return pages_.PageCount() == 0 ? 0 : view_->page() + 1;
}

void TrpPreviewForm::SetCurrentPage(int page) {
    const int count = pages_.PageCount();
    view_->setPage(std::clamp(page, 1, std::max(1, count)) - 1);
    refresh();
}

double TrpPreviewForm::Zoom() const {
    return view_->zoom();
}

void TrpPreviewForm::refresh() {
    if (zoom_->currentIndex() >= pageWidthEntry) {
        zoomChosen(zoom_->currentIndex());
    } else {
        view_->refresh();
    }
    updateControls();
}

void TrpPreviewForm::zoomChosen(int index) {
    if (index < pageWidthEntry) {
        view_->setZoom(zooms[index]);
        return;
    }
    const QSizeF paper = view_->paperSize();
    if (paper.isEmpty()) {
        return;
    }
    const QSize room =
        scroll_->viewport()->size() - QSize(2 * TrpPreviewPageView::Desk, 2 * TrpPreviewPageView::Desk);
    const double byWidth = room.width() / paper.width();
    const double byHeight = room.height() / paper.height();
    view_->setZoom(std::max(0.05, index == pageWidthEntry ? byWidth : std::min(byWidth, byHeight)));
}

void TrpPreviewForm::print() {
    try {
        TrpReportPrinter::Print(report_, pages_, std::max(1, CurrentPage()),
                                [this] { return report_.Terminated(); });
    } catch (const std::exception& e) {
        TrpErrorBox::show(QString::fromUtf8(e.what()));
    }
}

void TrpPreviewForm::updateControls() {
    const int count = pages_.PageCount();
    const int current = CurrentPage();
    print_->setEnabled(!preparing_ && count > 0);
    first_->setEnabled(current > 1);
    prior_->setEnabled(current > 1);
    next_->setEnabled(current < count);
    last_->setEnabled(current < count);
    pageEdit_->setText(QString::number(current));
    pageCount_->setText(QStringLiteral(" of %1 ").arg(count));
}
