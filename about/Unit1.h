#pragma once

#include <QDialog>

#include "ResourceImage.h"

class QLabel;

// The picture about box: the JPEG picture at full size; a click on it closes the box.
class TAboutBox : public QDialog {
    Q_OBJECT

public:
    static constexpr int kModalCancel = 2;

    TAboutBox();

    // Ends a modal showing with result 2 (cancel); otherwise hides the box.
    void Image1Click();

    QLabel* Image1;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // Decoded into Image1 when the box is first shown, which the program itself never does.
    ResourceImage picture_;
};
