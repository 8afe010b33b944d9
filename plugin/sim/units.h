// Physical constants that more than one model uses.
#pragma once

namespace quil {

constexpr double kGravity = 9.81;  // m/s²
constexpr double kDegreesPerRadian = 57.29577951;

}  // namespace quil
