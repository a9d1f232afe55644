#include <gtest/gtest.h>

#include "FakeLayer.h"
#include "ListReport.h"

namespace {

void AddDrive(platform::FakeLayer& fake, char letter, std::int64_t total, std::int64_t free,
              std::uint32_t type) {
    auto& drive = fake.drive(letter);
    drive.totalBytes = total;
    drive.freeBytes = free;
    drive.type = type;
}

TEST(ListMembersTest, report_carriesEntriesSummariesAndCaption) {
    DiskUtils::ResetOptionState();
    platform::ScopedFakeLayer fake;
    AddDrive(*fake, 'C', 4'000'000'000, 1'000'000'000, platform::kDriveFixed);
    AddDrive(*fake, 'N', 2'000'000'000, 0, platform::kDriveRemote);
    AddDrive(*fake, 'E', 1'000, 0, platform::kDriveCdRom);
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
