#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cstdlib>

#include "Autostart.h"
#include "DesktopEntry.h"

namespace {

// The real validator where it is installed; CI has it, so a skip there would hide a fault.
void ExpectValidEntry(const QString& path) {
    const QString validator =
        QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
    if (validator.isEmpty()) {
        if (const char* ci = std::getenv("CI"); ci && std::string_view(ci) == "true")
            FAIL() << "desktop-file-validate is not installed";
        GTEST_SKIP() << "desktop-file-validate is not installed";
    }
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(validator, {path});
    ASSERT_TRUE(process.waitForFinished(20000));
    EXPECT_EQ(process.exitCode(), 0) << process.readAll().toStdString();
    EXPECT_TRUE(process.readAll().isEmpty());
}

QByteArray ExecLine(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    for (const QByteArray& line : file.readAll().split('\n'))
        if (line.startsWith("Exec=")) return line.mid(5);
    return {};
}

TEST(Autostart, switchedOn_writesAValidEntryForTheProgram_switchedOff_removesIt) {
    const QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const AutostartPlace place{dir.filePath(QStringLiteral("config/autostart/v.desktop")),
                               QStringLiteral("/usr/bin/vollmark")};
    EXPECT_FALSE(AutostartEnabled(place));
    EXPECT_EQ(SetAutostartEnabled(place, true), std::nullopt);
    EXPECT_TRUE(AutostartEnabled(place));
    EXPECT_EQ(ExecLine(place.location), "/usr/bin/vollmark");
    ExpectValidEntry(place.location);
    EXPECT_EQ(SetAutostartEnabled(place, false), std::nullopt);
    EXPECT_FALSE(QFile::exists(place.location));
    EXPECT_EQ(SetAutostartEnabled(place, false), std::nullopt);
}

// Desktops switch an entry off by marking it rather than removing it.
TEST(Autostart, entrySwitchedOffByTheDesktop_readsAsOff) {
    EXPECT_TRUE(DesktopEntryStarts(AutostartDesktopEntry(QStringLiteral("/usr/bin/vollmark"))));
    for (const char* mark : {"Hidden=true", "X-GNOME-Autostart-enabled=false"}) {
        QByteArray entry = AutostartDesktopEntry(QStringLiteral("/usr/bin/vollmark"));
        entry.replace("X-GNOME-Autostart-enabled=true\n", QByteArray(mark) + '\n');
        EXPECT_FALSE(DesktopEntryStarts(entry)) << mark;
    }
}

// A prefix chosen at configure time may hold anything; the session must still run exactly
// that file.
TEST(Autostart, programPathWithReservedCharacters_isQuotedAndStaysValid) {
    struct Case {
        const char* path;
        const char* exec;
    } const cases[] = {
        {"/usr/local/bin/vollmark", "/usr/local/bin/vollmark"},
        {"/opt/my apps/vollmark", "\"/opt/my apps/vollmark\""},
        {"/opt/100%/vollmark", "/opt/100%%/vollmark"},
        {"/opt/a\"b$c`d/vollmark", "\"/opt/a\\\\\"b\\\\$c\\\\`d/vollmark\""},
        {"/opt/back\\slash/vollmark", "\"/opt/back\\\\\\\\slash/vollmark\""},
    };
    const QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const Case& c : cases) {
        const QString path = QString::fromUtf8(c.path);
        EXPECT_EQ(ExecArgument(path), QString::fromUtf8(c.exec)) << c.path;
        const AutostartPlace place{dir.filePath(QStringLiteral("entry.desktop")), path};
        ASSERT_EQ(SetAutostartEnabled(place, true), std::nullopt);
        ExpectValidEntry(place.location);
    }
}

TEST(Autostart, folderThatCannotBeMade_isReportedAndNothingWritten) {
    const QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile blocker(dir.filePath(QStringLiteral("autostart")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const AutostartPlace place{dir.filePath(QStringLiteral("autostart/v.desktop")),
                               QStringLiteral("/usr/bin/vollmark")};
    const auto problem = SetAutostartEnabled(place, true);
    ASSERT_TRUE(problem.has_value());
    EXPECT_TRUE(
        problem->startsWith(QStringLiteral("cannot write the log-in entry ") + place.location))
        << problem->toStdString();
    EXPECT_FALSE(AutostartEnabled(place));
}

}  // namespace
