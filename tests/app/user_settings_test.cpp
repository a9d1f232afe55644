#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <random>

#include "QtAppEnvironment.h"
#include "UserSettings.h"
#include "WindowPlacement.h"

using DiskUtils::SizeUnit;

namespace {

class UserSettingsTest : public ::testing::Test {
protected:
    QString Path() const { return dir.filePath(QStringLiteral("vollmark.ini")); }
    void WriteFile(const QByteArray& bytes) const {
        QFile file(Path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    LoadedChoices Load() const {
        QSettings settings(Path(), QSettings::IniFormat);
        return LoadChoices(settings);
    }
    bool Store(const SavedChoices& choices) const {
        QSettings settings(Path(), QSettings::IniFormat);
        return StoreChoices(settings, choices);
    }

    QTemporaryDir dir;
};

SavedChoices EveryChoiceMade() {
    SavedChoices choices;
    choices.divisors1024 = true;
    choices.byteWords = true;
    choices.displayUnit = DiskUtils::suTera;
    choices.transparent = true;
    choices.onTop = true;
    choices.placement = SavedPlacement{QStringLiteral("HDMI-1"), QPoint(-20, 700)};
    choices.warningsOn = false;
    // A comma and a non-ASCII mount point: the list must come back as it went in.
    choices.mutedDrives = {QStringLiteral("0000ABCD /mnt/a, b"),
                           QStringLiteral("12345678 /media/Ärger")};
    return choices;
}

TEST_F(UserSettingsTest, storeThenLoad_givesBackWhatWasStored) {
    SavedChoices unitOnly;
    unitOnly.displayUnit = DiskUtils::suKilo;
    for (const SavedChoices& choices : {SavedChoices{}, EveryChoiceMade(), unitOnly}) {
        ASSERT_TRUE(Store(choices));
        const LoadedChoices loaded = Load();
        EXPECT_FALSE(loaded.problem);
        EXPECT_EQ(loaded.choices, choices);
    }
}

TEST_F(UserSettingsTest, loadWithoutFile_givesStartValuesQuietly) {
    const LoadedChoices loaded = Load();
    EXPECT_FALSE(loaded.problem);
    EXPECT_EQ(loaded.choices, SavedChoices{});
    EXPECT_FALSE(QFile::exists(Path()));
}

TEST_F(UserSettingsTest, loadDamagedFile_givesStartValuesAndOneProblem) {
    std::mt19937 random(7);
    QByteArray noise(600, '\0');
    for (char& byte : noise) byte = static_cast<char>(random());
    const QByteArray files[] = {
        noise,
        QByteArray(noise).replace('=', '-'),
        "[units]\n",
        "[units\ndivisor=1024\n",
        "[units]\ndivisor=1023\n",
        "[units]\ndivisor=1024\nwords=\n",
        "[units]\ndisplay=peta\n",
        "[units]\ndisplay=\n",
        "[window]\nonTop=yes\n",
        "[window]\nscreen=HDMI-1\nleft=10\n",
        "[window]\nscreen=HDMI-1\nleft=10\ntop=99999999999\n",
        "[window]\nscreen=HDMI-1\nleft=\ntop=10\n",
        "[units]\ndivisor=1024\nlanguage=fr\n",
        "[units]\ndivisor=1024, 1000\n",
        "[warnings]\non=maybe\n",
        "[warnings]\nmuted=/mnt/a\n",
    };
    for (const QByteArray& bytes : files) {
        WriteFile(bytes);
        const LoadedChoices loaded = Load();
        EXPECT_EQ(loaded.choices, SavedChoices{}) << bytes.left(40).toStdString();
        ASSERT_TRUE(loaded.problem) << bytes.left(40).toStdString();
        EXPECT_FALSE(loaded.problem->contains(QLatin1Char('\n')));
        EXPECT_TRUE(loaded.problem->contains(Path()));
    }
}

TEST_F(UserSettingsTest, loadFolderInPlaceOfFile_givesStartValuesAndOneProblem) {
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("vollmark.ini")));
    const LoadedChoices loaded = Load();
    EXPECT_EQ(loaded.choices, SavedChoices{});
    EXPECT_TRUE(loaded.problem);
}

TEST_F(UserSettingsTest, storeOverDamagedFile_leavesOnlyTheChoices) {
    WriteFile("[units]\ndivisor=1023\nstray=1\n[General]\n\xff\xfe=\x01\n");
    ASSERT_TRUE(Store(EveryChoiceMade()));
    const LoadedChoices loaded = Load();
    EXPECT_FALSE(loaded.problem);
    EXPECT_EQ(loaded.choices, EveryChoiceMade());
}

// A reader holding the old file, a crash or a full disk must never see a half-written one:
// the new file is written beside the old and renamed over it, so the old inode keeps its
// bytes to the end.
TEST_F(UserSettingsTest, store_replacesTheFileInsteadOfRewritingIt) {
    ASSERT_TRUE(Store(SavedChoices{}));
    const QByteArray before = [&] {
        QFile file(Path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }();
    const QString keeper = dir.filePath(QStringLiteral("old-link"));
    ASSERT_EQ(::link(qPrintable(Path()), qPrintable(keeper)), 0);
    struct stat old {};
    ASSERT_EQ(::stat(qPrintable(Path()), &old), 0);

    ASSERT_TRUE(Store(EveryChoiceMade()));

    struct stat now {};
    ASSERT_EQ(::stat(qPrintable(Path()), &now), 0);
    EXPECT_NE(now.st_ino, old.st_ino);
    QFile kept(keeper);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), before);
    EXPECT_EQ(Load().choices, EveryChoiceMade());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2);
}

TEST(WindowPlacementTest, restoredPosition_onlyWhereTheTopOfTheWindowIsOnItsScreen) {
    const std::vector<ScreenArea> screens{{QStringLiteral("left"), QRect(0, 0, 1920, 1080)},
                                          {QStringLiteral("right"), QRect(1920, 0, 1280, 1024)}};
    const QSize client(369, 270);
    const struct {
        SavedPlacement placement;
        std::optional<QPoint> expected;
    } cases[] = {
        {{QStringLiteral("left"), QPoint(100, 50)}, QPoint(100, 50)},
        {{QStringLiteral("right"), QPoint(100, 50)}, QPoint(2020, 50)},
        {{QStringLiteral("right"), QPoint(1280 - 369, 1024 - 24)}, QPoint(2831, 1000)},
        {{QStringLiteral("right"), QPoint(1280 - 368, 0)}, std::nullopt},
        {{QStringLiteral("right"), QPoint(0, 1024 - 23)}, std::nullopt},
        {{QStringLiteral("left"), QPoint(-1, 0)}, std::nullopt},
        {{QStringLiteral("unplugged"), QPoint(100, 50)}, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RestoredPosition(c.placement, screens, client), c.expected)
            << c.placement.screenName.toStdString() << " " << c.placement.offset.x() << ","
            << c.placement.offset.y();
}

}  // namespace
