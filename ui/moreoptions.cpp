#include "moreoptions.h"

#include "optioncontrols.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QLabel>
#include <QScrollBar>

using namespace CopyBookOptions;

namespace {

// The groups in the order they are shown, with their titles in the window's context.
struct SectionTitle
{
    Section section;
    const char *title;
};
const SectionTitle kSections[] = {
    {Section::Layout, QT_TRANSLATE_NOOP("MainWindow", "Layout")},
    {Section::PinyinAndStrokes, QT_TRANSLATE_NOOP("MainWindow", "Pinyin and Stroke Order")},
    {Section::PaperAndPages, QT_TRANSLATE_NOOP("MainWindow", "Paper and Pages")},
};

QString translated(const char *text)
{
    return QCoreApplication::translate("MainWindow", text);
}

} // namespace

MoreOptions::MoreOptions(OptionValues *options, QWidget *parent) : QScrollArea(parent), options(options)
{
    setObjectName(QStringLiteral("moreOptions"));
    setWidgetResizable(true);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The panel's dark background shows through, as under the rows of the panel.
    viewport()->setAutoFillBackground(false);
    // One grid for every group, so that the fields of all of them line up; each group opens with its title.
    auto *sections = new QWidget(this);
    auto *grid = new QGridLayout(sections);
    grid->setContentsMargins(12, 4, 12, 4);
    grid->setHorizontalSpacing(16);
    grid->setColumnStretch(1, 1);
    for (const SectionTitle &section : kSections) {
        auto *title = new QLabel(translated(section.title), sections);
        title->setObjectName(QStringLiteral("lblSectionTitle"));
        grid->addWidget(title, line++, 0, 1, 2);
        // The fields first, then the switches two to a line, so that no switch stands alone between them.
        for (const bool switches : {false, true}) {
            switchColumn = 0;
            for (const OptionRow &row : optionTable()) {
                if (row.section == section.section && (row.kindAs<Switch>() != nullptr) == switches)
                    addRow(grid, row);
            }
            line += switchColumn;
        }
    }
    grid->setRowStretch(line, 1);
    setWidget(sections);
    // Taken in, the widget is made to fill its background; it stays see-through like the viewport.
    sections->setAutoFillBackground(false);
    // As wide as its rows, so that it takes from the preview only what it needs.
    setFixedWidth(sections->sizeHint().width() + verticalScrollBar()->sizeHint().width());
}

MoreOptions::~MoreOptions() = default;

// Each control is built completely, given its value and only then connected, so that building the
// section writes nothing.
void MoreOptions::addRow(QGridLayout *grid, const OptionRow &row)
{
    QWidget *control = OptionControls::create(row, this);
    if (auto *check = qobject_cast<QCheckBox *>(control)) {
        // A switch carries its text itself, which keeps the label column narrow.
        check->setText(translated(row.label));
        grid->addWidget(check, line, switchColumn);
        line += switchColumn;
        switchColumn = 1 - switchColumn;
    } else {
        grid->addWidget(new QLabel(translated(row.label), this), line, 0);
        grid->addWidget(control, line++, 1);
    }
    OptionControls::configure(control, row);
    OptionControls::show(control, row, *options);
    OptionControls::onUserChange(control, row, this, [this, control, &row] {
        row.kind->setValue(options, OptionControls::valueIn(control, row), true);
        emit signalOptionChanged();
    });
}

void MoreOptions::showOptions()
{
    for (const OptionRow &row : optionTable()) {
        if (row.section == Section::MainPanel)
            continue;
        QWidget *control = findChild<QWidget *>(QLatin1String(row.controlName));
        const QSignalBlocker quiet(control);
        OptionControls::show(control, row, *options);
    }
}
