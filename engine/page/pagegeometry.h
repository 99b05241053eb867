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

struct PaperCm
{
    double width;
    double height;
};

// The paper of a sheet (a CopyBookOptions::Paper), turned on its side for landscape. A4 portrait keeps
// the constants above to the bit; a number off the list is A4.
inline PaperCm paperCm(int paper, bool landscape)
{
    static constexpr PaperCm portraits[]
        = {{kPageWidthCm, kPageHeightCm}, {14.8, 21.0}, {17.6, 25.0}, {21.59, 27.94}, {29.7, 42.0}};
    const PaperCm portrait = paper > 0 && paper < 5 ? portraits[paper] : portraits[0];
    return landscape ? PaperCm {portrait.height, portrait.width} : portrait;
}

inline double cmToPixels(double cm, int resolution)
{
    return cm / kCmPerInch * resolution;
}

} // namespace PageGeometry
