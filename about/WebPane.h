#pragma once

#include <QString>
#include <QTextBrowser>

// A light page pane for the about window's bottom strip: it shows a local HTML file with the
// rich-text engine (no scripts, no plug-ins, no absolute positioning, so the page's blocks
// stack) and opens its links in the user's browser.
class TWebPane : public QTextBrowser {
    Q_OBJECT

public:
    explicit TWebPane(QWidget* parent);

    // Shows the page and reports DocumentComplete. Like a browser that completes its error
    // page, a file that cannot be read leaves the pane empty, still reports completion and
    // returns false.
    bool Navigate(const QString& fileName);

signals:
    void DocumentComplete();
};
