#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FolderModel.h"
#include "Growth.h"

namespace {

using folderview::FolderRow;
using folderview::FolderTree;
using folderview::RowKind;
using history::Snapshot;
using history::SnapshotEntry;

constexpr std::int64_t kDay = 86400;
constexpr std::int64_t kNow = 1'790'000'000;

// A drive as two snapshots keep it: var/log grows, home/tmp goes away, opt comes new.
Snapshot Drive(std::int64_t time, bool later) {
    Snapshot snapshot;
    snapshot.time = time;
    auto add = [&](std::uint32_t parent, std::string name, bool other, std::uint64_t bytes,
                   std::uint64_t files) {
        snapshot.folders.push_back({parent, std::move(name), other, bytes, bytes, files});
        return static_cast<std::uint32_t>(snapshot.folders.size() - 1);
    };
    const std::uint64_t log = later ? 700 : 300;
    const std::uint64_t home = later ? 300 : 500;
    const std::uint64_t opt = later ? 200 : 0;
    add(0, "", false, 100 + log + 100 + home + opt, 60);
    const auto var = add(0, "var", false, log + 100, 30);
    add(var, "log", false, log, 20);
    add(var, "", true, 100, 10);
    const auto homeIndex = add(0, "home", false, home, 20);
    add(homeIndex, "user", false, 300, 15);
    if (!later) add(homeIndex, "tmp", false, 200, 5);
    add(homeIndex, "", true, 0, 0);
    if (later) add(0, "opt", false, opt, 3);
    add(0, "", true, 100, 7);
    snapshot.biggestFiles = {{"var/log/syslog", 400, 400},
                             {"home/user/disk.img", 250, 250},
                             {"varnish.db", 90, 90},
                             {"var/log/old.gz", 60, 60},
                             {"var/empty", 0, 0}};
    return snapshot;
}

struct RowFigures {
    RowKind kind;
    std::string path;
    std::uint64_t bytes;
    bool enterable;
    std::optional<std::int64_t> change;

    bool operator==(const RowFigures&) const = default;
};

void PrintTo(const RowFigures& row, std::ostream* out) {
    *out << static_cast<int>(row.kind) << " '" << row.path << "' " << row.bytes
         << (row.enterable ? " enterable" : "") << " change "
         << (row.change ? std::to_string(*row.change) : "none");
}

std::vector<RowFigures> Figures(const std::vector<FolderRow>& rows) {
    std::vector<RowFigures> figures;
    for (const FolderRow& row : rows)
        figures.push_back({row.kind, row.path, row.allocatedBytes, row.enterable, row.changeBytes});
    return figures;
}

TEST(FolderModelTest, rows_areBiggestFirstWithTheirChangeAgainstTheEarlierSnapshot) {
    const FolderTree tree(Drive(kNow, true));
    const folderview::Changes changes(
        history::GrowthBetween(Drive(kNow - 7 * kDay, false), tree.Snapshot()));
    const struct {
        std::string folder;
        std::vector<RowFigures> rows;
    } cases[] = {
        {"",
         {{RowKind::folder, "var", 800, true, 400},
          {RowKind::folder, "home", 300, true, -200},
          {RowKind::folder, "opt", 200, false, 200},
          {RowKind::other, "", 100, false, 0}}},
        {"var",
         {{RowKind::folder, "var/log", 700, false, 400}, {RowKind::other, "var", 100, false, 0}}},
        // The vanished home/tmp is no row: the rows are what the drive holds now. Nor is the
        // empty rest of home.
        {"home", {{RowKind::folder, "home/user", 300, false, 0}}},
    };
    for (const auto& [folder, expected] : cases) {
        const auto index = tree.Find(folder);
        ASSERT_TRUE(index) << folder;
        const std::vector<FolderRow> rows = folderview::RowsOf(tree, *index, &changes);
        EXPECT_EQ(Figures(rows), expected) << folder;
        double shares = 0;
        for (const FolderRow& row : rows) shares += row.share;
        EXPECT_NEAR(shares, 1.0, 1e-9) << folder;
    }
    // A week's +400 is +57.1 a day; an unchanged folder grows by nothing a day.
    const auto top = folderview::RowsOf(tree, 0, &changes);
    EXPECT_NEAR(*top[0].bytesPerDay, 400.0 / 7, 1e-6);
    EXPECT_EQ(top[3].bytesPerDay, 0.0);
    // Without an earlier snapshot nothing has a change; a folder the snapshot lacks has no rows.
    EXPECT_FALSE(folderview::RowsOf(tree, 0, nullptr)[0].changeBytes);
    EXPECT_FALSE(tree.Find("var/cache"));
    EXPECT_TRUE(folderview::RowsOf(tree, 99, &changes).empty());
}

// Two snapshots of the same moment have a change but no rate.
TEST(FolderModelTest, sameTime_givesChangesWithoutRates) {
    const FolderTree tree(Drive(kNow, true));
    const folderview::Changes changes(history::GrowthBetween(Drive(kNow, false), tree.Snapshot()));
    const auto rows = folderview::RowsOf(tree, 0, &changes);
    EXPECT_EQ(rows[0].changeBytes, 400);
    EXPECT_FALSE(rows[0].bytesPerDay);
    EXPECT_FALSE(rows[3].bytesPerDay);
}

// A snapshot damaged on disk, whose folders name themselves or later folders as parents,
// still makes a tree: those folders are left out instead of looping.
TEST(FolderModelTest, damagedParents_areLeftOut) {
    Snapshot snapshot;
    snapshot.folders = {{0, "", false, 30, 30, 3},
                        {2, "a", false, 10, 10, 1},
                        {1, "b", false, 10, 10, 1},
                        {3, "c", false, 10, 10, 1},
                        {0, "d", false, 10, 10, 1}};
    const FolderTree tree(snapshot);
    const auto rows = folderview::RowsOf(tree, 0, nullptr);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].path, "d");
}

