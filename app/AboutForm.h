#pragma once

#include "ProductPanel.h"

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;

// Help / About: the product's identity, version and file date, the credits and a Close button.
class TAboutForm : public QDialog {
    Q_OBJECT
public:
    // The result the Close button ends the window with.
    static constexpr int ModalResultClose = 8;

    // `programFile` is the executable whose version and date are shown (the program's own by default).
    explicit TAboutForm(QWidget* parent = nullptr, const QString& programFile = QString());

    // The program file's version, "major.minor.release.build". Raises FileVersionError.
    QString GetAppVersionStr() const;

    QWidget* LeftPanel = nullptr;
    QWidget* RightPanel = nullptr;
    QLabel* ProgramIcon = nullptr;
    QPushButton* Button1 = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    ProductLabels labels;

protected:
    void changeEvent(QEvent* event) override;

private:
    // Runs when the window first becomes active, that is when it opens: sets the version and date labels. A
    // failure goes to the standard error box and leaves the labels not yet set with their initial captions.
    void FormActivate();

    QString programFile_;
    bool activated_ = false;
};
