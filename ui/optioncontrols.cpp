#include "optioncontrols.h"

#include "colorlabel.h"
#include "fontbox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QSpinBox>

using namespace CopyBookOptions;
using Widget = ControlSpec::Widget;

namespace OptionControls {

QWidget *create(const OptionRow &row, QWidget *parent)
{
    QWidget *control = nullptr;
    switch (row.kind->control().widget) {
    case Widget::CheckBox:
        control = new QCheckBox(parent);
        break;
    case Widget::ChoiceBox:
        control = new QComboBox(parent);
        break;
    case Widget::FontBox:
        control = new FontBox(parent);
        break;
    case Widget::SpinBox:
        control = new QSpinBox(parent);
        break;
    case Widget::DoubleSpinBox:
        control = new QDoubleSpinBox(parent);
        break;
    case Widget::LineEdit:
        control = new QLineEdit(parent);
        break;
    case Widget::Swatch:
        control = new ColorLabel(parent);
        break;
    }
    control->setObjectName(QLatin1String(row.controlName));
    return control;
}

void configure(QWidget *control, const OptionRow &row)
{
    const ControlSpec spec = row.kind->control();
    if (auto *combo = qobject_cast<QComboBox *>(control); combo && spec.widget == Widget::ChoiceBox) {
        for (int value = 0; value < spec.choices.size(); ++value)
            combo->addItem(QCoreApplication::translate("MainWindow", spec.choices[value].label), value);
    } else if (auto *count = qobject_cast<QSpinBox *>(control)) {
        count->setRange(int(spec.min), int(spec.max));
        count->setSingleStep(1);
        if (spec.unsetText)
            count->setSpecialValueText(QCoreApplication::translate("MainWindow", spec.unsetText));
    } else if (auto *number = qobject_cast<QDoubleSpinBox *>(control)) {
        number->setRange(spec.min, spec.max);
        number->setSingleStep(0.1);
    } else if (auto *fonts = qobject_cast<FontBox *>(control)) {
        fonts->fill();
    }
}

void show(QWidget *control, const OptionRow &row, const OptionValues &values)
{
    const QVariant value = row.kind->value(values);
    switch (row.kind->control().widget) {
    case Widget::CheckBox:
        static_cast<QCheckBox *>(control)->setChecked(value.toBool());
        break;
    case Widget::ChoiceBox: {
        auto *combo = static_cast<QComboBox *>(control);
        combo->setCurrentIndex(combo->findData(value));
        break;
    }
    case Widget::FontBox:
        static_cast<FontBox *>(control)->showFamily(value.toString());
        break;
    case Widget::SpinBox:
        static_cast<QSpinBox *>(control)->setValue(value.toInt());
        break;
    case Widget::DoubleSpinBox:
        static_cast<QDoubleSpinBox *>(control)->setValue(value.toDouble());
        break;
    case Widget::LineEdit:
        static_cast<QLineEdit *>(control)->setText(value.toString());
        break;
    case Widget::Swatch:
        static_cast<ColorLabel *>(control)->setColor(value.value<QColor>());
        break;
    }
}

QVariant valueIn(const QWidget *control, const OptionRow &row)
{
    switch (row.kind->control().widget) {
    case Widget::CheckBox:
        return static_cast<const QCheckBox *>(control)->isChecked();
    case Widget::ChoiceBox:
        return static_cast<const QComboBox *>(control)->currentData();
    case Widget::FontBox:
        return static_cast<const FontBox *>(control)->currentText();
    case Widget::SpinBox:
        return static_cast<const QSpinBox *>(control)->value();
    case Widget::DoubleSpinBox:
        return static_cast<const QDoubleSpinBox *>(control)->value();
    case Widget::LineEdit:
        return static_cast<const QLineEdit *>(control)->text();
    case Widget::Swatch:
        return static_cast<const ColorLabel *>(control)->palette().color(QPalette::Window);
    }
    return {};
}

// Only the signals of the user's own changes: a check box's click, a line edit's editing. The others are
// shown values only with their signals blocked.
void onUserChange(QWidget *control, const OptionRow &row, QObject *context, const std::function<void()> &changed)
{
    switch (row.kind->control().widget) {
    case Widget::CheckBox:
        QObject::connect(static_cast<QCheckBox *>(control), &QCheckBox::clicked, context, changed);
        break;
    case Widget::ChoiceBox:
    case Widget::FontBox:
        QObject::connect(
            static_cast<QComboBox *>(control), qOverload<int>(&QComboBox::currentIndexChanged), context, changed);
        break;
    case Widget::SpinBox:
        QObject::connect(static_cast<QSpinBox *>(control), qOverload<int>(&QSpinBox::valueChanged), context, changed);
        break;
    case Widget::DoubleSpinBox:
        QObject::connect(
            static_cast<QDoubleSpinBox *>(control), qOverload<double>(&QDoubleSpinBox::valueChanged), context, changed);
        break;
    case Widget::LineEdit:
        QObject::connect(static_cast<QLineEdit *>(control), &QLineEdit::textEdited, context, changed);
        break;
    case Widget::Swatch:
        // A swatch's click opens the colour dialog, which the window asks; only its answer is a change.
        break;
    }
}

} // namespace OptionControls
