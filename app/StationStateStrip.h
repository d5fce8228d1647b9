#pragma once

#include <QScrollArea>

class QHBoxLayout;
class StationStates;

// Each printer that received a ticket since Start, side by side: its name, its queue's state and the time
// of its last ticket on three lines, coloured by state; a printer whose last ticket failed shows the failure
// until a ticket succeeds. Each printer's box is named "station_<printer>". More printers than fit scroll
// sideways instead of widening the window.
class StationStateStrip : public QScrollArea {
    Q_OBJECT
public:
    StationStateStrip(StationStates& states, QWidget* parent = nullptr);

    // Shows the states again (the states call it whenever they change).
    void refresh();

private:
    StationStates& states_;
    QHBoxLayout* row_ = nullptr;
};
