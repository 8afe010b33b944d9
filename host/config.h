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
// The artwork file's path in the aircraft's "quiltextures" folder, else in
// the plug-in's own; false when neither has it (path: the second candidate).
bool ResolveTexturePath(const char* fileName, std::string& path);
// The aircraft's paint and light-map paint files.
void PaintPaths(std::string& paintPath, std::string& liteMapPath);

}  // namespace quil
