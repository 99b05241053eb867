#pragma once

#include "copybookoptions.h"
#include "papers.h"

#include <QSize>
#include <QtGlobal>

// Page constants in centimetres. Several are single-precision values widened to double: the truncations
// of the row and column counts depend on exactly these values at their boundaries.
namespace PageGeometry {

constexpr double kRowGapCm = static_cast<double>(0.2f);
constexpr double kMarginCm = static_cast<double>(1.91f);
constexpr double kCmPerInch = 2.54;
constexpr int kResolution = 300;

struct PaperCm
{
    double width;
    double height;
};

// The sheet's paper, turned on its side for landscape.
inline PaperCm paperCm(CopyBookOptions::Paper paper, bool landscape)
{
    const CopyBookOptions::PaperSize &size = CopyBookOptions::paperSize(paper);
    return landscape ? PaperCm {size.heightCm, size.widthCm} : PaperCm {size.widthCm, size.heightCm};
}

inline double cmToPixels(double cm, int resolution)
{
    return cm / kCmPerInch * resolution;
}

// The sheet's paper in pixels: for A4 portrait 2480 x 3508 at 300 dots per inch.
inline QSize pageSizeAt(const CopyBookOptions::OptionValues &options, int resolution)
{
    const PaperCm paper = paperCm(options.paper, options.landscape);
    return QSize(qRound(resolution * (paper.width / kCmPerInch)), qRound(resolution * (paper.height / kCmPerInch)));
}

} // namespace PageGeometry
