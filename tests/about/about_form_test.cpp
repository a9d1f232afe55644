#include <gtest/gtest.h>

#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTimer>
#include <memory>
#include <stdexcept>

#include "AboutForm.h"
#include "EmbeddedData.h"
#include "QtAppEnvironment.h"
#include "WebPane.h"

namespace {

const QStringList kUnlocked{QStringLiteral("hopak")};

QByteArray OurPage() {
    return EmbeddedData(QStringLiteral("RUZUVO")).value();
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
}

class AboutFormTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    std::unique_ptr<TFrmAbout> Create(const QStringList& parameters) {
        auto form = std::make_unique<TFrmAbout>(parameters, dir.path());
        form->FormCreate();
        return form;
    }

    QString PagePath() const { return dir.filePath(QStringLiteral("ruzuvo.html")); }

    QTemporaryDir dir;
};

TEST_F(AboutFormTest, withoutTheWord_touchesNoFileAndNeverAnimates) {
    for (const QStringList& parameters :
         {QStringList{}, QStringList{"hopak", "hopak"}, QStringList{"HOPAK"}}) {
        auto form = Create(parameters);
        EXPECT_FALSE(form->HiddenMode());
        EXPECT_FALSE(QFile::exists(PagePath()));
        EXPECT_FALSE(form->WebBrowser1->isVisibleTo(form.get()));
        EXPECT_EQ(form->WebBrowser1->pos(), QPoint(800, 357));
        form->WebBrowser1DocumentComplete();
        QImage canvas(512, 384, QImage::Format_RGB32);
        form->FormPaint(canvas);
        EXPECT_EQ(form->FrameIndex(), 0);
        form->PresentHiddenMode();
        EXPECT_FALSE(form->isVisible());
    }
}

TEST_F(AboutFormTest, hiddenMode_writesOurPageAndRemovesItAtExit) {
    auto form = Create(kUnlocked);
    EXPECT_TRUE(form->HiddenMode());
    EXPECT_EQ(form->size(), QSize(512, 384));
    EXPECT_EQ(form->PageFileName(), PagePath());
    EXPECT_EQ(ReadFile(PagePath()), OurPage());
    EXPECT_TRUE(form->WebBrowser1->isVisibleTo(form.get()));
    EXPECT_EQ(form->WebBrowser1->geometry(), QRect(-2, 359, 569, 72));
    form->FormDestroy();
    EXPECT_FALSE(QFile::exists(PagePath()));
}

TEST_F(AboutFormTest, existingPageFiles_areKeptAndOnlyOursIsRemoved) {
    const QByteArray userContent("<html>my own notes</html>\r\n");
    WriteFile(PagePath(), userContent);
    Create(kUnlocked)->FormDestroy();
    EXPECT_EQ(ReadFile(PagePath()), userContent);

    // A page left behind by an earlier run is ours, whoever wrote it.
    QFile::remove(PagePath());
    WriteFile(PagePath(), OurPage());
    Create(kUnlocked)->FormDestroy();
    EXPECT_FALSE(QFile::exists(PagePath()));

    QByteArray longer = OurPage() + " ";
    WriteFile(PagePath(), longer);
    Create(kUnlocked).reset();
    EXPECT_EQ(ReadFile(PagePath()), longer);
}

TEST_F(AboutFormTest, unwritableFolder_reportsCannotCreateAndStaysUsable) {
    const QString missing = dir.filePath(QStringLiteral("gone"));
    TFrmAbout form(kUnlocked, missing);
    const QString expectedPath = QDir::toNativeSeparators(missing + "/ruzuvo.html");
    try {
        form.FormCreate();
        FAIL() << "no error";
    } catch (const std::runtime_error& error) {
        const std::string prefix = "Cannot create file \"" + expectedPath.toStdString() + "\". ";
        EXPECT_EQ(std::string(error.what()).substr(0, prefix.size()), prefix);
        EXPECT_GT(std::string(error.what()).size(), prefix.size());
    }
    EXPECT_TRUE(form.HiddenMode());
    EXPECT_FALSE(form.WebBrowser1->Navigate(form.PageFileName()));
    EXPECT_TRUE(form.Timer1->isActive());
    QImage canvas(512, 384, QImage::Format_RGB32);
    form.FormPaint(canvas);
    EXPECT_EQ(form.FrameIndex(), 1);
    form.FormDestroy();
}

