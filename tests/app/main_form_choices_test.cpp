#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>

#include "FakeLayer.h"
#include "Fonts.h"
#include "MainForm.h"
#include "QtAppEnvironment.h"
#include "UserSettings.h"

using namespace DiskUtils;

namespace {

class MainFormChoicesTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetUpFonts();
        ResetOptionState();
        auto& drive = fake->drive('C');
        drive.totalBytes = 2'000'000'000;
        drive.freeBytes = 500'000'000;
    }
    void TearDown() override { ResetOptionState(); }

    QString Path() const { return dir.filePath(QStringLiteral("vollmark.ini")); }
    void Save(const SavedChoices& choices) const {
        QSettings file(Path(), QSettings::IniFormat);
        ASSERT_TRUE(StoreChoices(file, choices));
    }
    LoadedChoices OnDisk() const {
        QSettings file(Path(), QSettings::IniFormat);
        return LoadChoices(file);
    }
    std::unique_ptr<TFrmMain> Created(DesktopSession session = ThisDesktopSession()) {
        settings.sync();
        auto form = std::make_unique<TFrmMain>(&settings, std::move(session));
        form->FormCreate();
        return form;
    }
    static QString ScreenName() { return QGuiApplication::primaryScreen()->name(); }

    platform::ScopedFakeLayer fake;
    QTemporaryDir dir;
    QSettings settings{Path(), QSettings::IniFormat};
};

