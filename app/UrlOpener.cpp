#include "UrlOpener.h"

#include <QDesktopServices>

namespace {

class DesktopUrlOpener final : public UrlOpener {
public:
    bool open(const QUrl& url) override { return QDesktopServices::openUrl(url); }
};

UrlOpener* replacement = nullptr;

} // namespace

UrlOpener& UrlOpener::current() {
    static DesktopUrlOpener desktop;
    return replacement ? *replacement : desktop;
}

void UrlOpener::setCurrent(UrlOpener* opener) {
    replacement = opener;
}
