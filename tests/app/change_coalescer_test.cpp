#include <gtest/gtest.h>

#include "ChangeCoalescer.h"
#include "Poll.h"
#include "QtAppEnvironment.h"

using namespace std::chrono_literals;

namespace {

TEST(ChangeCoalescerTest, burstOfNotices_settlesOnce) {
    TChangeCoalescer coalescer(50ms, 2000ms);
    int settled = 0;
    QObject::connect(&coalescer, &TChangeCoalescer::Settled, [&] { ++settled; });
    for (int i = 0; i < 12; ++i) coalescer.Notify();
    ASSERT_TRUE(PollUntil([&] { return settled > 0; }));
    EXPECT_EQ(settled, 1);
    EXPECT_FALSE(coalescer.Pending());
}

TEST(ChangeCoalescerTest, noticeAfterSettling_startsAnotherRound) {
    TChangeCoalescer coalescer(10ms, 100ms);
    int settled = 0;
    QObject::connect(&coalescer, &TChangeCoalescer::Settled, [&] { ++settled; });
    EXPECT_FALSE(coalescer.Pending());
    coalescer.Notify();
    ASSERT_TRUE(PollUntil([&] { return settled == 1; }));
    coalescer.Notify();
    EXPECT_TRUE(coalescer.Pending());
    ASSERT_TRUE(PollUntil([&] { return settled == 2; }));
}

// Notices that never stop must not starve the call: it comes once the burst is `longest` old.
TEST(ChangeCoalescerTest, endlessNotices_stillSettle) {
    TChangeCoalescer coalescer(30ms, 120ms);
    int settled = 0;
    QObject::connect(&coalescer, &TChangeCoalescer::Settled, [&] { ++settled; });
    coalescer.Notify();
    ASSERT_TRUE(PollUntil([&] {
        coalescer.Notify();
        return settled > 0;
    }));
}

}  // namespace
