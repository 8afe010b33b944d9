// Runs quil-sim as an aircraft author would, from a folder of the test's
// own, and keeps its exit status and what it printed.
#pragma once

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

namespace quiltest {

inline const std::string kQuilSim = QUIL_BUILD_DIR "/bin/quil-sim";

struct CommandResult {
    int exitCode = -1;
    std::string out, err;
};

inline std::string fileText(const std::filesystem::path& path) {
    std::ifstream file(path);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

class QuilSim : public ::testing::Test {
protected:
    void SetUp() override {
        folder = std::filesystem::path(QUIL_BUILD_DIR) / "scenario_test" /
                 ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
    }

    std::string writeScenario(const std::string& text) {
        const std::filesystem::path path = folder / "run.scenario";
        std::ofstream(path) << text;
        return path.string();
    }

    // `environment` goes before the command, as "NAME=VALUE ".
    CommandResult run(const std::string& arguments, const std::string& environment = "") {
        const std::filesystem::path out = folder / "stdout.txt", err = folder / "stderr.txt";
        const std::string command = environment + kQuilSim + " " + arguments + " >" +
                                    out.string() + " 2>" + err.string();
        const int status = std::system(command.c_str());
        CommandResult result;
        result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        result.out = fileText(out);
        result.err = fileText(err);
        return result;
    }

    std::string outFolder() const { return (folder / "out").string(); }

    std::filesystem::path folder;
};

}  // namespace quiltest
