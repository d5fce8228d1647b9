#pragma once

#include <QDialog>

class QFrame;
class QPushButton;

// What the station and printer settings windows and their dialogs share: a fixed-size dialog frame whose
// title bar has only the close box, Tahoma 13 pixels high, opened centred over the window that opens it,
// a bevelled button panel down the left side. The close box and Escape end it with ModalResult::Cancel.
class SettingsDialog : public QDialog {
    Q_OBJECT
public:
    SettingsDialog(QWidget* parent, const QString& objectName, const QString& caption, int clientWidth,
                   int clientHeight);

    void reject() override;

protected:
    QFrame* addButtonPanel(const QString& objectName, int width);
    // A plain push button: Enter presses no button of its own accord in these windows.
    static QPushButton* addButton(QWidget* parent, const QString& objectName, const QString& caption,
                                  const QRect& geometry);
};