TEST(FolderModelTest, unexplainedSpace_isARowOnlyAboveOnePercentOfTheDrive) {
    const FolderTree tree(Drive(kNow, true));
    const std::uint64_t scanned = tree.Snapshot().folders[0].allocatedBytes;  // 1400
    const struct {
        std::uint64_t used;
        std::uint64_t drive;
        std::optional<std::size_t> at;  // where the row lands among the four
    } cases[] = {
        {scanned + 250, 10'000, 2},             // 2.5 %: between home (300) and opt (200)
        {scanned + 100, 10'000, std::nullopt},  // exactly 1 %: no row
        {scanned + 101, 10'000, 3},             // just above: before "other" (100)
        {scanned + 200, 10'000, 3},             // as big as opt: after the folder
        {scanned + 5000, 10'000, 0},
        {scanned - 50, 10'000, std::nullopt},  // the scan found more than the drive counts
    };
    for (const auto& [used, drive, at] : cases) {
        auto rows = folderview::RowsOf(tree, 0, nullptr);
        const space::Unexplained unexplained =
            space::Account({used, 40}, scanned, {{7, "journald", "/var/log/j", 60}});
        folderview::AddUnexplained(rows, unexplained, drive);
        std::optional<std::size_t> found;
        double shares = 0;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            if (rows[i].kind == RowKind::unexplained) found = i;
            shares += rows[i].share;
        }
        EXPECT_EQ(found, at) << used;
        if (!at) continue;
        EXPECT_EQ(rows[*at].allocatedBytes, used - scanned);
        EXPECT_NEAR(shares, 1.0, 1e-9) << "shares of the used space";
    }
}

TEST(FolderModelTest, snapshotsToShowAndCompare_areTheWholeDrivesNewestAndTheOneASpanBefore) {
    const std::vector<SnapshotEntry> entries = {
        {1, kNow - 40 * kDay, ""},   {2, kNow - 8 * kDay, ""},  {3, kNow - 2 * kDay, ""},
        {4, kNow - 3600, "var/log"}, {5, kNow - 20 * 3600, ""}, {6, kNow, ""},
        {7, kNow + 60, "home"}};
    EXPECT_EQ(folderview::NewestWhole(entries), 5u);
    EXPECT_FALSE(folderview::NewestWhole({{1, kNow, "var"}}));
    const struct {
        std::int64_t shown;
        std::int64_t span;
        std::optional<std::size_t> earlier;
    } cases[] = {
        {kNow, kDay, 2},  // the newest at least a day older: two days ago
        {kNow, 7 * kDay, 1},
        {kNow, 30 * kDay, 0},
        {kNow, 60 * kDay, 0},  // none that old: the oldest there is
        {kNow - 8 * kDay, kDay, 0},
        {kNow - 40 * kDay, kDay, std::nullopt},  // nothing older at all
        {kNow - 20 * 3600, kDay, 2},             // 28 hours before it
    };
    for (const auto& [shown, span, earlier] : cases)
        EXPECT_EQ(folderview::EarlierWhole(entries, shown, span), earlier) << shown << " " << span;
}

TEST(FolderModelTest, largestFiles_andTheFolderAbove_followTheShownFolder) {
    const Snapshot snapshot = Drive(kNow, true);
    std::vector<std::string> paths;
    for (const auto& file : folderview::FilesWithin(snapshot, "var")) paths.push_back(file.path);
    // "varnish.db" only starts like the folder; an empty file holds no space.
    EXPECT_EQ(paths, (std::vector<std::string>{"var/log/syslog", "var/log/old.gz"}));
    EXPECT_EQ(folderview::FilesWithin(snapshot, "").size(), 4u);
    EXPECT_EQ(folderview::ParentPath("var/log/journal"), "var/log");
    EXPECT_EQ(folderview::ParentPath("var"), "");
    EXPECT_EQ(folderview::ParentPath(""), "");
}

}  // namespace