TEST_F(MainFormChoicesTest, formCreate_startsWithTheSavedChoices) {
    SavedChoices saved;
    saved.divisors1024 = true;
    saved.byteWords = true;
    saved.displayUnit = suTera;
    saved.transparent = true;
    saved.onTop = true;
    Save(saved);
    const auto form = Created();
    EXPECT_TRUE(form->N10241->isChecked());
    EXPECT_TRUE(form->Bytes1->isChecked());
    EXPECT_TRUE(form->Tera1->isChecked());
    EXPECT_FALSE(form->Giga1->isChecked());
    EXPECT_EQ(DisplayUnit, suTera);
    EXPECT_EQ(UnitNames[suGiga], "GB");
    EXPECT_EQ(form->Model().LocalTotals().Total, Capacity{18626});
    EXPECT_TRUE(form->Alphablending1->isChecked());
    EXPECT_LT(form->windowOpacity(), 1.0);
    EXPECT_TRUE(form->Stayontop1->isChecked());
    EXPECT_TRUE(form->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

TEST_F(MainFormChoicesTest, formCreate_withoutSavedChoices_startsAsAlwaysAndWritesNothing) {
    const auto form = Created();
    EXPECT_EQ(DisplayUnit, suMega);
    EXPECT_TRUE(form->Giga1->isChecked());
    EXPECT_TRUE(form->N10001->isChecked());
    EXPECT_TRUE(form->Octets1->isChecked());
    EXPECT_FALSE(form->Alphablending1->isChecked());
    EXPECT_FALSE(form->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_FALSE(QFile::exists(Path()));
}

TEST_F(MainFormChoicesTest,
       formCreate_withDamagedFile_startsAsAlwaysAndReplacesItAtTheFirstChoice) {
    {
        QFile file(Path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("[units]\ndivisor=1024\ndisplay=exa\n");
    }
    const auto form = Created();
    EXPECT_TRUE(form->N10001->isChecked());
    EXPECT_EQ(UnitDivisors.Giga, 1000000000);
    form->Bytes1->trigger();
    const LoadedChoices written = OnDisk();
    EXPECT_FALSE(written.problem);
    EXPECT_TRUE(written.choices.byteWords);
    EXPECT_FALSE(written.choices.divisors1024);
}

TEST_F(MainFormChoicesTest, eachChoice_isWrittenAtOnce) {
    const auto form = Created();
    const struct {
        QAction* TFrmMain::*item;
        std::function<bool(const SavedChoices&)> written;
    } cases[] = {
        {&TFrmMain::N10241, [](const SavedChoices& c) { return c.divisors1024; }},
        {&TFrmMain::Bytes1, [](const SavedChoices& c) { return c.byteWords; }},
        {&TFrmMain::Kilo1, [](const SavedChoices& c) { return c.displayUnit == suKilo; }},
        {&TFrmMain::Mega1, [](const SavedChoices& c) { return c.displayUnit == suMega; }},
        {&TFrmMain::Alphablending1, [](const SavedChoices& c) { return c.transparent; }},
        {&TFrmMain::Stayontop1, [](const SavedChoices& c) { return c.onTop; }},
        {&TFrmMain::Stayontop1, [](const SavedChoices& c) { return !c.onTop; }},
        {&TFrmMain::N10001, [](const SavedChoices& c) { return !c.divisors1024; }},
    };
    for (const auto& c : cases) {
        QAction* action = (*form).*c.item;
        action->trigger();
        const LoadedChoices written = OnDisk();
        EXPECT_FALSE(written.problem);
        EXPECT_TRUE(c.written(written.choices)) << action->text().toStdString();
    }
}

TEST_F(MainFormChoicesTest, show_putsTheWindowWhereItWasOrCentresItWhenThatScreenIsGone) {
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    const auto centred = [&] {
        const auto form = Created();
        form->show();
        return form->geometry().topLeft();
    }();
    const struct {
        SavedPlacement placement;
        std::optional<QPoint> expected;
    } cases[] = {
        {{ScreenName(), QPoint(40, 60)}, QPoint(40, 60)},
        {{QStringLiteral("unplugged"), QPoint(40, 60)}, std::nullopt},
        {{ScreenName(), QPoint(area.width() + 10, 60)}, std::nullopt},
    };
    for (const auto& c : cases) {
        SavedChoices saved;
        saved.placement = c.placement;
        Save(saved);
        const auto form = Created();
        form->show();
        EXPECT_EQ(form->geometry().topLeft(), c.expected.value_or(centred))
            << c.placement.screenName.toStdString();
    }
}

TEST_F(MainFormChoicesTest, close_writesWhereTheWindowIs) {
    const auto form = Created();
    form->show();
    form->move(70, 90);
    form->close();
    const LoadedChoices written = OnDisk();
    ASSERT_TRUE(written.choices.placement);
    EXPECT_EQ(written.choices.placement->screenName, ScreenName());
    EXPECT_EQ(written.choices.placement->offset,
              form->geometry().topLeft() - QGuiApplication::primaryScreen()->geometry().topLeft());
}

}  // namespace

namespace {

// A Wayland session that an X session ran before: the menu shows the two switches off and
// disabled, the window neither obeys nor forgets them, and the place stays what X saw.
TEST_F(MainFormChoicesTest, waylandSession_disablesWhatTheCompositorDecidesAndKeepsTheSavedOnes) {
    SavedChoices saved;
    saved.transparent = true;
    saved.onTop = true;
    saved.placement = SavedPlacement{QStringLiteral("x-screen"), QPoint(40, 60)};
    Save(saved);
    const auto form = Created({true, {dir.filePath(QStringLiteral("entry.desktop")), {}}});
    for (const QAction* item : {form->Alphablending1, form->Stayontop1}) {
        EXPECT_FALSE(item->isEnabled()) << item->text().toStdString();
        EXPECT_FALSE(item->isChecked()) << item->text().toStdString();
        EXPECT_TRUE(item->toolTip().contains(QStringLiteral("Wayland")));
    }
    EXPECT_TRUE(form->Settings1->toolTipsVisible());
    EXPECT_EQ(form->windowOpacity(), 1.0);
    EXPECT_FALSE(form->windowFlags().testFlag(Qt::WindowStaysOnTopHint));

    form->show();
    form->N10241->trigger();
    form->close();
    const LoadedChoices written = OnDisk();
    saved.divisors1024 = true;
    EXPECT_EQ(written.choices, saved);
}

TEST_F(MainFormChoicesTest, startAtLogin_isOffAtFirstAndFollowsTheEntryOnDisk) {
    const QString entry = dir.filePath(QStringLiteral("autostart/vollmark.desktop"));
    const auto form = Created({false, {entry, QStringLiteral("/usr/bin/vollmark")}});
    const QList<QAction*> items = form->PopupMenu1->actions();
    ASSERT_GE(items.size(), 6);
    EXPECT_EQ(items.mid(items.size() - 6),
              (QList<QAction*>{form->Exit1, form->N5, form->Drivehistory1, form->Whattakesspace1,
                               form->Warnings1, form->Startatlogin1}));
    EXPECT_TRUE(form->N5->isSeparator());
    EXPECT_TRUE(form->Stayontop1->isEnabled());
    EXPECT_FALSE(form->Settings1->toolTipsVisible());
    EXPECT_FALSE(form->Startatlogin1->isChecked());

    form->Startatlogin1->trigger();
    EXPECT_TRUE(QFile::exists(entry));
    EXPECT_TRUE(form->Startatlogin1->isChecked());
    ASSERT_TRUE(QFile::remove(entry));
    form->PopupMenu1Popup();
    EXPECT_FALSE(form->Startatlogin1->isChecked());
}

TEST_F(MainFormChoicesTest, startAtLogin_thatCannotBeWritten_staysUnticked) {
    QFile blocker(dir.filePath(QStringLiteral("autostart")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const auto form =
        Created({false, {dir.filePath(QStringLiteral("autostart/vollmark.desktop")), {}}});
    form->Startatlogin1->trigger();
    EXPECT_FALSE(form->Startatlogin1->isChecked());
}

}  // namespace
