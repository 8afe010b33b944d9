// The simulator's log as plug-ins write it, and folder listings.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "XPLMUtilities.h"
#include "support/host_fixture.h"

namespace {

using quiltest::HostTest;
namespace fs = std::filesystem;

class Utilities : public HostTest {};

TEST_F(Utilities, DebugStringsBecomeLogLines) {
    struct Case {
        std::vector<const char*> writes;
        std::vector<std::string> lines;
    };
    const std::string longLine(5000, 'x');
    const Case cases[] = {
        {{"a\n"}, {"a"}},
        {{"0:00:01.000 E/LUA: ", "broke\n"}, {"0:00:01.000 E/LUA: broke"}},
        {{"one\ntwo\n", "three"}, {"one", "two", "three"}},  // a line still being written shows
        {{"\n", nullptr}, {""}},
        {{longLine.c_str(), "\n"}, {std::string(4096, 'x')}},
    };
    for (const Case& c : cases) {
        standin::startHost(config());
        for (const char* text : c.writes) XPLMDebugString(text);
        EXPECT_EQ(standin::debugLog(), c.lines) << c.writes.front();
    }
}

// The way XLua walks its scripts folder: one name a call, from an offset.
TEST_F(Utilities, FolderContentsComeInPiecesThatFit) {
    const fs::path folder = fs::path(QUIL_BUILD_DIR) / "test-folders" / std::to_string(getpid());
    fs::create_directories(folder / "ccc");
    std::ofstream(folder / "bb");
    std::ofstream(folder / "a");
    struct Case {
        int first, bufferSize, indexCount;  // indexCount -1: no index
        std::vector<std::string> names;
        int result;
    };
    const Case cases[] = {
        {0, 100, 10, {"a", "bb", "ccc"}, 1},
        {1, 100, 10, {"bb", "ccc"}, 1},
        {0, 100, 1, {"a"}, 0},
        {2, 100, 1, {"ccc"}, 1},
        {0, 5, 10, {"a", "bb"}, 0},
        {0, 1, 10, {}, 0},
        {3, 100, 10, {}, 1},
        {0, 100, -1, {"a", "bb", "ccc"}, 1},
    };
    for (const Case& c : cases) {
        char buffer[100];
        char* index[10] = {};
        int total = -1, returned = -1;
        const int result = XPLMGetDirectoryContents(folder.c_str(), c.first, buffer, c.bufferSize,
                                                    c.indexCount < 0 ? nullptr : index,
                                                    c.indexCount, &total, &returned);
        std::vector<std::string> names;
        for (const char* name = buffer; static_cast<int>(names.size()) < returned;
             name += names.back().size() + 1)
            names.emplace_back(name);
        EXPECT_EQ(names, c.names) << c.first << " " << c.bufferSize << " " << c.indexCount;
        EXPECT_EQ(result, c.result) << c.first << " " << c.bufferSize << " " << c.indexCount;
        EXPECT_EQ(total, 3);
        for (int i = 0; c.indexCount > 0 && i < returned; ++i)
            EXPECT_EQ(std::string(index[i]), c.names[static_cast<size_t>(i)]);
    }
    int total = -1;
    char buffer[16];
    EXPECT_EQ(XPLMGetDirectoryContents((folder / "none").c_str(), 0, buffer, 16, nullptr, 0,
                                       &total, nullptr),
              1);
    EXPECT_EQ(total, 0);
    fs::remove_all(folder);
}

}  // namespace
