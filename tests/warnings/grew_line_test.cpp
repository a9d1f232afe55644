#include <gtest/gtest.h>

#include <QDBusMessage>
#include <map>
#include <string>
#include <vector>

#include "DiskUtils.h"
#include "GrewMost.h"
#include "NoticeCalls.h"
#include "WarningTexts.h"

namespace {

// 2026-12-09 12:00:00 UTC.
constexpr std::int64_t kNoon = 1'796'817'600;
constexpr std::int64_t kHour = 3600;
constexpr std::int64_t kDay = 24 * kHour;
constexpr std::int64_t kMB = 1'000'000;

struct Folder {
    std::string path;  // drive-relative; "" is the drive
    std::uint64_t bytes;
    bool other = false;
};

// A snapshot from its folders, each one's parent listed before it.
history::Snapshot SnapshotOf(std::int64_t time, const std::vector<Folder>& folders) {
    history::Snapshot snapshot;
    snapshot.time = time;
    std::map<std::string, std::uint32_t> index;
    for (const Folder& folder : folders) {
        history::SnapshotFolder entry;
        const auto slash = folder.path.rfind('/');
        const std::string parent = folder.other || folder.path.empty() ? folder.path
                                   : slash == std::string::npos        ? ""
                                                                : folder.path.substr(0, slash);
        entry.parent = folder.path.empty() && !folder.other ? 0 : index.at(parent);
        entry.name = folder.other || folder.path.empty()
                         ? ""
                         : folder.path.substr(slash == std::string::npos ? 0 : slash + 1);
        entry.other = folder.other;
        entry.allocatedBytes = folder.bytes;
        if (!folder.other) index[folder.path] = static_cast<std::uint32_t>(snapshot.folders.size());
        snapshot.folders.push_back(entry);
    }
    return snapshot;
}

struct GrewCase {
    const char* name;
    std::int64_t beforeTime;
    std::vector<Folder> before;
    std::int64_t afterTime;
    std::vector<Folder> after;
    QString expected;
    DiskUtils::SizeUnit unit = DiskUtils::suMega;
    QTimeZone zone = QTimeZone::utc();
    const char* mountPoint = "/data";
};

const std::vector<Folder> kBefore = {{"", 100 * kMB},
                                     {"var", 30 * kMB},
                                     {"var/log", 20 * kMB},
                                     {"var/log/journal", 10 * kMB},
                                     {"home", 70 * kMB}};
// The journal grew by 9 MB, so did everything that holds it.
const std::vector<Folder> kJournalGrew = {{"", 109 * kMB},
                                          {"var", 39 * kMB},
                                          {"var/log", 29 * kMB},
                                          {"var/log/journal", 19 * kMB},
                                          {"home", 70 * kMB}};

const std::vector<GrewCase> kGrewCases = {
    {"deepestFolderHoldingTheGrowth_yesterdayToToday", kNoon - kDay - 2 * kHour, kBefore,
     kNoon - kHour, kJournalGrew,
     QStringLiteral("Найбільше зросла тека /data/var/log/journal: +9.00 Mo з учорашнього дня.")},
    {"growthSplitBetweenTwoFolders_namesTheirParent",
     kNoon - kDay,
     kBefore,
     kNoon,
     {{"", 109 * kMB},
      {"var", 39 * kMB},
      {"var/log", 24 * kMB},
      {"var/log/journal", 10 * kMB},
      {"var/cache", 4 * kMB},
      {"var", kMB, true},
      {"home", 70 * kMB}},
     QStringLiteral("Найбільше зросла тека /data/var: +9.00 Mo з учорашнього дня.")},
    // The drive's own files grew while a folder shrank: only the drive grew, by the difference.
    {"remainderGrewFolderShrank_namesTheDriveWithItsOwnChange",
     kNoon - kDay,
     kBefore,
     kNoon,
     {{"", 102 * kMB},
      {"var", 30 * kMB},
      {"var/log", 20 * kMB},
      {"var/log/journal", 10 * kMB},
      {"home", 62 * kMB},
      {"", 10 * kMB, true}},
     QStringLiteral("Найбільше зросла тека /data: +2.00 Mo з учорашнього дня.")},
    {"everythingShrank_noLine", kNoon - kDay, kJournalGrew, kNoon, kBefore, QString()},
    {"growthUnderTheUnit_noLine",
     kNoon - kDay,
     {{"", 100 * kMB}},
     kNoon,
     {{"", 100 * kMB + 4000}},
     QString()},
    {"threeDaysApart_saysTheDays", kNoon - 3 * kDay, kBefore, kNoon, kJournalGrew,
     QStringLiteral("Найбільше зросла тека /data/var/log/journal: +9.00 Mo за 3 дн.")},
    // The newest is from yesterday: "since yesterday" would not hold.
    {"newestFromYesterday_saysTheSpan", kNoon - 2 * kDay, kBefore, kNoon - kDay, kJournalGrew,
     QStringLiteral("Найбільше зросла тека /data/var/log/journal: +9.00 Mo за 24 год.")},
    {"newestTooOld_noLine", kNoon - 5 * kDay, kBefore, kNoon - 3 * kDay, kJournalGrew, QString()},
    // 23:00 and 10:00 UTC are two days in UTC but one at UTC+2, where they are 01:00 and 12:00.
    {"dayBoundaryOfTheZone_decidesYesterday", kNoon - 13 * kHour, kBefore, kNoon - 2 * kHour,
     kJournalGrew,
     QStringLiteral("Найбільше зросла тека /data/var/log/journal: +9.00 Mo за 11 год."),
     DiskUtils::suMega, QTimeZone(2 * 3600)},
    {"windowUnit_isTheLinesUnit", kNoon - kDay, kBefore, kNoon, kJournalGrew,
     QStringLiteral("Найбільше зросла тека /data/var/log/journal: +0.01 Go з учорашнього дня."),
     DiskUtils::suGiga},
    // Placeholders in a folder name stay as they are.
    {"percentInTheName_keptAsItIs",
     kNoon - kDay,
     {{"", kMB}, {"100%2", kMB}},
     kNoon,
     {{"", 5 * kMB}, {"100%2", 5 * kMB}},
     QStringLiteral("Найбільше зросла тека /mnt/%1/100%2: +4.00 Mo з учорашнього дня."),
     DiskUtils::suMega,
     QTimeZone::utc(),
     "/mnt/%1"},
};

class GrewLineTest : public ::testing::TestWithParam<GrewCase> {
protected:
    void SetUp() override { DiskUtils::ResetOptionState(); }
};

TEST_P(GrewLineTest, snapshots_wordTheFolderThatGrewMost) {
    const GrewCase& c = GetParam();
    const auto display =
        DiskUtils::DisplayOptionsOf(c.unit, DiskUtils::UnitDivisors1000, DiskUtils::OctetUnitNames);
    EXPECT_EQ(GrewLine(SnapshotOf(c.beforeTime, c.before), SnapshotOf(c.afterTime, c.after),
                       QString::fromUtf8(c.mountPoint), kNoon, display, c.zone),
              c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, GrewLineTest, ::testing::ValuesIn(kGrewCases),
                         [](const auto& info) { return std::string(info.param.name); });

history::SnapshotEntry Entry(std::int64_t time, std::string root = {}) {
    return {time, time, std::move(root)};
}

TEST(SnapshotsToCompareTest, entries_newestWholeDriveWithTheNewestADayOlder) {
    using Pair = std::optional<std::pair<std::size_t, std::size_t>>;
    const std::int64_t t = kNoon;
    // A day older, allowing for a timer's drift.
    EXPECT_EQ(warnings::SnapshotsToCompare(
                  {Entry(t - 3 * kDay), Entry(t - 21 * kHour), Entry(t - 2 * kHour), Entry(t)}),
              Pair({1, 3}));
    // None that old: the one before the newest.
    EXPECT_EQ(warnings::SnapshotsToCompare({Entry(t - 5 * kHour), Entry(t - kHour), Entry(t)}),
              Pair({1, 2}));
    // Snapshots of a folder say nothing of the whole drive.
    EXPECT_EQ(warnings::SnapshotsToCompare(
                  {Entry(t - kDay), Entry(t - kHour, "home"), Entry(t), Entry(t + 1, "home")}),
              Pair({0, 2}));
    EXPECT_EQ(warnings::SnapshotsToCompare({Entry(t - kDay, "home"), Entry(t)}), std::nullopt);
    EXPECT_EQ(warnings::SnapshotsToCompare({}), std::nullopt);
}

// A server that reads markup would take a folder's '<' or '&' for its own.
TEST(NotifyCallTest, bodyOfAMarkupServer_isEscaped) {
    Notice notice{QStringLiteral("ID"), QStringLiteral("Title"),
                  QStringLiteral("Найбільше зросла тека /data/Tom & Jerry <1>"),
                  QStringLiteral("/data")};
    const auto bodyOf = [&](bool markup) {
        return notices::NotifyCall(notice, 0, true, markup).arguments().at(4).toString();
    };
    EXPECT_EQ(bodyOf(true),
              QStringLiteral("Найбільше зросла тека /data/Tom &amp; Jerry &lt;1&gt;"));
    EXPECT_EQ(bodyOf(false), notice.body);
}

}  // namespace
