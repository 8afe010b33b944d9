// Aircraft folders made on the fly for tests: an aircraft file with its
// author and description, and optionally a configuration file.
#pragma once

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include <unistd.h>

namespace quiltest {

struct TestAircraft {
    std::string name = "TestJet";
    std::string author = "Orrin Valdemarsson";
    std::string description = "Boeing 737-800 qversion_275";
    std::optional<std::string> configuration;  // conf/quil.cnf, when given
};

// Writes the aircraft under the build tree, in a folder of this test
// process (tests run in parallel), and returns its .acf path.
inline std::string makeAircraft(const TestAircraft& aircraft) {
    namespace fs = std::filesystem;
    const fs::path folder = fs::path(QUIL_BUILD_DIR) / "test-aircraft" /
                            std::to_string(getpid()) / aircraft.name;
    fs::remove_all(folder);
    fs::create_directories(folder);
    const fs::path acf = folder / (aircraft.name + ".acf");
    std::ofstream(acf) << "I\n1100 Version\nACF\nP acf/_author " << aircraft.author
                       << "\nP acf/_descrip " << aircraft.description << "\n";
    if (aircraft.configuration) {
        fs::create_directories(folder / "conf");
        std::ofstream(folder / "conf" / "quil.cnf") << *aircraft.configuration;
    }
    return acf.string();
}

}  // namespace quiltest
