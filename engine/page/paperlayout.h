#pragma once

#include "copybookoptions.h"

#include <QPageLayout>

// A sheet's paper as Qt names it, without margins, so that a PDF viewer or a printer is told the paper
// the page was laid out on; Qt's B5 is the ISO one.
QPageLayout paperLayout(const CopyBookOptions::OptionValues &sheet);
