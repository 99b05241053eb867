#pragma once

#include "optiontable.h"

#include <QScrollArea>

class QGridLayout;

// The "More Options" section: a control for every option of the table beyond the main panel's, in named
// groups, each group's fields first and then its switches, two to a line. It opens as a column of its own beside the
// panel, in the room the preview's page leaves, and scrolls where even that is too short. A change goes into the
// options record it edits, then signalOptionChanged.
class MoreOptions : public QScrollArea
{
    Q_OBJECT

public:
    // `options` outlives the section; each control starts from its value there.
    MoreOptions(CopyBookOptions::OptionValues *options, QWidget *parent = nullptr);
    ~MoreOptions() override;

    // Shows the record's values in every control, without a signal.
    void showOptions();

signals:
    void signalOptionChanged();

private:
    // Adds the row's control to the grid: a switch beside the one before it, any other control on a line
    // of its own after its label.
    void addRow(QGridLayout *grid, const CopyBookOptions::OptionRow &row);

    CopyBookOptions::OptionValues *options;
    // The line and column the next switch of the group goes to.
    int line = 0;
    int switchColumn = 0;
};
