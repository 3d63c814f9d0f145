// Constants shared by every section family. The literal values are part of the
// program's results: every printed figure was fixed with exactly these numbers,
// so they are not to be replaced by full-precision pi or standard gravity.
#pragma once

namespace tarnwick {

inline constexpr double kGravity = 9.810001;         // m/s², used in the specific energy
inline constexpr double kPi = 3.1415926;             // arc geometry and degree conversion
inline constexpr double kTwoPi = 6.2831852;          // circumference factor of the circular family
inline constexpr double kChezyExponent = 1.0 / 6.0;  // Manning: C = R^(1/6) / n

inline constexpr double kOpenChannelDepthLimit = 1000.0;  // upper search bound, m
inline constexpr double kDischargeTolerance = 0.0001;     // m³/s, absolute
inline constexpr int kMaxSearchPasses = 1000;

// Degrees typed by the user to radians, with the program's own pi.
inline double DegreesToRadians(double degrees) { return degrees * kPi / 180.0; }
// And back, for figures handed to scripts unrounded.
inline double RadiansToDegrees(double radians) { return radians * 180.0 / kPi; }

}  // namespace tarnwick
