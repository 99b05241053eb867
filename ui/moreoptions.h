#pragma once

#include "optiontable.h"

#include <QScrollArea>

class QFormLayout;

// The "More Options" section below Save As: a control for every option of the table beyond the main
// panel's, in named groups, scrolling inside the panel so that the content editor keeps its room however
// many options there are. A change goes into the options record it edits, then signalOptionChanged.
class MoreOptions : public QScrollArea
{
    Q_OBJECT

public:
    // `options` outlives the section; each control starts from its value there.
    MoreOptions(CopyBookOptions::OptionValues *options, QWidget *parent = nullptr);
    ~MoreOptions() override;

signals:
    void signalOptionChanged();

private:
    void addRow(QFormLayout *form, const CopyBookOptions::OptionRow &row);

    CopyBookOptions::OptionValues *options;
};
