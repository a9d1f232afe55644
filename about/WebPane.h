#pragma once

#include <QString>
#include <QWidget>

// A light page pane for the about window's bottom strip: it shows a local HTML page of
// absolutely positioned blocks, each drawn by the rich-text engine at its place (no scripts,
// no plug-ins), and opens links in the user's browser.
class TWebPane : public QWidget {
    Q_OBJECT

public:
    explicit TWebPane(QWidget* parent);

    // Shows the page and reports DocumentComplete. Like a browser that completes its error
    // page, a file that cannot be read leaves the pane empty, still reports completion and
    // returns false.
    bool Navigate(const QString& fileName);

    int BlockCount() const;

signals:
    void DocumentComplete();

private:
    void Clear();
    void Show(const QString& html);
};
