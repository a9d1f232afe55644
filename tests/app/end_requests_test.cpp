#include <gtest/gtest.h>

#include <QWidget>
#include <csignal>

#include "EndRequests.h"
#include "Poll.h"
#include "QtAppEnvironment.h"

namespace {

using Handler = void (*)(int);

Handler HandlerOf(int signal) {
    struct sigaction current {};
    sigaction(signal, nullptr, &current);
    return current.sa_handler;
}

// Restores what the signal did before, even if the test fails half-way.
struct SignalDisposition {
    explicit SignalDisposition(int signal, Handler handler)
        : signal(signal), before(std::signal(signal, handler)) {}
    ~SignalDisposition() { std::signal(signal, before); }
    int signal;
    Handler before;
};

TEST(EndRequestsTest, endSignals_askToEndThroughTheEventLoopAndLeaveNoHandlerBehind) {
    QWidget window;
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        const SignalDisposition byDefault(signal, SIG_DFL);
        {
            TEndRequests requests(window);
            int asked = 0;
            QObject::connect(&requests, &TEndRequests::EndRequested, [&] { ++asked; });
            ASSERT_NE(HandlerOf(signal), SIG_DFL);
            std::raise(signal);
            std::raise(signal);
            EXPECT_EQ(asked, 0);
            ASSERT_TRUE(PollUntil([&] { return asked > 0; })) << signal;
            EXPECT_EQ(asked, 1);
        }
        EXPECT_EQ(HandlerOf(signal), SIG_DFL) << signal;
    }
}

TEST(EndRequestsTest, signalIgnoredFromTheStart_staysIgnored) {
    const SignalDisposition ignored(SIGHUP, SIG_IGN);
    QWidget window;
    const TEndRequests requests(window);
    EXPECT_EQ(HandlerOf(SIGHUP), SIG_IGN);
}

}  // namespace
