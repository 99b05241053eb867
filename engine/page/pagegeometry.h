#pragma once

// Page constants in centimetres. Several are single-precision values widened to double: the truncations
// of the row and column counts depend on exactly these values at their boundaries.
namespace PageGeometry {

constexpr double kPageWidthCm = 21.0;
constexpr double kPageHeightCm = static_cast<double>(29.7f);
constexpr double kRowGapCm = static_cast<double>(0.2f);
constexpr double kMarginCm = static_cast<double>(1.91f);
constexpr double kCmPerInch = 2.54;
constexpr int kResolution = 300;

inline double cmToPixels(double cm, int resolution)
{
    return cm / kCmPerInch * resolution;
}

} // namespace PageGeometry
