#pragma once

#include "ProductPanel.h"

#include <QWidget>

class QLabel;
class QProgressBar;

// The window shown while the program starts: the product's identity, version and file date, and a bar
// that advances with the start-up steps.
class TSplashForm : public QWidget {
    Q_OBJECT
public:
    // `programFile` is the executable whose version and date are shown (the program's own by default).
    // Building the labels runs here; its failure goes to the standard error box and the window is shown
    // all the same, with the initial captions.
    explicit TSplashForm(const QString& programFile = QString());

    // The program file's version, "major.minor.release.build". Raises FileVersionError.
    QString GetAppVersionStr() const;

    // Moves the bar to `percent` and repaints at once: no window messages run during start-up.
    void advanceTo(int percent);

    QWidget* LeftPanel = nullptr;
    QWidget* RightPanel = nullptr;
    QLabel* Image1 = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    ProductLabels labels;

private:
    void FormCreate();

    QString programFile_;
};
