#pragma once

#include <QImage>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <array>
#include <cstdint>
#include <memory>

#include "TinyHash.h"

class QEventLoop;
class QTimer;
class ResourceImage;
class TWebPane;

// The digest of the word that unlocks the hidden mode; the word itself is not kept.
inline constexpr TinyHash::Digest UnlockDigest{0xe1, 0xb1, 0x40, 0x4c, 0x7e, 0x72, 0x10, 0x7b,
                                               0xc1, 0x94, 0xaf, 0x5a, 0xdf, 0x11, 0xb8, 0x11};

// True for exactly one parameter whose bytes digest to UnlockDigest.
bool UnlocksHiddenMode(const QStringList& parameters);

// The animated about window. One command-line word unlocks its hidden mode: a page strip
// along the bottom and three dancing figures over the picture.
class TFrmAbout : public QWidget {
    Q_OBJECT

public:
    static constexpr int kModalOk = 1;
    static constexpr int kModalCancel = 2;

    // parameters: the command-line parameters after the program path; executableDir: the
    // folder that receives the page file in the hidden mode.
    TFrmAbout(QStringList parameters, QString executableDir);
    // Runs FormDestroy when the owner has not, so that our page file never stays behind.
    ~TFrmAbout() override;

    // Throws std::runtime_error with the user-facing message when a step fails; the steps
    // after it are skipped and the window stays usable.
    void FormCreate();
    void FormDestroy();
    bool HiddenMode() const { return hiddenMode_; }
    // In the hidden mode: loads the page into the pane and shows the window modally until
    // it is clicked. Does nothing otherwise.
    void PresentHiddenMode();
    // Shows the window and waits until a modal result is set; returns that result, or 0 at
    // once when a modal showing is already running.
    int ShowModal();

    // Event handlers, reachable so that they can be driven one step at a time.
    void FormPaint(QImage& canvas);
    void Timer1Timer();
    void WebBrowser1DocumentComplete();
    void FormClick() { SetModalResult(kModalOk); }
    void FormDblClick() { SetModalResult(kModalOk); }
    void FormMouseDown() { SetModalResult(kModalOk); }
    void FormContextPopup() { SetModalResult(kModalOk); }

    int ModalResult() const { return modalResult_; }
    int FrameIndex() const { return frameIndex_; }
    bool DelayElapsed() const { return delayElapsed_; }
    std::uint32_t ElapsedMs() const { return elapsedMs_; }
    const QString& PageFileName() const { return pageFileName_; }

    TWebPane* WebBrowser1;
    QTimer* Timer1;

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void EnterHiddenMode();
    void LoadDanceFrames();
    void SetModalResult(int result);

    QStringList parameters_;
    QString executableDir_;
    bool hiddenMode_ = false;
    std::unique_ptr<ResourceImage> aboutBackground_;
    std::array<std::unique_ptr<ResourceImage>, 8> danceFrames_;
    QString pageFileName_;
    int frameIndex_ = 0;
    bool delayElapsed_ = false;
    std::uint32_t elapsedMs_ = 0;
    int modalResult_ = 0;
    QEventLoop* modalLoop_ = nullptr;
    QImage canvas_;
};
