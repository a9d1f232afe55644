#include <sys/stat.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "HistoryPath.h"
#include "HistoryStore.h"
#include "Schema.h"
#include "TempDir.h"

namespace history {
namespace {

constexpr std::int64_t kT0 = 1'780'000'000 - 1'780'000'000 % 3600;
constexpr std::int64_t kGB = 1'000'000'000;

DriveSample Drive(char letter, std::uint32_t serial, const std::string& mountPoint,
                  std::int64_t free) {
    return {{serial, mountPoint}, letter, "Label", "ext4", 3, 100 * kGB, free};
}

std::unique_ptr<Store> OpenStore(const std::string& path, StoreOptions options = {}) {
    auto opened = Store::Open(path, true, options);
    if (auto* error = std::get_if<HistoryError>(&opened)) ADD_FAILURE() << error->message;
    auto* store = std::get_if<std::unique_ptr<Store>>(&opened);
    return store ? std::move(*store) : nullptr;
}

std::vector<Sample> SamplesOf(Store& store, const DriveKey& key, std::int64_t since = 0) {
    auto samples = store.Samples(key, since);
    if (auto* error = std::get_if<HistoryError>(&samples)) ADD_FAILURE() << error->message;
    return std::get<std::vector<Sample>>(samples);
}

std::string Contents(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class HistoryStoreTest : public ::testing::Test {
protected:
    TempDir folder_{"vollmark-history"};
    std::string path_ = (folder_ / "state/vollmark/history.sqlite").string();
};

// A drive is the same drive under another letter, and another drive at another mount point
// even with the same serial; each keeps its samples in recording order, across reopening.
TEST_F(HistoryStoreTest, samplesFollowTheDriveNotTheLetter) {
    {
        auto store = OpenStore(path_);
        ASSERT_TRUE(store);
        ASSERT_FALSE(
            store->Record({Drive('D', 7, "/mnt/a", 50 * kGB), Drive('E', 7, "/mnt/b", 9)}, kT0));
        ASSERT_FALSE(store->Record({Drive('F', 7, "/mnt/a", 49 * kGB)}, kT0 + 600));
        ASSERT_FALSE(store->Record({Drive('F', 7, "/mnt/a", 48 * kGB)}, kT0 + 300));
    }
    auto store = OpenStore(path_);
    ASSERT_TRUE(store);
    const auto a = SamplesOf(*store, {7, "/mnt/a"});
    ASSERT_EQ(a.size(), 3u);
    EXPECT_EQ(a[0].freeBytes, 50 * kGB);
    EXPECT_EQ(a[1].time, kT0 + 600);
    EXPECT_EQ(a[2].time, kT0 + 300);
    EXPECT_EQ(SamplesOf(*store, {7, "/mnt/b"}).size(), 1u);
    EXPECT_TRUE(SamplesOf(*store, {8, "/mnt/a"}).empty());
    // Back from the newest to the first one older: the clock went back in between.
    EXPECT_EQ(SamplesOf(*store, {7, "/mnt/a"}, kT0 + 200).size(), 2u);

    struct stat info {};
    ASSERT_EQ(stat(path_.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    ASSERT_EQ(stat((folder_ / "state/vollmark").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
}

// Samples past the raw span fold into hours (lowest, highest, last free space) and go; hours
// past theirs go too. A sample that arrives late for a folded hour joins its figures.
TEST_F(HistoryStoreTest, oldSamplesFoldIntoHours) {
    StoreOptions options;
    options.rawKept = std::chrono::hours(24);
    options.hourlyKept = std::chrono::hours(48);
    auto store = OpenStore(path_, options);
    ASSERT_TRUE(store);
    const std::int64_t frees[] = {30, 10, 40, 20, 25, 35};
    for (int i = 0; i < 6; ++i)
        ASSERT_FALSE(store->Record({Drive('D', 1, "/d", frees[i] * kGB)}, kT0 + i * 600));
    const DriveKey key{1, "/d"};
    EXPECT_EQ(SamplesOf(*store, key).size(), 6u);

    ASSERT_FALSE(store->Prune(kT0 + 25 * 3600));
    EXPECT_TRUE(SamplesOf(*store, key).empty());
    auto hours = std::get<std::vector<HourlyFigure>>(store->Hourly(key, 0));
    ASSERT_EQ(hours.size(), 1u);
    EXPECT_EQ(hours[0].hour, kT0);
    EXPECT_EQ(hours[0].freeMinBytes, 10 * kGB);
    EXPECT_EQ(hours[0].freeMaxBytes, 40 * kGB);
    EXPECT_EQ(hours[0].freeLastBytes, 35 * kGB);
    EXPECT_EQ(hours[0].totalBytes, 100 * kGB);

    ASSERT_FALSE(store->Record({Drive('D', 1, "/d", 5 * kGB)}, kT0 + 60));
    ASSERT_FALSE(store->Prune(kT0 + 25 * 3600));
    hours = std::get<std::vector<HourlyFigure>>(store->Hourly(key, 0));
    ASSERT_EQ(hours.size(), 1u);
    EXPECT_EQ(hours[0].freeMinBytes, 5 * kGB);
    EXPECT_EQ(hours[0].freeMaxBytes, 40 * kGB);

    ASSERT_FALSE(store->Prune(kT0 + 49 * 3600));
    EXPECT_TRUE(std::get<std::vector<HourlyFigure>>(store->Hourly(key, 0)).empty());
}

// The window records at most every ten minutes, and still records after the clock was set
// back behind its newest sample.
TEST_F(HistoryStoreTest, spacingSkipsRecentDrivesOnly) {
    auto store = OpenStore(path_);
    ASSERT_TRUE(store);
    const std::chrono::seconds spacing(600);
    ASSERT_FALSE(store->Record({Drive('D', 1, "/d", 1)}, kT0, spacing));
    ASSERT_FALSE(
        store->Record({Drive('D', 1, "/d", 2), Drive('E', 2, "/e", 1)}, kT0 + 599, spacing));
    EXPECT_EQ(SamplesOf(*store, {1, "/d"}).size(), 1u);
    EXPECT_EQ(SamplesOf(*store, {2, "/e"}).size(), 1u);
    ASSERT_FALSE(store->Record({Drive('D', 1, "/d", 3)}, kT0 + 600, spacing));
    ASSERT_FALSE(store->Record({Drive('D', 1, "/d", 4)}, kT0 - 3600, spacing));
    EXPECT_EQ(SamplesOf(*store, {1, "/d"}).size(), 3u);
}

// A file that is not SQLite, or that a newer Vollmark wrote: an error, and not one byte of it
// changes.
TEST_F(HistoryStoreTest, foreignOrNewerFile_leftAsItWas) {
    std::filesystem::create_directories(folder_ / "state/vollmark");
    std::ofstream(path_, std::ios::binary) << std::string(8192, 'x');
    const std::string foreign = Contents(path_);
    EXPECT_TRUE(std::holds_alternative<HistoryError>(Store::Open(path_, true)));
    EXPECT_EQ(Contents(path_), foreign);

    std::filesystem::remove(path_);
    {
        sql::Connection db;
        ASSERT_FALSE(sql::Connection::Open(path_, true, db));
        ASSERT_FALSE(db.Execute("CREATE TABLE t(x); PRAGMA user_version = 99"));
    }
    const std::string newer = Contents(path_);
    const auto opened = Store::Open(path_, true);
    ASSERT_TRUE(std::holds_alternative<HistoryError>(opened));
    EXPECT_NE(std::get<HistoryError>(opened).message.find("newer"), std::string::npos);
    EXPECT_EQ(Contents(path_), newer);
}

// A file of the first version, as the first releases wrote it: every sample and hour stays
// through the migration, and the warning memory is there at once, kept across reopening and
// gone again once a drive is back to the default.
TEST_F(HistoryStoreTest, versionOneFile_keepsItsSamplesAndGainsTheWarningMemory) {
    std::filesystem::create_directories(folder_ / "state/vollmark");
    {
        sql::Connection db;
        ASSERT_FALSE(sql::Connection::Open(path_, true, db));
        ASSERT_FALSE(db.Execute(R"(
            CREATE TABLE drives(id INTEGER PRIMARY KEY, serial INTEGER NOT NULL,
                mount_point TEXT NOT NULL, letter TEXT NOT NULL, label TEXT NOT NULL,
                file_system TEXT NOT NULL, type_code INTEGER NOT NULL,
                first_seen INTEGER NOT NULL, last_seen INTEGER NOT NULL,
                UNIQUE(serial, mount_point));
            CREATE TABLE samples(drive INTEGER NOT NULL REFERENCES drives(id),
                seq INTEGER NOT NULL, time INTEGER NOT NULL, total_bytes INTEGER NOT NULL,
                free_bytes INTEGER NOT NULL, PRIMARY KEY(drive, seq)) WITHOUT ROWID;
            CREATE TABLE hourly_folded(drive INTEGER NOT NULL REFERENCES drives(id),
                hour INTEGER NOT NULL, total_bytes INTEGER NOT NULL,
                free_last_bytes INTEGER NOT NULL, free_below_last INTEGER NOT NULL,
                free_above_last INTEGER NOT NULL, PRIMARY KEY(drive, hour)) WITHOUT ROWID;
            CREATE VIEW hourly AS SELECT drive, hour, total_bytes,
                free_last_bytes - free_below_last AS free_min_bytes,
                free_last_bytes + free_above_last AS free_max_bytes, free_last_bytes
                FROM hourly_folded;
            INSERT INTO drives VALUES(1, 7, '/mnt/a', 'D', 'Label', 'ext4', 3, 1780000000,
                1780001200);
            INSERT INTO samples VALUES(1, 1, 1780000000, 100, 60), (1, 2, 1780000600, 100, 55),
                (1, 3, 1780001200, 100, 50);
            INSERT INTO hourly_folded VALUES(1, 1779994800, 100, 70, 5, 3);
            PRAGMA user_version = 1)"));
    }
    const DriveKey key{7, "/mnt/a"};
    const WarningMemory warned{0.049, true, kT0};
    {
        auto store = OpenStore(path_);
        ASSERT_TRUE(store);
        const auto samples = SamplesOf(*store, key);
        ASSERT_EQ(samples.size(), 3u);
        EXPECT_EQ(samples[0].time, 1780000000);
        EXPECT_EQ(samples[2].freeBytes, 50);
        auto hours = store->Hourly(key, 0);
        ASSERT_TRUE(std::holds_alternative<std::vector<HourlyFigure>>(hours));
        ASSERT_EQ(std::get<std::vector<HourlyFigure>>(hours).size(), 1u);
        EXPECT_EQ(std::get<std::vector<HourlyFigure>>(hours)[0].freeMinBytes, 65);

        auto before = store->UpdateMemory(key, [&](const WarningMemory&) { return warned; });
        ASSERT_TRUE(std::holds_alternative<WarningMemory>(before));
        EXPECT_EQ(std::get<WarningMemory>(before), WarningMemory{});
    }
    auto store = OpenStore(path_);
    ASSERT_TRUE(store);
    auto kept = store->Memory(key);
    ASSERT_TRUE(std::holds_alternative<WarningMemory>(kept));
    EXPECT_EQ(std::get<WarningMemory>(kept), warned);
    auto other = store->Memory({7, "/mnt/b"});
    EXPECT_EQ(std::get<WarningMemory>(other), WarningMemory{});

    ASSERT_TRUE(std::holds_alternative<WarningMemory>(
        store->UpdateMemory(key, [](const WarningMemory&) { return WarningMemory{}; })));
    sql::Connection db;
    ASSERT_FALSE(sql::Connection::Open(path_, false, db));
    sql::Statement rows;
    ASSERT_FALSE(db.Prepare("SELECT count(*) FROM warned", rows));
    std::optional<HistoryError> error;
    ASSERT_TRUE(rows.Step(error));
    EXPECT_EQ(rows.Int(0), 0);
}

TEST(HistoryPathTest, stateFolderFromTheEnvironment) {
    const auto with = [](std::optional<std::string> state, std::optional<std::string> home) {
        return DefaultHistoryFile(
            [=](const char* name) { return std::string(name) == "XDG_STATE_HOME" ? state : home; });
    };
    EXPECT_EQ(with("/s", "/h"), "/s/vollmark/history.sqlite");
    EXPECT_EQ(with(std::nullopt, "/h"), "/h/.local/state/vollmark/history.sqlite");
    EXPECT_EQ(with("relative", "/h"), "/h/.local/state/vollmark/history.sqlite");
    EXPECT_EQ(with(std::nullopt, std::nullopt), std::nullopt);
}

}  // namespace
}  // namespace history

namespace history {
namespace {

using Rows = std::vector<std::vector<std::int64_t>>;

Rows RowsOf(const std::string& path, const char* query) {
    sqlite3* db = nullptr;
    Rows rows;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(db, query, -1, &statement, nullptr) == SQLITE_OK)
            while (sqlite3_step(statement) == SQLITE_ROW) {
                rows.emplace_back();
                for (int c = 0; c < sqlite3_column_count(statement); ++c)
                    rows.back().push_back(sqlite3_column_int64(statement, c));
            }
        sqlite3_finalize(statement);
    }
    sqlite3_close(db);
    return rows;
}

Snapshot SmallSnapshot(std::int64_t time) {
    scan::ScanResult scan;
    scan.folders = {{"", 0, {9000, 8000, 7, 2}, false},
                    {"caf\xe9\nlog", 0, {6000, 5000, 4, 0}, false},
                    {"tmp", 0, {10, 10, 1, 0}, false}};
    scan.biggestFiles = {{"caf\xe9\nlog/a", 4000, 3900}, {"b", 100, 90}};
    return SnapshotOf(scan, "home/u", 100, time);
}

// A file the previous version wrote: it opens, takes snapshots, and keeps every sample and
// every folded hour exactly.
TEST_F(HistoryStoreTest, versionOneFile_migratesKeepingEverySample) {
    std::filesystem::create_directories(folder_ / "state/vollmark");
    std::filesystem::copy_file(VOLLMARK_HISTORY_V1, path_);
    const char* samples = "SELECT * FROM samples ORDER BY drive, seq";
    const char* hours = "SELECT * FROM hourly_folded ORDER BY drive, hour";
    const Rows before = RowsOf(path_, samples), hoursBefore = RowsOf(path_, hours);
    ASSERT_EQ(before.size(), 300u);
    ASSERT_EQ(hoursBefore.size(), 94u);
    {
        auto store = OpenStore(path_);
        ASSERT_TRUE(store);
        const DriveSample c{{0x1234abcd, "/"}, 'C', "System", "ext4", 3, 0, 0};
        ASSERT_FALSE(store->RecordSnapshot(c, SmallSnapshot(1'796'400'000), 1'796'400'000));
    }
    EXPECT_EQ(RowsOf(path_, samples), before);
    EXPECT_EQ(RowsOf(path_, hours), hoursBefore);
    EXPECT_EQ(RowsOf(path_, "PRAGMA user_version"), Rows{{kSchemaVersion}});
    EXPECT_EQ(RowsOf(path_, "SELECT count(*) FROM snapshots"), Rows{{1}});
}

// A snapshot comes back as it went in, names' stray bytes and all; the drive's snapshots
// thin out to one a day, then one a week, and a dropped drive takes its snapshots along.
TEST_F(HistoryStoreTest, snapshots_roundTripAndThinOut) {
    StoreOptions options;
    options.hourlyKept = std::chrono::hours(24 * 500);
    auto store = OpenStore(path_, options);
    ASSERT_TRUE(store);
    const DriveSample d = Drive('D', 9, "/data", 5 * kGB);
    for (int hour = 0; hour < 24 * 60; hour += 8)
        ASSERT_FALSE(store->RecordSnapshot(d, SmallSnapshot(kT0 + hour * 3600), kT0 + hour * 3600));
    auto listed = store->Snapshots(d.key);
    ASSERT_TRUE(std::holds_alternative<std::vector<SnapshotEntry>>(listed));
    const auto& entries = std::get<std::vector<SnapshotEntry>>(listed);
    // The last day's three, the newest of each of 13 days before, and one a week before that.
    EXPECT_GE(entries.size(), 3u + 13u + 6u);
    EXPECT_LE(entries.size(), 3u + 13u + 8u);
    EXPECT_EQ(entries.back().time, kT0 + (24 * 60 - 8) * 3600);
    EXPECT_EQ(entries.back().root, "home/u");

    const auto loaded = store->LoadSnapshot(entries.back().id);
    ASSERT_TRUE(std::holds_alternative<Snapshot>(loaded));
    const Snapshot& got = std::get<Snapshot>(loaded);
    const Snapshot want = SmallSnapshot(entries.back().time);
    EXPECT_EQ(FolderPaths(got), FolderPaths(want));
    EXPECT_EQ(FolderPaths(got)[1], "home/u/caf\xe9\nlog");
    ASSERT_EQ(got.folders.size(), want.folders.size());
    for (std::size_t i = 0; i < got.folders.size(); ++i) {
        EXPECT_EQ(got.folders[i].other, want.folders[i].other);
        EXPECT_EQ(got.folders[i].apparentBytes, want.folders[i].apparentBytes);
        EXPECT_EQ(got.folders[i].files, want.folders[i].files);
    }
    ASSERT_EQ(got.biggestFiles.size(), 2u);
    EXPECT_EQ(got.biggestFiles[0].path, "home/u/caf\xe9\nlog/a");
    EXPECT_EQ(got.biggestFiles[0].apparentBytes, 3900u);
    EXPECT_TRUE(std::holds_alternative<HistoryError>(store->LoadSnapshot(entries.front().id - 1)));

    // Past the year of weeks nothing is left, and past the drive's span not the drive either.
    ASSERT_FALSE(store->Prune(kT0 + 430 * 24 * 3600));
    EXPECT_TRUE(std::get<std::vector<SnapshotEntry>>(store->Snapshots(d.key)).empty());
    ASSERT_FALSE(store->RecordSnapshot(d, SmallSnapshot(kT0), kT0 + 430 * 24 * 3600));
    ASSERT_FALSE(store->Prune(kT0 + 940 * 24 * 3600));
    EXPECT_EQ(RowsOf(path_, "SELECT count(*) FROM snapshots"), Rows{{0}});
    EXPECT_EQ(RowsOf(path_, "SELECT count(*) FROM snapshot_folders"), Rows{{0}});
    EXPECT_EQ(RowsOf(path_, "SELECT count(*) FROM snapshot_files"), Rows{{0}});
}

}  // namespace
}  // namespace history
