// The paths derived from the aircraft's and the plug-in's location, as the
// simulator gives them.
#pragma once

#include <string>

namespace quil {

// The paths below are empty, and the operations fail, when the host gives
// no aircraft path or one that fills its buffer and so may have been cut.
// The aircraft's folder, ending in the directory separator.
std::string AircraftFolder();
std::string ConfigurationPath();
// The artwork file's path in the aircraft's "quiltextures" folder, else in
// the plug-in's own; false when neither has it (path: the second candidate).
bool ResolveTexturePath(const char* fileName, std::string& path);
// The aircraft's paint and light-map paint files.
bool PaintPaths(std::string& paintPath, std::string& liteMapPath);

}  // namespace quil