TEST_F(AboutFormTest, everyPaintWhileTheTimerRuns_stepsOneFrame) {
    auto form = Create(kUnlocked);
    QImage still(512, 384, QImage::Format_RGB32);
    form->FormPaint(still);
    EXPECT_EQ(form->FrameIndex(), 0);
    form->WebBrowser1DocumentComplete();
    QImage canvas(512, 384, QImage::Format_RGB32);
    for (int paint = 1; paint <= 9; ++paint) {
        form->FormPaint(canvas);
        EXPECT_EQ(form->FrameIndex(), paint % 8);
    }
}

TEST_F(AboutFormTest, framesAreBlendedOnlyAtTheirThreePlaces) {
    auto form = Create(kUnlocked);
    QImage still(512, 384, QImage::Format_RGB32);
    form->FormPaint(still);
    form->WebBrowser1DocumentComplete();
    QImage dancing(512, 384, QImage::Format_RGB32);
    form->FormPaint(dancing);
    const QRect places[] = {{65, 115, 110, 205}, {201, 115, 110, 205}, {335, 115, 110, 205}};
    int changedInside[3] = {0, 0, 0};
    int changedOutside = 0;
    for (int y = 0; y < 384; ++y) {
        for (int x = 0; x < 512; ++x) {
            if (still.pixel(x, y) == dancing.pixel(x, y)) continue;
            int place = 0;
            while (place < 3 && !places[place].contains(x, y)) ++place;
            place < 3 ? ++changedInside[place] : ++changedOutside;
        }
    }
    EXPECT_EQ(changedOutside, 0);
    for (int count : changedInside) EXPECT_GT(count, 0);
}

TEST_F(AboutFormTest, startDelay_endsAtTheFourteenthTickAndRepaintsFromTheFifteenth) {
    auto form = Create(kUnlocked);
    form->show();
    QCoreApplication::processEvents();
    form->WebBrowser1DocumentComplete();
    ASSERT_TRUE(form->Timer1->isActive());
    EXPECT_EQ(form->Timer1->interval(), 110);
    // Only posted repaint requests are delivered here, so Timer1's own ticks stay out.
    const auto tick = [&form] {
        form->Timer1Timer();
        QCoreApplication::sendPostedEvents(form.get(), QEvent::UpdateRequest);
    };
    for (int n = 1; n <= 13; ++n) tick();
    EXPECT_FALSE(form->DelayElapsed());
    EXPECT_EQ(form->ElapsedMs(), 1430u);
    tick();
    EXPECT_TRUE(form->DelayElapsed());
    EXPECT_EQ(form->ElapsedMs(), 1540u);
    EXPECT_EQ(form->FrameIndex(), 0);
    tick();
    EXPECT_EQ(form->FrameIndex(), 1);

    form->WebBrowser1DocumentComplete();
    EXPECT_FALSE(form->DelayElapsed());
    EXPECT_EQ(form->ElapsedMs(), 0u);
    form->hide();
}

TEST_F(AboutFormTest, mouseAndContextEvents_setModalResultOk) {
    auto form = Create({});
    const QPointF at(5, 5);
    QMouseEvent press(QEvent::MouseButtonPress, at, at, Qt::RightButton, Qt::RightButton,
                      Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at, at, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QMouseEvent twice(QEvent::MouseButtonDblClick, at, at, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QContextMenuEvent menu(QContextMenuEvent::Mouse, QPoint(5, 5), QPoint(5, 5));
    for (QEvent* event : std::initializer_list<QEvent*>{&press, &release, &twice, &menu}) {
        form = Create({});
        QCoreApplication::sendEvent(form.get(), event);
        EXPECT_EQ(form->ModalResult(), 1) << event->type();
    }
    EXPECT_FALSE(menu.isAccepted());
}

TEST_F(AboutFormTest, presentingHiddenMode_animatesUntilClicked) {
    auto form = Create(kUnlocked);
    QTimer::singleShot(0, form.get(), [&form] {
        EXPECT_TRUE(form->isVisible());
        EXPECT_TRUE(form->isModal());
        EXPECT_TRUE(form->Timer1->isActive());
        EXPECT_EQ(form->WebBrowser1->BlockCount(), 3);
        form->FormClick();
    });
    form->PresentHiddenMode();
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->ModalResult(), 1);
}

TEST_F(AboutFormTest, closingAModalShowing_returnsCancel) {
    auto form = Create({});
    QTimer::singleShot(0, form.get(), [&form] { form->close(); });
    EXPECT_EQ(form->ShowModal(), 2);
    EXPECT_FALSE(form->isVisible());
}

}  // namespace
