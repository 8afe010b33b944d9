// The regular-file open on this platform: only a file on a disk, of no more
// than the bytes asked for, its size held in full past 4 GiB.
#include "platform/files.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

namespace fs = std::filesystem;

constexpr std::uint64_t kGiB = std::uint64_t{1} << 30;
constexpr std::uint64_t kAnySize = UINT64_MAX;

#ifdef _WIN32
// A pipe with its server end open and no client: an open that connects to it
// would act on it.
struct NamedPipe {
    std::string path = "\\\\.\\pipe\\quil-files-test-" + std::to_string(GetCurrentProcessId());
    HANDLE server = CreateNamedPipeA(path.c_str(), PIPE_ACCESS_INBOUND, PIPE_TYPE_BYTE | PIPE_WAIT,
                                     1, 0, 0, 0, nullptr);
    bool made() const { return server != INVALID_HANDLE_VALUE; }
    ~NamedPipe() { CloseHandle(server); }
};
constexpr const char* kNullDevice = "NUL";
#else
// A pipe with no writer: an open that waits for one would wait for ever.
struct NamedPipe {
    std::string path = (fs::temp_directory_path() / ("quil-files-test-" + std::to_string(getpid())))
                           .string();
    int result = mkfifo(path.c_str(), 0600);
    bool made() const { return result == 0; }
    ~NamedPipe() { fs::remove(path); }
};
constexpr const char* kNullDevice = "/dev/null";
#endif

class RegularFiles : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::path(QUIL_BUILD_DIR) / "test-files" /
                 ::testing::UnitTest::GetInstance()->current_test_info()->name();
        fs::remove_all(folder);
        fs::create_directories(folder / "a folder");
        std::ofstream(folder / "five.txt", std::ios::binary) << "12345";
        std::ofstream(folder / "past 4 GiB.bin", std::ios::binary);
        fs::resize_file(folder / "past 4 GiB.bin", 5 * kGiB + 3);  // sparse
    }
    void TearDown() override { fs::remove_all(folder); }
    std::string in(const char* name) const { return (folder / name).string(); }

    fs::path folder;
};

TEST_F(RegularFiles, OnlyARegularFileWithinTheLimitOpensAndItsSizeIsKeptInFull) {
    const NamedPipe pipe;
    ASSERT_TRUE(pipe.made()) << pipe.path;
    struct Case {
        const char* what;
        std::string path;
        std::uint64_t maxBytes;
        bool opens;
        std::uint64_t bytes;
    };
    const Case cases[] = {
        {"a regular file", in("five.txt"), kAnySize, true, 5},
        {"a regular file at the limit", in("five.txt"), 5, true, 5},
        {"a regular file one byte over the limit", in("five.txt"), 4, false, 0},
        {"a file past 4 GiB", in("past 4 GiB.bin"), kAnySize, true, 5 * kGiB + 3},
        {"a file past 4 GiB, over a 4 GiB limit", in("past 4 GiB.bin"), 4 * kGiB, false, 0},
        {"a folder", in("a folder"), kAnySize, false, 0},
        {"a named pipe", pipe.path, kAnySize, false, 0},
        {"the null device", kNullDevice, kAnySize, false, 0},
        {"a missing file", in("missing.txt"), kAnySize, false, 0},
    };
    for (const Case& c : cases) {
        const quil::RegularFile opened = quil::OpenRegularFile(c.path.c_str(), c.maxBytes);
        EXPECT_EQ(opened.file != nullptr, c.opens) << c.what;
        if (opened.file == nullptr) continue;
        EXPECT_EQ(opened.bytes, c.bytes) << c.what;
        char first = 0;
        EXPECT_EQ(std::fread(&first, 1, 1, opened.file), 1u) << c.what;
        std::fclose(opened.file);
    }
    EXPECT_EQ(quil::OpenRegularFile(nullptr).file, nullptr) << "no path";
}

}  // namespace
