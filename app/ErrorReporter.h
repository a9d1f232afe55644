#pragma once

#include <QString>
#include <functional>

inline const QString kApplicationTitle = QStringLiteral("Vollmark KX");

// The text an error is shown with: a full stop is added when the message's last character
// sorts after ".", so "Disk full" gets one and "Disk full!" or "Done." do not.
QString ErrorMessageText(const QString& message);

// Runs a window's creation or destruction handler. An exception escaping it skips the rest
// of the handler and is shown to the user; the window itself lives on.
class TErrorReporter {
public:
    using ShowMessage = std::function<void(const QString& caption, const QString& text)>;

    explicit TErrorReporter(ShowMessage show, QString caption = kApplicationTitle);

    // True when the handler ran to its end.
    bool Run(const std::function<void()>& handler) const;

private:
    ShowMessage show_;
    QString caption_;
};

// A modal message box with the error icon.
void ShowErrorBox(const QString& caption, const QString& text);
