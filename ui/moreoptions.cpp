#include "moreoptions.h"

#include "overloaded.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

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
    // The panel's dark background shows through, as under the rows above.
    viewport()->setAutoFillBackground(false);
    // One form for every group, so the fields of all of them line up; each group opens with its title.
    auto *sections = new QWidget(this);
    auto *form = new QFormLayout(sections);
    form->setContentsMargins(0, 0, 0, 0);
    form->setHorizontalSpacing(16);
    for (const SectionTitle &section : kSections) {
        auto *title = new QLabel(translated(section.title), sections);
        title->setObjectName(QStringLiteral("lblSectionTitle"));
        form->addRow(title);
        for (const OptionRow &row : optionTable()) {
            if (row.section == section.section)
                addRow(form, row);
        }
    }
    setWidget(sections);
    // Taken in, the widget is made to fill its background; it stays see-through like the viewport.
    sections->setAutoFillBackground(false);
}

MoreOptions::~MoreOptions() = default;

// Each control is built completely, given its value and only then connected, so that building the
// section writes nothing.
void MoreOptions::addRow(QFormLayout *form, const OptionRow &row)
{
    const QString name = QLatin1String(row.controlName);
    const QString label = translated(row.label);
    std::visit(Overloaded {
                   [&](const Switch &kind) {
                       // A switch carries its text itself, which keeps the label column narrow.
                       auto *check = new QCheckBox(label, this);
                       check->setObjectName(name);
                       form->addRow(QString(), check);
                       check->setChecked(options->*kind.field);
                       connect(check, &QCheckBox::clicked, this, [this, kind](bool on) {
                           options->*kind.field = on;
                           emit signalOptionChanged();
                       });
                   },
                   [&](const ChoiceList &kind) {
                       auto *combo = new QComboBox(this);
                       combo->setObjectName(name);
                       form->addRow(label, combo);
                       for (int value = 0; value < kind.choices.size(); ++value)
                           combo->addItem(translated(kind.choices[value].label), value);
                       combo->setCurrentIndex(combo->findData(kind.get(*options)));
                       connect(combo, qOverload<int>(&QComboBox::currentIndexChanged), this, [this, combo, kind] {
                           kind.set(options, combo->currentData().toInt());
                           emit signalOptionChanged();
                       });
                   },
                   // The text goes to the engine as it is typed: a change to a title redraws the preview
                   // once, without laying the page out again, and nothing typed is lost if the window
                   // closes before the field loses the focus.
                   [&](const Text &kind) {
                       auto *edit = new QLineEdit(this);
                       edit->setObjectName(name);
                       form->addRow(label, edit);
                       edit->setText(options->*kind.field);
                       connect(edit, &QLineEdit::textEdited, this, [this, kind](const QString &text) {
                           options->*kind.field = text;
                           emit signalOptionChanged();
                       });
                   },
                   [&](const Count &kind) {
                       auto *spin = new QSpinBox(this);
                       spin->setObjectName(name);
                       form->addRow(label, spin);
                       spin->setRange(kind.optional ? kind.min - 1 : kind.min, kind.max);
                       // Not set: the trace type decides, as it does with the option off.
                       if (kind.optional)
                           spin->setSpecialValueText(translated(QT_TRANSLATE_NOOP("MainWindow", "By trace type")));
                       spin->setValue(options->*kind.field);
                       connect(spin, qOverload<int>(&QSpinBox::valueChanged), this, [this, kind](int value) {
                           options->*kind.field = value;
                           emit signalOptionChanged();
                       });
                   },
                   [&](const Number &kind) {
                       auto *spin = new QDoubleSpinBox(this);
                       spin->setObjectName(name);
                       form->addRow(label, spin);
                       spin->setRange(kind.min, kind.max);
                       spin->setSingleStep(0.1);
                       spin->setValue(options->*kind.field);
                       connect(
                           spin, qOverload<double>(&QDoubleSpinBox::valueChanged), this, [this, kind](double value) {
                               options->*kind.field = value;
                               emit signalOptionChanged();
                           });
                   },
                   // The colours have their swatches in the main panel.
                   [&](const Colour &) {},
               },
        row.kind);
}
