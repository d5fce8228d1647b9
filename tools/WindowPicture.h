#pragma once

#include <QDir>
#include <QString>
#include <functional>

class QWidget;

// For the documentation's window pictures under Xvfb: lets the window system map, activate and paint a
// window (until `ready` holds, at most three seconds), then a short while more to paint.
void settle(const std::function<bool()>& ready);

// Writes the window as `name` (PNG) into `folder` and prints the path; false, said on stderr by `tool`,
// when the file cannot be written.
bool saveWindowPicture(QWidget& window, const QDir& folder, const QString& name, const char* tool);
