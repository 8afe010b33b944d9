// The aircraft's configuration file "conf/quil.cnf" and the paths derived
// from the aircraft's location.
#pragma once

#include <string>

namespace quil {

// 0 when the file was read, -1 when it is missing, empty or unreadable.
int ReadConfiguration();
std::string ConfigurationPath();
// The aircraft's folder, ending in the directory separator.
std::string AircraftFolder();

}  // namespace quil
