#include <fcntl.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QSocketNotifier>
#include <QWidget>
#include <array>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <string_view>

#include "EndRequests.h"

namespace {

constexpr std::array kEndSignals{SIGTERM, SIGINT, SIGHUP};

// The write end of the wake-up pipe, the only thing the signal handler touches.
volatile std::sig_atomic_t gWakeFd = -1;

// Only async-signal-safe calls here: one write to a non-blocking pipe. A full pipe already
// holds a wake-up, so a failed write loses nothing.
extern "C" void OnEndSignal(int) {
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(gWakeFd, &byte, 1);
    errno = saved;
}

xcb_atom_t ExistingAtom(xcb_connection_t* connection, std::string_view name) {
    const auto cookie =
        xcb_intern_atom(connection, 1, static_cast<std::uint16_t>(name.size()), name.data());
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    const xcb_atom_t atom = reply != nullptr ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return atom;
}

xcb_connection_t* X11Connection() {
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 != nullptr ? x11->connection() : nullptr;
}

}  // namespace

class TEndRequests::Impl : public QAbstractNativeEventFilter {
public:
    Impl(TEndRequests& owner, const QWidget& mainWindow) : owner_(owner), window_(mainWindow) {
        if (::pipe2(pipe_.data(), O_CLOEXEC | O_NONBLOCK) == 0) WatchSignals();
        if (xcb_connection_t* connection = X11Connection()) {
            wmProtocols_ = ExistingAtom(connection, "WM_PROTOCOLS");
            wmDeleteWindow_ = ExistingAtom(connection, "WM_DELETE_WINDOW");
        }
        QCoreApplication::instance()->installNativeEventFilter(this);
    }

    ~Impl() override {
        if (QCoreApplication* app = QCoreApplication::instance())
            app->removeNativeEventFilter(this);
        if (!notifier_) return;
        // Back to the old handlers before the pipe closes: its number may be reused at once.
        for (std::size_t i = 0; i < kEndSignals.size(); ++i)
            sigaction(kEndSignals[i], &previous_[i], nullptr);
        gWakeFd = -1;
        notifier_.reset();
        for (const int fd : pipe_) ::close(fd);
    }

    Impl(const Impl&) = delete;
    Impl& operator=(const Impl&) = delete;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) override {
        if (eventType != "xcb_generic_event_t") return false;
        const WId ours = window_.internalWinId();
        if (ours == 0) return false;
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        switch (event->response_type & 0x7f) {
            case XCB_DESTROY_NOTIFY:
                return WindowDestroyed(*static_cast<const xcb_destroy_notify_event_t*>(message),
                                       ours);
            case XCB_CLIENT_MESSAGE:
                return CloseRefusedByQt(*static_cast<const xcb_client_message_event_t*>(message),
                                        ours);
            default:
                return false;
        }
    }

private:
    // X11 tells the client when a window of its own is destroyed, by us or by anyone.
    bool WindowDestroyed(const xcb_destroy_notify_event_t& event, WId ours) {
        if (event.window == ours) emit owner_.EndRequested();
        return false;
    }

    // Qt drops the window manager's close request for a window that a modal window blocks;
    // the main window's close button must end the program all the same.
    bool CloseRefusedByQt(const xcb_client_message_event_t& event, WId ours) {
        if (event.window != ours || event.format != 32 || wmProtocols_ == XCB_ATOM_NONE ||
            event.type != wmProtocols_ || event.data.data32[0] != wmDeleteWindow_)
            return false;
        if (QApplication::activeModalWidget() == nullptr) return false;
        emit owner_.EndRequested();
        return true;
    }

    void WatchSignals() {
        notifier_ = std::make_unique<QSocketNotifier>(pipe_[0], QSocketNotifier::Read);
        QObject::connect(notifier_.get(), &QSocketNotifier::activated, &owner_, [this] {
            std::array<char, 64> drained{};
            while (::read(pipe_[0], drained.data(), drained.size()) > 0) {
            }
            emit owner_.EndRequested();
        });
        gWakeFd = pipe_[1];
        struct sigaction action {};
        action.sa_handler = OnEndSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        for (std::size_t i = 0; i < kEndSignals.size(); ++i) {
            sigaction(kEndSignals[i], nullptr, &previous_[i]);
            // A signal ignored from the start stays ignored: nohup, or a shell's background
            // job that Ctrl+C must not reach.
            if (previous_[i].sa_handler != SIG_IGN) sigaction(kEndSignals[i], &action, nullptr);
        }
    }

    TEndRequests& owner_;
    const QWidget& window_;
    std::array<int, 2> pipe_{-1, -1};
    std::unique_ptr<QSocketNotifier> notifier_;
    std::array<struct sigaction, kEndSignals.size()> previous_{};
    xcb_atom_t wmProtocols_ = XCB_ATOM_NONE;
    xcb_atom_t wmDeleteWindow_ = XCB_ATOM_NONE;
};

TEndRequests::TEndRequests(const QWidget& mainWindow)
    : impl_(std::make_unique<Impl>(*this, mainWindow)) {}

TEndRequests::~TEndRequests() = default;
