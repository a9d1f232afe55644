#include <gtest/gtest.h>

#include <tuple>

#include "Growth.h"
#include "Snapshot.h"

namespace history {
namespace {

constexpr std::int64_t kDay = 24 * 3600;
constexpr std::int64_t kT0 = 1'796'083'200;  // a Tuesday, 00:00 UTC

scan::Folder Dir(const std::string& name, std::uint32_t parent, std::uint64_t allocated,
                 std::uint64_t files = 1) {
    return {name, parent, {allocated, allocated / 2, files, 0}, false};
}

// /          1000
//   var       700   (log 600 of it, tmp 40)
//   home      250
//   etc        30
scan::ScanResult Tree() {
    scan::ScanResult scan;
    scan.root = "/";
    scan.folders = {Dir("", 0, 1000, 100), Dir("var", 0, 700, 60), Dir("home", 0, 250, 30),
                    Dir("etc", 0, 30, 9),  Dir("log", 1, 600, 50), Dir("tmp", 1, 40, 5),
                    Dir("big", 5, 45, 1)};
    scan.biggestFiles = {{"var/log/syslog", 500, 480}};
    return scan;
}

struct Row {
    std::string path;
    bool other;
    std::uint64_t allocated;
    std::uint64_t files;
    bool operator==(const Row&) const = default;
};

std::vector<Row> RowsOf(const Snapshot& snapshot) {
    std::vector<Row> rows;
    const auto paths = FolderPaths(snapshot);
    for (std::size_t i = 0; i < paths.size(); ++i)
        rows.push_back({paths[i], snapshot.folders[i].other, snapshot.folders[i].allocatedBytes,
                        snapshot.folders[i].files});
    return rows;
}

// Folders on the line stay with their parents; a parent under the line stays for its child;
// what the kept children leave of a folder is one "other" entry whose sizes add up.
TEST(SnapshotTest, foldersUnderTheLine_foldIntoOnePerParent) {
    scan::ScanResult scan = Tree();
    // A hard-linked file counted in one child only can make a parent smaller than a deep
    // child's line test suggests: the parent still comes along.
    scan.folders[5].total.allocatedBytes = 10;
    const Snapshot snapshot = SnapshotOf(scan, "", 45, kT0);
    EXPECT_EQ(RowsOf(snapshot), (std::vector<Row>{{"", false, 1000, 100},
                                                  {"var", false, 700, 60},
                                                  {"home", false, 250, 30},
                                                  {"var/log", false, 600, 50},
                                                  {"var/tmp", false, 10, 5},
                                                  {"var/tmp/big", false, 45, 1},
                                                  {"", true, 50, 10},
                                                  {"var", true, 90, 5},
                                                  {"var/tmp", true, 0, 4}}));
    ASSERT_EQ(snapshot.biggestFiles.size(), 1u);
    EXPECT_EQ(snapshot.biggestFiles[0].path, "var/log/syslog");

    // A scan of one folder keeps paths relative to the drive.
    const Snapshot sub = SnapshotOf(Tree(), "srv/data", 1001, kT0);
    EXPECT_EQ(RowsOf(sub), (std::vector<Row>{{"srv/data", false, 1000, 100}}));
    EXPECT_EQ(sub.biggestFiles[0].path, "srv/data/var/log/syslog");
    EXPECT_EQ(SnapshotLine(2'000'000), 2000u);
}

// A day keeps all, two weeks keep the newest of each day, a year the newest of each week
// (Monday to Sunday); beyond that nothing stays, and a snapshot from the future stays.
TEST(SnapshotTest, retention_dailyThenWeeklyThenNone) {
    const std::int64_t now = kT0 + 400 * kDay + 12 * 3600;
    std::vector<std::int64_t> times;
    for (std::int64_t t = now - 400 * kDay; t <= now; t += 6 * 3600) times.push_back(t);
    times.push_back(now + 3600);
    const auto dropped = SnapshotsToDrop(times, now);
    std::vector<std::int64_t> kept;
    for (std::size_t i = 0, d = 0; i < times.size(); ++i) {
        if (d < dropped.size() && dropped[d] == i)
            ++d;
        else
            kept.push_back(times[i]);
    }
    std::size_t lastDay = 0, daily = 0, weekly = 0;
    for (const std::int64_t t : kept) {
        const std::int64_t age = now - t;
        ASSERT_LT(age, 365 * kDay);
        if (age < kDay) {
            ++lastDay;
        } else if (age < 14 * kDay) {
            ++daily;
            // The day just before the last one shares its evening with the last day.
            if (age >= 2 * kDay) {
                EXPECT_EQ(t % kDay, 18 * 3600) << "not the day's newest: " << t;
            }
        } else {
            ++weekly;
            if (age >= 21 * kDay) {
                EXPECT_EQ((t + 3 * kDay) % (7 * kDay), 6 * kDay + 18 * 3600)
                    << "not the week's newest: " << t;
            }
        }
    }
    EXPECT_EQ(lastDay, 4u + 1u);  // four in the last day and the one from the future
    EXPECT_EQ(daily, 14u);
    EXPECT_GE(weekly, 49u);
    EXPECT_LE(weekly, 51u);
    // Pruning again drops nothing more.
    EXPECT_TRUE(SnapshotsToDrop(kept, now).empty());
}

Snapshot Grown(std::int64_t time, std::uint64_t log, std::uint64_t home, bool withTmp = true) {
    scan::ScanResult scan = Tree();
    scan.folders[4].total.allocatedBytes = log;
    scan.folders[2].total.allocatedBytes = home;
    scan.folders[1].total.allocatedBytes = log + 100;
    scan.folders[0].total.allocatedBytes = log + 100 + home + 30;
    if (!withTmp) scan.folders.resize(5);
    return SnapshotOf(scan, "", 45, time);
}

// The largest change first, either way, with its rate per day; folders new to the later
// snapshot or gone from it say so; a folder only one snapshot scanned is not "vanished".
TEST(GrowthTest, betweenTwoSnapshots_largestChangeFirst) {
    const Growth growth =
        GrowthBetween(Grown(kT0, 600, 250), Grown(kT0 + 2 * kDay, 1000, 150, false));
    using Line = std::tuple<std::string, bool, FolderStatus, std::int64_t>;
    std::vector<Line> lines;
    for (const FolderChange& f : growth.folders)
        lines.emplace_back(f.path, f.other, f.status, f.changeBytes);
    const auto changed = FolderStatus::changed, vanished = FolderStatus::vanished;
    // The folded rest of var grew by what went under the line; the rest of the root stayed.
    EXPECT_EQ(lines, (std::vector<Line>{{"var", false, changed, 400},
                                        {"var/log", false, changed, 400},
                                        {"", false, changed, 300},
                                        {"home", false, changed, -100},
                                        {"var/tmp/big", false, vanished, -45},
                                        {"var", true, changed, 40},
                                        {"var/tmp", false, vanished, -40},
                                        {"var/tmp", true, vanished, 0}}));
    EXPECT_EQ(growth.folders[0].bytesPerDay, 200);
    EXPECT_EQ(growth.from, kT0);
    EXPECT_EQ(growth.to, kT0 + 2 * kDay);

    // Under one folder only, and against a snapshot of another folder of the same drive.
    const Growth logs = GrowthBetween(Grown(kT0, 600, 250), Grown(kT0, 1000, 250), "var/log");
    ASSERT_EQ(logs.folders.size(), 1u);
    EXPECT_FALSE(logs.folders[0].bytesPerDay);
    const Growth back =
        GrowthBetween(Grown(kT0 + 2 * kDay, 1000, 150, false), Grown(kT0 + 4 * kDay, 600, 250));
    ASSERT_EQ(back.folders.size(), 8u);
    EXPECT_EQ(back.folders[6].path, "var/tmp");
    EXPECT_EQ(back.folders[6].status, FolderStatus::added);
    EXPECT_EQ(back.folders[6].changeBytes, 40);
    Snapshot homeOnly = SnapshotOf(Tree(), "home", 1001, kT0 + kDay);
    const Growth narrowed = GrowthBetween(Grown(kT0, 600, 250), homeOnly);
    ASSERT_EQ(narrowed.folders.size(), 1u);
    EXPECT_EQ(narrowed.folders[0].path, "home");
    EXPECT_EQ(narrowed.folders[0].status, FolderStatus::changed);
    EXPECT_EQ(narrowed.folders[0].changeBytes, 750);
}

// Least squares through noisy daily snapshots finds each folder's steady rate, and sets it
// against the forecast's trend; too few snapshots, or too short a span, give none.
TEST(GrowthTest, ratesOverDays_leastSquaresAgainstTheTrend) {
    std::vector<Snapshot> snapshots;
    // Noise with no slope of its own.
    const std::int64_t noise[] = {20, -20, 0, -20, 20};
    for (int day = 0; day < 5; ++day)
        snapshots.push_back(Grown(kT0 + day * kDay, 600 + 200 * day + noise[day], 250 - 10 * day));
    const auto rates = RatesOf(snapshots, "", 400.0);
    ASSERT_TRUE(rates);
    EXPECT_EQ(rates->snapshots, 5u);
    ASSERT_GE(rates->folders.size(), 4u);
    EXPECT_EQ(rates->folders[0].path, "var");
    EXPECT_EQ(rates->folders[1].path, "var/log");
    EXPECT_NEAR(rates->folders[1].bytesPerDay, 200, 1e-6);
    EXPECT_EQ(rates->folders[2].path, "");
    EXPECT_NEAR(rates->folders[2].bytesPerDay, 190, 1e-6);
    EXPECT_NEAR(*rates->folders[2].shareOfTrend, 190.0 / 400, 1e-9);
    EXPECT_EQ(rates->folders[3].path, "home");
    EXPECT_NEAR(rates->folders[3].bytesPerDay, -10, 1e-6);

    EXPECT_FALSE(RatesOf({snapshots[0], snapshots[1]}, "", 400.0));
    std::vector<Snapshot> sameDay = {Grown(kT0, 1, 1), Grown(kT0 + 3600, 2, 2),
                                     Grown(kT0 + kDay, 3, 3)};
    EXPECT_FALSE(RatesOf(sameDay, "", std::nullopt));
    const auto noTrend = RatesOf(snapshots, "home", std::nullopt);
    ASSERT_TRUE(noTrend);
    ASSERT_EQ(noTrend->folders.size(), 1u);
    EXPECT_FALSE(noTrend->folders[0].shareOfTrend);
}

}  // namespace
}  // namespace history
