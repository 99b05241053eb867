#include "mainwindow.h"

#include "appsettings.h"
#include "colorlabel.h"
#include "copybookwidget.h"
#include "pinyinreview.h"
#include "textedit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDoubleSpinBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QStyledItemDelegate>
#include <QToolButton>

using namespace CopyBookOptions;

MainWindow::MainWindow(QWidget *parent) : QWidget(parent)
{
    setWindowTitle(tr("Lattiscribe"));
    showMaximized();
    // A click on the preview or on the panel's background takes the focus from the content editor,
    // which is what hands the typed text to the engine.
    setFocusPolicy(Qt::StrongFocus);
    setupUi();
    offerMenus();
    applySettings();
}

MainWindow::~MainWindow() = default;

void MainWindow::setupUi()
{
    AppSettings *settings = AppSettings::instance();

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    auto *splitter = new QSplitter(this);
    layout->addWidget(splitter, 0);

    copyBook = new CopyBookWidget(this);
    copyBook->setObjectName(QStringLiteral("copyBook"));
    auto *panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("controlPanel"));
    splitter->addWidget(copyBook);
    splitter->addWidget(panel);
    splitter->setSizes({20000, 10000});

    auto *form = new QFormLayout(panel);
    form->setHorizontalSpacing(16);

    // Each control gets its stored value before its signal is connected, so building the window runs
    // no slot and writes no settings.
    cmbBookType = new QComboBox(this);
    cmbBookType->setObjectName(QStringLiteral("cmbBookType"));
    form->addRow(tr("Book Type"), cmbBookType);
    addChoices(cmbBookType, *findOption("BookType"));
    cmbBookType->setCurrentIndex(cmbBookType->findData(settings->bookType));
    connect(cmbBookType, qOverload<int>(&QComboBox::currentIndexChanged), this, &MainWindow::onBookTypeChanged);

    editContent = new TextEdit(this);
    editContent->setObjectName(QStringLiteral("editContent"));
    form->addRow(tr("Content"), editContent);
    connect(editContent, &TextEdit::signalFocusOut, this, &MainWindow::onContentFocusOut);
    pinyinReview = new PinyinReview(editContent);

    spinCellSize = addDoubleRow(
        form, tr("Cell Size"), QStringLiteral("spinCellSize"), kMinCellSize, kMaxCellSize, settings->cellSize);

    spinFontSize = addDoubleRow(
        form, tr("Font Size"), QStringLiteral("spinFontSize"), kMinFontSize, kMaxFontSize, settings->fontSize);

    cmbFontName = new QComboBox(this);
    cmbFontName->setObjectName(QStringLiteral("cmbFontName"));
    form->addRow(tr("Font Name"), cmbFontName);
    cmbFontName->addItems(QFontDatabase().families());
    cmbFontName->setCurrentIndex(
        cmbFontName->findData(settings->fontName, Qt::DisplayRole, Qt::MatchExactly | Qt::MatchCaseSensitive));
    connect(cmbFontName, qOverload<int>(&QComboBox::currentIndexChanged), this,
        [this](int index) { onFontNameChanged(cmbFontName->itemText(index)); });

    lblGridColor = new ColorLabel(this);
    lblGridColor->setObjectName(QStringLiteral("lblGridColor"));
    lblGridColor->setColor(settings->gridColor);
    form->addRow(tr("Grid Color"), lblGridColor);
    connect(lblGridColor, &ColorLabel::signalClicked, this, &MainWindow::onColorLabelClicked);

    lblTextColor = new ColorLabel(this);
    lblTextColor->setObjectName(QStringLiteral("lblTextColor"));
    lblTextColor->setColor(settings->textColor);
    form->addRow(tr("Text Color"), lblTextColor);
    connect(lblTextColor, &ColorLabel::signalClicked, this, &MainWindow::onColorLabelClicked);

    spinOpacity
        = addDoubleRow(form, tr("Opacity"), QStringLiteral("spinOpacity"), kMinOpacity, kMaxOpacity, settings->opacity);

    chkCommonChinese = new QCheckBox(this);
    chkCommonChinese->setObjectName(QStringLiteral("chkCommonChinese"));
    form->addRow(tr("Common Chinese"), chkCommonChinese);
    chkCommonChinese->setChecked(settings->commonChineseOnly);
    connect(chkCommonChinese, &QCheckBox::clicked, this, &MainWindow::onCommonChineseClicked);

    spinBlankLines = new QSpinBox(this);
    spinBlankLines->setObjectName(QStringLiteral("spinBlankLines"));
    form->addRow(tr("Blank Lines"), spinBlankLines);
    spinBlankLines->setRange(kMinBlankLines, kMaxBlankLines);
    spinBlankLines->setSingleStep(1);
    spinBlankLines->setValue(settings->blankLines);
    connect(spinBlankLines, qOverload<int>(&QSpinBox::valueChanged), this, &MainWindow::onBlankLinesChanged);

    cmbTraceType = new QComboBox(this);
    cmbTraceType->setObjectName(QStringLiteral("cmbTraceType"));
    form->addRow(tr("Trace Type"), cmbTraceType);
    addChoices(cmbTraceType, *findOption("TraceType"));
    cmbTraceType->setCurrentIndex(cmbTraceType->findData(settings->traceType));
    connect(cmbTraceType, qOverload<int>(&QComboBox::currentIndexChanged), this, &MainWindow::onTraceTypeChanged);

    auto *btnSave = new QPushButton(tr("Save As"), this);
    btnSave->setObjectName(QStringLiteral("btnSave"));
    form->addRow(btnSave);
    connect(btnSave, &QPushButton::clicked, this, &MainWindow::onSaveAs);

    setupMoreOptions(form);

    // The stylesheet's item rules (height, hover and selection colours) only reach drop-down lists that
    // draw through a styled delegate.
    for (QComboBox *combo : findChildren<QComboBox *>())
        combo->setItemDelegate(new QStyledItemDelegate(this));
}

