#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "ReplaceFile.h"
#include "TempDir.h"

using drives::ReplaceFile;
namespace fs = std::filesystem;

namespace {

class ReplaceFileTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(temp_.ready()); }

    static std::string Contents(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder_))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    TempDir temp_{"vollmark-replace"};
    fs::path folder_ = temp_.path();
};

TEST_F(ReplaceFileTest, newAndExistingFiles_getTheWholeContents) {
    const std::string path = (folder_ / "list.png").string();
    EXPECT_FALSE(ReplaceFile(path, "first"));
    EXPECT_EQ(Contents(path), "first");
    EXPECT_FALSE(ReplaceFile(path, std::string(100'000, 'x')));
    EXPECT_EQ(Contents(path).size(), 100'000u);
    EXPECT_EQ(Names(), std::vector<std::string>{"list.png"});
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::owner_read, fs::perms::owner_read);
}

// Names are bytes on Linux: two that differ only in bytes that are not UTF-8 stay two files.
TEST_F(ReplaceFileTest, nameWithStrayBytes_isUsedByteForByte) {
    EXPECT_FALSE(ReplaceFile((folder_ / "a\xFF.png").string(), "ff"));
    EXPECT_FALSE(ReplaceFile((folder_ / "a\xFE.png").string(), "fe"));
    EXPECT_EQ(Names(), (std::vector<std::string>{"a\xFE.png", "a\xFF.png"}));
    EXPECT_EQ(Contents(folder_ / "a\xFF.png"), "ff");
}

TEST_F(ReplaceFileTest, failure_leavesTheTargetAndNoTemporaryFile) {
    const fs::path target = folder_ / "taken";
    fs::create_directory(target);
    std::ofstream(target / "inside") << "kept";
    const auto error = ReplaceFile(target.string(), "new");
    ASSERT_TRUE(error);
    EXPECT_NE(error->find("cannot write"), std::string::npos);
    EXPECT_EQ(Contents(target / "inside"), "kept");
    EXPECT_EQ(Names(), std::vector<std::string>{"taken"});

    const auto missing = ReplaceFile((folder_ / "missing" / "list.png").string(), "new");
    ASSERT_TRUE(missing);
    EXPECT_NE(missing->find("No such file or directory"), std::string::npos) << *missing;
    EXPECT_TRUE(ReplaceFile(folder_.string() + "/", "new"));
}

}  // namespace
