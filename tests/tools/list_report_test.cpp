#include <gtest/gtest.h>

#include "FakeLayer.h"
#include "ListReport.h"

namespace {

TEST(ListMembersTest, report_carriesEntriesSummariesAndCaption) {
    DiskUtils::ResetOptionState();
    platform::ScopedFakeLayer fake;
    fake->AddDrive('C', 4'000'000'000, 1'000'000'000, platform::kDriveFixed);
    fake->AddDrive('N', 2'000'000'000, 0, platform::kDriveRemote);
    fake->AddDrive('E', 1'000, 0, platform::kDriveCdRom);
    const drives::JsonMembers expected = {
        {"entries", R"js(["*", "#", "C", "E", "N"])js"},
        {"local",
         R"js({"total": "4.00 Go", "free": "1.00 Go", "used": "3.00 Go", "percent": "75.0 %"})js"},
        {"network",
         R"js({"total": "2.00 Go", "free": "0.00 Go", "used": "2.00 Go", "percent": "100.0 %"})js"},
        {"caption", R"js("Vollmark - Total: 4.00 Go (25.0 % Free)")js"},
    };
    EXPECT_EQ(drives::ListMembers(), expected);
}

}  // namespace
