#include "AboutForm.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDir>
#include <QEventLoop>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <stdexcept>
#include <utility>

#include "EmbeddedData.h"
#include "PageFile.h"
#include "ResourceImage.h"
#include "WebPane.h"

namespace {

constexpr QSize kClientSize{512, 384};
constexpr QRect kBrowserDesignRect{800, 357, 569, 72};
constexpr QPoint kBrowserStripPosition{-2, 359};
constexpr int kTimerIntervalMs = 110;
constexpr std::uint32_t kStartDelayMs = 1500;
constexpr int kFrameTop = 115;
constexpr int kFrameLefts[] = {65, 201, 335};
const QString kPageName = QStringLiteral("RUZUVO");

QByteArray EmbeddedPage() {
    std::optional<QByteArray> page = EmbeddedData(kPageName);
    if (!page)
        throw std::runtime_error(
            TFrmAbout::tr("Resource %1 not found").arg(kPageName).toStdString());
    return std::move(*page);
}

}  // namespace

bool UnlocksHiddenMode(const QStringList& parameters) {
    if (parameters.size() != 1) return false;
    const QByteArray word = parameters.front().toLocal8Bit();
    const std::string_view bytes(word.constData(), static_cast<std::size_t>(word.size()));
    return TinyHash::SameDigest(TinyHash::StringMD5(bytes), UnlockDigest);
}

TFrmAbout::TFrmAbout(QStringList parameters, QString executableDir)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      WebBrowser1(new TWebPane(this)),
      Timer1(new QTimer(this)),
      parameters_(std::move(parameters)),
      executableDir_(std::move(executableDir)) {
    setWindowTitle(tr("A propos"));
    setFixedSize(kClientSize);
    WebBrowser1->setGeometry(kBrowserDesignRect);
    WebBrowser1->hide();
    Timer1->setInterval(kTimerIntervalMs);
    connect(Timer1, &QTimer::timeout, this, &TFrmAbout::Timer1Timer);
    connect(WebBrowser1, &TWebPane::DocumentComplete, this,
            &TFrmAbout::WebBrowser1DocumentComplete);
}

TFrmAbout::~TFrmAbout() {
    FormDestroy();
}

void TFrmAbout::FormCreate() {
    hiddenMode_ = UnlocksHiddenMode(parameters_);
    // Nothing shows this window unless the hidden mode is on; the picture is decoded when it
    // is first painted.
    auto background = std::make_unique<ResourceImage>();
    background->LoadFromResourceOnDemand(QStringLiteral("ABOUT"));
    aboutBackground_ = std::move(background);
    setFixedSize(aboutBackground_->Width(), aboutBackground_->Height());
    if (hiddenMode_) EnterHiddenMode();
}

void TFrmAbout::EnterHiddenMode() {
    WebBrowser1->show();
    WebBrowser1->move(kBrowserStripPosition);
    pageFileName_ = QDir(executableDir_).filePath(QStringLiteral("ruzuvo.html"));
    LoadDanceFrames();
    WritePageFileUnlessPresent(pageFileName_, EmbeddedPage());
}

void TFrmAbout::LoadDanceFrames() {
    for (std::size_t i = 0; i < danceFrames_.size(); ++i) {
        auto frame = std::make_unique<ResourceImage>();
        frame->LoadFromResource(QStringLiteral("DANCE%1").arg(i));
        danceFrames_[i] = std::move(frame);
    }
}

void TFrmAbout::FormDestroy() {
    Timer1->stop();
    for (auto frame = danceFrames_.rbegin(); frame != danceFrames_.rend(); ++frame) {
        frame->reset();
    }
    if (hiddenMode_ && !pageFileName_.isEmpty()) {
        if (const std::optional<QByteArray> page = EmbeddedData(kPageName)) {
            RemovePageFileIfOurs(pageFileName_, *page);
        }
    }
    aboutBackground_.reset();
}

void TFrmAbout::FormPaint(QImage& canvas) {
    if (aboutBackground_) aboutBackground_->Draw(canvas, 0, 0);
    if (!hiddenMode_ || !Timer1->isActive()) return;
    // A frame that failed to load leaves a gap in the dance, nothing worse.
    if (const auto& frame = danceFrames_[static_cast<std::size_t>(frameIndex_)]) {
        for (const int left : kFrameLefts) frame->Draw(canvas, left, kFrameTop);
    }
    frameIndex_ = (frameIndex_ + 1) % static_cast<int>(danceFrames_.size());
}

void TFrmAbout::Timer1Timer() {
    if (!delayElapsed_) {
        elapsedMs_ += static_cast<std::uint32_t>(Timer1->interval());
        delayElapsed_ = elapsedMs_ >= kStartDelayMs;
        return;
    }
    update();
}

void TFrmAbout::WebBrowser1DocumentComplete() {
    delayElapsed_ = false;
    elapsedMs_ = 0;
    Timer1->start();
}

void TFrmAbout::PresentHiddenMode() {
    if (!hiddenMode_ || isVisible()) return;
    WebBrowser1->Navigate(pageFileName_);
    ShowModal();
}

int TFrmAbout::ShowModal() {
    if (modalLoop_ != nullptr) return 0;
    modalResult_ = 0;
    setWindowModality(Qt::ApplicationModal);
    show();
    activateWindow();
    QEventLoop loop;
    modalLoop_ = &loop;
    if (modalResult_ == 0) loop.exec(QEventLoop::DialogExec);
    modalLoop_ = nullptr;
    hide();
    setWindowModality(Qt::NonModal);
    return modalResult_;
}

void TFrmAbout::SetModalResult(int result) {
    modalResult_ = result;
    if (modalLoop_ != nullptr) modalLoop_->quit();
}

void TFrmAbout::paintEvent(QPaintEvent*) {
    if (canvas_.size() != size()) canvas_ = QImage(size(), QImage::Format_RGB32);
    canvas_.fill(palette().color(QPalette::Window));
    FormPaint(canvas_);
    QPainter(this).drawImage(0, 0, canvas_);
}

void TFrmAbout::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (event->spontaneous()) return;
    const QScreen* target = screen() != nullptr ? screen() : QGuiApplication::primaryScreen();
    if (target == nullptr) return;
    QRect frame = frameGeometry();
    frame.moveCenter(target->availableGeometry().center());
    move(frame.topLeft());
}

void TFrmAbout::closeEvent(QCloseEvent* event) {
    if (modalLoop_ != nullptr) SetModalResult(kModalCancel);
    QWidget::closeEvent(event);
}

// Escape ends a modal showing like the close button: with Cancel.
void TFrmAbout::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TFrmAbout::mousePressEvent(QMouseEvent*) {
    FormMouseDown();
}

void TFrmAbout::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) FormClick();
}

void TFrmAbout::mouseDoubleClickEvent(QMouseEvent*) {
    FormDblClick();
}

void TFrmAbout::contextMenuEvent(QContextMenuEvent* event) {
    FormContextPopup();
    event->ignore();
}
