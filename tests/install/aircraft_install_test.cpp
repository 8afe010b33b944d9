// `cmake --install` into an aircraft folder lays it out as the aircraft
// ships, and the installed plug-in runs the demo in the stand-in host with
// its own artwork and the example settings.
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "standin/standin.h"

namespace {

namespace fs = std::filesystem;

const fs::path kBuild = QUIL_BUILD_DIR;
const fs::path kSource = QUIL_SOURCE_DIR;

std::string fileText(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// The cmake that configured this build, as its cache records it.
std::string cmakeCommand() {
    std::istringstream cache(fileText(kBuild / "CMakeCache.txt"));
    const std::string key = "CMAKE_COMMAND:INTERNAL=";
    std::string line;
    while (std::getline(cache, line)) {
        if (line.rfind(key, 0) == 0) return line.substr(key.size());
    }
    return "cmake";
}

int exitCode(const std::string& command) {
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

int install(const fs::path& aircraft) {
    return exitCode("'" + cmakeCommand() + "' --install '" + kBuild.string() + "' --prefix '" +
                    aircraft.string() + "' >'" + (aircraft.parent_path() / "install.log").string() +
                    "' 2>&1");
}

TEST(AircraftInstall, LaysOutTheAircraftsPluginFolderAndTheInstalledPluginRunsTheDemo) {
    standin::startHost();
    const bool graphics = standin::graphicsAvailable();
    standin::stopHost();
    if (!graphics) GTEST_SKIP() << "no offscreen graphics here";

    // The demo aircraft without its own panel artwork or settings: what the
    // plug-in shows then comes from what was installed.
    const fs::path folder = kBuild / "aircraft_install_test";
    const fs::path aircraft = folder / "Quil737";
    fs::remove_all(folder);
    fs::create_directories(aircraft);
    for (const char* file : {"Quil737.acf", "Quil737_paint_lit.png"}) {
        fs::copy_file(kBuild / "aircraft" / "Quil737" / file, aircraft / file);
    }
    ASSERT_EQ(install(aircraft), 0) << fileText(folder / "install.log");

    const fs::path plugin = aircraft / "plugins" / "quil" / "64";
    for (const char* file :
         {"lin.xpl", "quiltextures/quiltexture.png", "quiltextures/quilfonts.png"}) {
        EXPECT_EQ(fileText(plugin / file), fileText(kBuild / "quil" / "64" / file)) << file;
    }
    const fs::path settings = aircraft / "conf" / "quil.cnf";
    EXPECT_EQ(fileText(settings), fileText(kSource / "aircraft" / "Quil737" / "conf" / "quil.cnf"));

    const fs::path out = folder / "demo";
    const std::string run = (kBuild / "bin" / "quil-sim").string() + " --plugin " +
                            (plugin / "lin.xpl").string() + " --plugin " +
                            (kBuild / "peer" / "64" / "lin.xpl").string() + " --aircraft " +
                            (aircraft / "Quil737.acf").string() + " --scenario " +
                            (kSource / "aircraft" / "demo.scenario").string() + " --out " +
                            out.string() + " >/dev/null 2>&1";
    EXPECT_EQ(exitCode(run), 0) << fileText(out / "report.txt");
    const std::string report = fileText(out / "report.txt");
    EXPECT_NE(report.find((plugin / "lin.xpl").string()), std::string::npos) << report;
    EXPECT_NE(report.find("XPLMBindTexture2d"), std::string::npos)
        << "the panel was not drawn with the installed artwork:\n" << report;

    // Installing again keeps the settings the aircraft's author made.
    std::ofstream(settings) << "tailnum = \"OY-OWN\"\n";
    ASSERT_EQ(install(aircraft), 0) << fileText(folder / "install.log");
    EXPECT_EQ(fileText(settings), "tailnum = \"OY-OWN\"\n");

    // Without an aircraft folder nothing is installed (DESTDIR keeps even a
    // faulty install inside the test's folder).
    const fs::path staging = folder / "staging";
    EXPECT_NE(exitCode("DESTDIR='" + staging.string() + "' '" + cmakeCommand() + "' --install '" +
                       kBuild.string() + "' >/dev/null 2>&1"),
              0);
    EXPECT_FALSE(fs::exists(staging));
}

}  // namespace
