#include "characterlistdialog.h"

#include "characterlists.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QSpinBox>

namespace {

// A glimpse of the characters chosen; the whole list can run to thousands.
constexpr int kShownCharacters = 20;

} // namespace

CharacterListDialog::CharacterListDialog(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(tr("Add from the Character List"));
    auto *form = new QFormLayout(this);

    cmbLevel = new QComboBox(this);
    cmbLevel->setObjectName(QStringLiteral("cmbLevel"));
    form->addRow(tr("List"), cmbLevel);
    for (int level = 1; level <= CharacterLists::levelCount(); ++level)
        cmbLevel->addItem(
            tr("Level %1 of the standard characters (%2)").arg(level).arg(CharacterLists::levelSize(level)));

    spinFrom = new QSpinBox(this);
    spinFrom->setObjectName(QStringLiteral("spinFrom"));
    form->addRow(tr("From"), spinFrom);
    spinTo = new QSpinBox(this);
    spinTo->setObjectName(QStringLiteral("spinTo"));
    form->addRow(tr("To"), spinTo);
    lblChoice = new QLabel(this);
    lblChoice->setWordWrap(true);
    form->addRow(lblChoice);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    onLevelChanged();
    connect(cmbLevel, qOverload<int>(&QComboBox::currentIndexChanged), this, &CharacterListDialog::onLevelChanged);
    // Each end keeps the other from passing it.
    connect(spinFrom, qOverload<int>(&QSpinBox::valueChanged), this, [this](int from) {
        spinTo->setMinimum(from);
        showChoice();
    });
    connect(spinTo, qOverload<int>(&QSpinBox::valueChanged), this, [this](int to) {
        spinFrom->setMaximum(to);
        showChoice();
    });
}

CharacterListDialog::~CharacterListDialog() = default;

void CharacterListDialog::onLevelChanged()
{
    const int size = CharacterLists::levelSize(cmbLevel->currentIndex() + 1);
    const QSignalBlocker fromBlocked(spinFrom);
    const QSignalBlocker toBlocked(spinTo);
    spinFrom->setRange(1, size);
    spinTo->setRange(1, size);
    spinFrom->setValue(1);
    spinTo->setValue(qMin(200, size));
    showChoice();
}

void CharacterListDialog::showChoice()
{
    const int count = spinTo->value() - spinFrom->value() + 1;
    const QString first = CharacterLists::charactersOf(
        cmbLevel->currentIndex() + 1, spinFrom->value(), spinFrom->value() + kShownCharacters - 1);
    lblChoice->setText(tr("%n character(s): %1…", nullptr, count).arg(first));
}

QString CharacterListDialog::characters() const
{
    return CharacterLists::charactersOf(cmbLevel->currentIndex() + 1, spinFrom->value(), spinTo->value());
}
