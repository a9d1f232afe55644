#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <map>
#include <string>

#include "AboutForm.h"
#include "CommandLine.h"
#include "DisplayCheck.h"
#include "PlatformChoice.h"
#include "Startup.h"

namespace {

using Reply = std::optional<std::string>;

TEST(EarlyOptions, helpAndVersion_firstOneDecidesAndOtherWordsStart) {
    struct Case {
        std::vector<std::string_view> parameters;
        EarlyAction expected;
    } const cases[] = {
        {{}, EarlyAction::Start},
        {{"word"}, EarlyAction::Start},
        {{"--help"}, EarlyAction::Help},
        {{"-h"}, EarlyAction::Help},
        {{"--version"}, EarlyAction::Version},
        {{"-V"}, EarlyAction::Version},
        {{"word", "--version", "--help"}, EarlyAction::Version},
        {{"--HELP"}, EarlyAction::Start},
        {{"-help"}, EarlyAction::Start},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReadEarlyAction(c.parameters), c.expected)
            << testing::PrintToString(c.parameters);
}

// The early options take their words before the about window sees the command line; none of
// them may be the unlock word, or the hidden mode could no longer be reached.
TEST(EarlyOptions, optionWords_neverUnlockHiddenMode) {
    for (const char* word : {"--help", "-h", "--version", "-V"})
        EXPECT_FALSE(UnlocksHiddenMode({QString::fromLatin1(word)})) << word;
}

TEST(EarlyOptions, texts_nameTheProgramAndEndWithNewline) {
    EXPECT_TRUE(HelpText().starts_with("Usage: vollmark "));
    EXPECT_TRUE(VersionText().starts_with("vollmark "));
    EXPECT_EQ(VersionText().find('\n'), VersionText().size() - 1);
}

EnvironmentLookup environment(std::map<std::string, std::string> values) {
    return [values](const char* name) -> Reply {
        const auto it = values.find(name);
        return it == values.end() ? Reply{} : Reply{it->second};
    };
}

TEST(DisplaySettingsRead, qtArguments_overrideEnvironment) {
    const auto env = environment({{"QT_QPA_PLATFORM", "offscreen"},
                                  {"DISPLAY", ":1"},
                                  {"WAYLAND_DISPLAY", "wayland-0"},
                                  {"XDG_RUNTIME_DIR", "/run/user/7"}});
    const DisplaySettings fromEnv = ReadDisplaySettings({}, env);
    EXPECT_EQ(fromEnv.platform, "offscreen");
    EXPECT_EQ(fromEnv.x11Display, ":1");
    EXPECT_EQ(fromEnv.waylandDisplay, "wayland-0");
    EXPECT_EQ(fromEnv.runtimeDir, "/run/user/7");

    const DisplaySettings spaced = ReadDisplaySettings({"-platform", "xcb", "-display", ":5"}, env);
    EXPECT_EQ(spaced.platform, "xcb");
    EXPECT_EQ(spaced.x11Display, ":5");
    const DisplaySettings joined = ReadDisplaySettings({"--platform=xcb", "--display=:6"}, env);
    EXPECT_EQ(joined.platform, "xcb");
    EXPECT_EQ(joined.x11Display, ":6");
    EXPECT_EQ(ReadDisplaySettings({"-platformtheme", "gtk3"}, env).platform, "offscreen");
}

DisplaySettings settings(std::string platform, std::string x11, std::string wayland = "",
                         std::string runtimeDir = "") {
    DisplaySettings s;
    s.platform = std::move(platform);
    s.x11Display = std::move(x11);
    s.waylandDisplay = std::move(wayland);
    s.runtimeDir = std::move(runtimeDir);
    return s;
}

// Probes that answer from a table and record what they were asked.
struct FakeDisplays {
    FakeDisplays(Reply x11, Reply wayland)
        : x11Reply(std::move(x11)), waylandReply(std::move(wayland)) {}
    Reply x11Reply, waylandReply;
    std::vector<std::string> asked;
    DisplayProbes probes() {
        return {[this](const std::string& d) {
                    asked.push_back("x11 " + d);
                    return x11Reply;
                },
                [this](const std::string& p) {
                    asked.push_back("wayland " + p);
                    return waylandReply;
                }};
    }
};

TEST(DisplayCheck, missingDisplay_namesTheVariablesThePlatformNeeds) {
    FakeDisplays fake({}, {});
    EXPECT_EQ(DisplayProblem(settings("", ""), fake.probes()),
              "no display: neither DISPLAY nor WAYLAND_DISPLAY is set");
    EXPECT_EQ(DisplayProblem(settings("xcb", "", "wayland-0"), fake.probes()),
              "no display: DISPLAY is not set");
    EXPECT_EQ(DisplayProblem(settings("wayland", ":0"), fake.probes()),
              "no display: WAYLAND_DISPLAY is not set");
    EXPECT_TRUE(fake.asked.empty());
}

TEST(DisplayCheck, platformWithoutDisplay_isLeftToQt) {
    FakeDisplays fake({}, {});
    for (const char* platform : {"offscreen", "minimal", "vnc", "wayland;offscreen", "xcb;eglfs"})
        EXPECT_EQ(DisplayProblem(settings(platform, ""), fake.probes()), std::nullopt) << platform;
    EXPECT_TRUE(fake.asked.empty());
}

TEST(DisplayCheck, refusedConnections_reportTheDisplayAndReason) {
    FakeDisplays fake("refused", "No such file or directory");
    EXPECT_EQ(DisplayProblem(settings("", ":9"), fake.probes()), "cannot open display :9: refused");
    EXPECT_EQ(DisplayProblem(settings("wayland", "", "w-1", "/r"), fake.probes()),
              "cannot connect to Wayland display w-1: No such file or directory");
}

TEST(DisplayCheck, oneAnsweringDisplay_isEnough) {
    FakeDisplays waylandDown({}, "refused");
    EXPECT_EQ(DisplayProblem(settings("", ":0", "wayland-0", "/r"), waylandDown.probes()),
              std::nullopt);
    FakeDisplays x11Down("refused", {});
    EXPECT_EQ(DisplayProblem(settings("xcb:nograb;wayland", ":0", "/abs/socket"), x11Down.probes()),
              std::nullopt);
    EXPECT_EQ(x11Down.asked, std::vector<std::string>{"wayland /abs/socket"});
    EXPECT_EQ(waylandDown.asked, (std::vector<std::string>{"wayland /r/wayland-0", "x11 :0"}));
}

// Read from the same words and variables the program reads, so a table row is what a user
// types.
TEST(PlatformChoice, userChoiceWins_bothDisplaysGoToX11_waylandOnlyWhereItIsAll) {
    struct Case {
        std::vector<std::string_view> arguments;
        std::map<std::string, std::string> environment;
        bool waylandPlugin;
        std::optional<std::string> expected;
    } const cases[] = {
        {{}, {{"DISPLAY", ":0"}, {"WAYLAND_DISPLAY", "wayland-0"}}, true, "xcb;wayland"},
        {{}, {{"DISPLAY", ":0"}, {"WAYLAND_DISPLAY", "wayland-0"}}, false, "xcb"},
        {{}, {{"DISPLAY", ":0"}}, true, "xcb"},
        {{}, {{"WAYLAND_DISPLAY", "wayland-0"}}, true, "wayland"},
        // Left to the display check, which names the missing package.
        {{}, {{"WAYLAND_DISPLAY", "wayland-0"}}, false, std::nullopt},
        {{}, {}, true, std::nullopt},
        {{},
         {{"QT_QPA_PLATFORM", "wayland"}, {"DISPLAY", ":0"}, {"WAYLAND_DISPLAY", "w"}},
         true,
         std::nullopt},
        {{"-platform", "wayland"},
         {{"DISPLAY", ":0"}, {"WAYLAND_DISPLAY", "w"}},
         true,
         std::nullopt},
        {{"--platform=offscreen"}, {{"DISPLAY", ":0"}}, true, std::nullopt},
        {{"-display", ":3"}, {{"WAYLAND_DISPLAY", "wayland-0"}}, true, "xcb;wayland"},
    };
    for (const Case& c : cases) {
        DisplaySettings s = ReadDisplaySettings(c.arguments, environment(c.environment));
        s.waylandPlugin = c.waylandPlugin;
        EXPECT_EQ(ChosenPlatform(s), c.expected)
            << testing::PrintToString(c.arguments) << " " << testing::PrintToString(c.environment)
            << " plugin " << c.waylandPlugin;
    }
}

TEST(DisplayCheck, waylandWithoutItsPlugin_namesThePackageInsteadOfLettingQtAbort) {
    FakeDisplays fake({}, {});
    DisplaySettings s = settings("", "", "wayland-0", "/r");
    s.waylandPlugin = false;
    EXPECT_EQ(DisplayProblem(s, fake.probes()),
              "no display: DISPLAY is not set, and WAYLAND_DISPLAY needs Qt's Wayland platform "
              "plugin: install qt6-wayland");
    s.platform = "wayland";
    EXPECT_EQ(
        DisplayProblem(s, fake.probes()),
        "no display: WAYLAND_DISPLAY needs Qt's Wayland platform plugin: install qt6-wayland");
    EXPECT_TRUE(fake.asked.empty());
}

TEST(DisplayCheck, displayThatIsNotRunning_isRefusedByTheRealProbe) {
    const auto problem = PrepareSystemDisplay({"-platform", "xcb", "-display", ":65000"});
    ASSERT_TRUE(problem.has_value());
    EXPECT_TRUE(problem->starts_with("cannot open display :65000: ")) << *problem;
}

TEST(PageFolder, installedOrReadOnlyProgram_keepsThePageOutOfItsFolder) {
    EXPECT_TRUE(PageFileBesideExecutable("/home/u/build/app", "/usr/bin", true));
    EXPECT_FALSE(PageFileBesideExecutable("/usr/bin/", "/usr/bin", true));
    EXPECT_FALSE(PageFileBesideExecutable("/usr//bin", "/usr/bin", true));
    EXPECT_FALSE(PageFileBesideExecutable("/opt/vollmark/bin", "/usr/bin", false));
}

TEST(PageFolder, writableBuildFolder_receivesThePage) {
    const QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    EXPECT_EQ(PageFileFolder(dir.path()), dir.path());
}

}  // namespace
