#pragma once

#include <QUrl>

// Opens web pages with the desktop's default handler. Every page the program opens goes through the
// current UrlOpener, so that tests can see the page instead of starting a browser.
class UrlOpener {
public:
    virtual ~UrlOpener() = default;

    // Returns false when the desktop could not open the page.
    virtual bool open(const QUrl& url) = 0;

    static UrlOpener& current();
    // Replaces the opener (nullptr restores the desktop's). The caller keeps ownership.
    static void setCurrent(UrlOpener* opener);
};
