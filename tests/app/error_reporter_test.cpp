#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "ErrorReporter.h"

namespace {

struct Shown {
    QString caption;
    QString text;
};

TEST(ErrorMessageTextTest, fullStop_addedOnlyAfterCharactersSortingAfterIt) {
    const struct {
        const char* message;
        const char* shown;
    } cases[] = {
        {"Disk full", "Disk full."},
        {"Done.", "Done."},
        {"Stop!", "Stop!"},
        {"(see log)", "(see log)"},
        {"Ratio 1/2", "Ratio 1/2."},
        {"Cannot create file \"x\". Access denied:", "Cannot create file \"x\". Access denied:."},
        {"Файл", "Файл."},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ErrorMessageText(QString::fromUtf8(c.message)), QString::fromUtf8(c.shown))
            << c.message;
}

TEST(ErrorReporterTest, throwingHandler_isCutShortAndReportedWithTitle) {
    std::vector<Shown> shown;
    const TErrorReporter reporter([&](const QString& caption, const QString& text) {
        shown.push_back({caption, text});
    });
    bool after = false;
    EXPECT_FALSE(reporter.Run([&] {
        throw std::runtime_error("The png image could not be loaded from the resource ID.");
        after = true;
    }));
    EXPECT_FALSE(after);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].caption, QStringLiteral("Vollmark KX"));
    EXPECT_EQ(shown[0].text,
              QStringLiteral("The png image could not be loaded from the resource ID."));
}

TEST(ErrorReporterTest, handlerThatFinishes_showsNothing) {
    int calls = 0;
    const TErrorReporter reporter([&](const QString&, const QString&) { ++calls; });
    bool ran = false;
    EXPECT_TRUE(reporter.Run([&] { ran = true; }));
    EXPECT_TRUE(ran);
    EXPECT_EQ(calls, 0);
}

TEST(ErrorReporterTest, foreignException_isReportedInsteadOfEndingTheProgram) {
    QString text;
    const TErrorReporter reporter([&](const QString&, const QString& t) { text = t; });
    EXPECT_FALSE(reporter.Run([] { throw 42; }));
    EXPECT_EQ(text, QStringLiteral("Unknown error."));
}

}  // namespace