void MainWindow::addChoices(QComboBox *combo, const OptionRow &row)
{
    for (int value = 0; value < row.choices.size(); ++value)
        combo->addItem(QCoreApplication::translate("MainWindow", row.choices[value].label), value);
}

QDoubleSpinBox *MainWindow::addDoubleRow(
    QFormLayout *form, const QString &label, const QString &name, double min, double max, double value)
{
    auto *spin = new QDoubleSpinBox(this);
    spin->setObjectName(name);
    form->addRow(label, spin);
    spin->setRange(min, max);
    spin->setSingleStep(0.1);
    spin->setValue(value);
    connect(spin, qOverload<double>(&QDoubleSpinBox::valueChanged), this, &MainWindow::onDoubleValueChanged);
    return spin;
}

void MainWindow::setupMoreOptions(QFormLayout *form)
{
    AppSettings *settings = AppSettings::instance();

    auto *toggle = new QToolButton(this);
    toggle->setObjectName(QStringLiteral("btnMoreOptions"));
    toggle->setText(tr("More Options"));
    toggle->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    toggle->setCheckable(true);
    form->addRow(toggle);

    // The section's rows belong to the panel's form, so their fields line up with those above; they
    // are all shorter than the longest label above, so showing them moves nothing. The switches carry
    // their text themselves for that reason. Each row comes from the option table.
    const int firstRow = form->rowCount();
    for (const OptionRow &row : optionTable()) {
        if (!row.control)
            continue;
        const QString label = QCoreApplication::translate("MainWindow", row.label);
        const QString name = QLatin1String(row.control);
        std::visit(
            [&](auto field) {
                auto *value = &(settings->*field);
                using Value = std::decay_t<decltype(*value)>;
                if constexpr (std::is_same_v<Value, int>) {
                    QStringList items;
                    for (const Choice &choice : row.choices)
                        items << QCoreApplication::translate("MainWindow", choice.label);
                    addChoiceRow(form, label, name, items, value);
                } else if constexpr (std::is_same_v<Value, bool>) {
                    addSwitchRow(form, label, name, value);
                } else if constexpr (std::is_same_v<Value, QString>) {
                    addTextRow(form, label, name, value);
                }
            },
            row.field);
    }

    QWidgetList section;
    for (int row = firstRow; row < form->rowCount(); ++row) {
        for (QFormLayout::ItemRole role : {QFormLayout::LabelRole, QFormLayout::FieldRole}) {
            if (QLayoutItem *item = form->itemAt(row, role))
                section << item->widget();
        }
    }
    const auto showSection = [toggle, section](bool open) {
        toggle->setArrowType(open ? Qt::DownArrow : Qt::RightArrow);
        for (QWidget *widget : section)
            widget->setHidden(!open);
    };
    toggle->setChecked(settings->moreOptionsOpen);
    showSection(settings->moreOptionsOpen);
    connect(toggle, &QToolButton::toggled, this, [showSection](bool open) {
        showSection(open);
        AppSettings::instance()->moreOptionsOpen = open;
        AppSettings::instance()->saveSettings();
    });
}

