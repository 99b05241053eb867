#pragma once

#include "pageprogress.h"

class QProgressDialog;

// A long save's or print's progress in `dialog`, which this sets up: shown only if the job lasts, "page 3
// of 12", with a Cancel button whose press *cancelled reports and the job hears.
PageProgress pageProgressIn(QProgressDialog *dialog, bool *cancelled);