void MainWindow::addChoiceRow(
    QFormLayout *form, const QString &label, const QString &name, const QStringList &items, int *field)
{
    auto *combo = new QComboBox(this);
    combo->setObjectName(name);
    form->addRow(label, combo);
    // The items are the engine's values in order, each carrying its value like the main panel's combos.
    for (int value = 0; value < items.size(); ++value)
        combo->addItem(items[value], value);
    combo->setCurrentIndex(combo->findData(*field));
    connect(combo, qOverload<int>(&QComboBox::currentIndexChanged), this, [this, combo, field] {
        *field = combo->currentData(Qt::UserRole).toInt();
        onSheetOptionChanged();
    });
}

void MainWindow::addSwitchRow(QFormLayout *form, const QString &text, const QString &name, bool *field)
{
    auto *check = new QCheckBox(text, this);
    check->setObjectName(name);
    form->addRow(QString(), check);
    check->setChecked(*field);
    connect(check, &QCheckBox::clicked, this, [this, field](bool on) {
        *field = on;
        onSheetOptionChanged();
    });
}

// The text goes to the engine as it is typed: a change to a title redraws the preview once, without laying
// the page out again, and nothing typed is lost if the window closes before the field loses the focus.
void MainWindow::addTextRow(QFormLayout *form, const QString &label, const QString &name, QString *field)
{
    auto *edit = new QLineEdit(this);
    edit->setObjectName(name);
    form->addRow(label, edit);
    edit->setText(*field);
    connect(edit, &QLineEdit::textEdited, this, [this, field](const QString &text) {
        *field = text;
        onSheetOptionChanged();
    });
}

void MainWindow::onSheetOptionChanged()
{
    const AppSettings *settings = AppSettings::instance();
    copyBook->setSheet(settings->sheet());
    copyBook->setVectorPdf(settings->vectorPdf);
    pinyinReview->setActive(settings->showsPinyin());
    settings->saveSettings();
}

void MainWindow::applySettings()
{
    const AppSettings *settings = AppSettings::instance();
    applyOptions(copyBook, *settings);
    pinyinReview->setActive(settings->showsPinyin());
}

void MainWindow::onBookTypeChanged()
{
    const int bookType = cmbBookType->currentData(Qt::UserRole).toInt();
    copyBook->setBookType(bookType);
    AppSettings::instance()->bookType = bookType;
    AppSettings::instance()->saveSettings();
}

void MainWindow::onTraceTypeChanged()
{
    const int traceType = cmbTraceType->currentData(Qt::UserRole).toInt();
    copyBook->setTraceType(traceType);
    AppSettings::instance()->traceType = traceType;
    AppSettings::instance()->saveSettings();
}

void MainWindow::onContentFocusOut()
{
    copyBook->setContent(editContent->toPlainText());
}

void MainWindow::onDoubleValueChanged(double value)
{
    auto *spin = qobject_cast<QDoubleSpinBox *>(sender());
    if (!spin)
        return;
    AppSettings *settings = AppSettings::instance();
    // The record holds single precision; the engine gets the value as the spin box delivers it.
    if (spin == spinCellSize) {
        copyBook->setCellSize(value);
        settings->cellSize = static_cast<float>(value);
    } else if (spin == spinFontSize) {
        copyBook->setFontSize(value);
        settings->fontSize = static_cast<float>(value);
    } else if (spin == spinOpacity) {
        copyBook->setOpacity(value);
        settings->opacity = static_cast<float>(value);
    } else {
        return;
    }
    settings->saveSettings();
}

void MainWindow::onFontNameChanged(const QString &family)
{
    copyBook->setFontName(family);
    AppSettings::instance()->fontName = family;
    AppSettings::instance()->saveSettings();
}

void MainWindow::onColorLabelClicked()
{
    auto *label = qobject_cast<ColorLabel *>(sender());
    if (!label)
        return;
    AppSettings *settings = AppSettings::instance();
    QColor &field = label == lblGridColor ? settings->gridColor : settings->textColor;
    const QColor color = dialogs.pickColor(field);
    if (!color.isValid())
        return;
    field = color;
    settings->saveSettings();
    label->setColor(color);
    if (label == lblGridColor)
        copyBook->setGridColor(color);
    else
        copyBook->setTextColor(color);
}

void MainWindow::onCommonChineseClicked()
{
    copyBook->setCommonChineseOnly(chkCommonChinese->isChecked());
    AppSettings::instance()->commonChineseOnly = chkCommonChinese->isChecked();
    AppSettings::instance()->saveSettings();
}

void MainWindow::onBlankLinesChanged(int value)
{
    copyBook->setBlankLines(value);
    AppSettings::instance()->blankLines = value;
    AppSettings::instance()->saveSettings();
}
