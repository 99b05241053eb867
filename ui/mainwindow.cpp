#include "mainwindow.h"

#include "appsettings.h"
#include "colorlabel.h"
#include "copybookwidget.h"
#include "moreoptions.h"
#include "pinyinreview.h"
#include "textedit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QStyledItemDelegate>
#include <QTextDocument>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

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
    offerWorksheets();
    applySettings();
    // Once the window is up, over it.
    QTimer::singleShot(0, this, &MainWindow::reportDamagedStore);
}

MainWindow::~MainWindow() = default;

namespace {

// The control's name as the option table gives it, which the tests find it by.
QString controlOf(const char *key)
{
    return QLatin1String(findOption(QLatin1String(key))->controlName);
}

// Lines the content editor keeps with every section of More Options open, so the text being typed stays
// in view on a small laptop screen.
constexpr int kEditorLinesKept = 6;

} // namespace

void MainWindow::setupUi()
{
    AppSettings *settings = AppSettings::instance();

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    auto *splitter = new QSplitter(this);
    layout->addWidget(splitter, 0);

    // The preview, with the line that names the characters the font lacks under it when there are any.
    auto *previewColumn = new QWidget(this);
    auto *previewLayout = new QVBoxLayout(previewColumn);
    previewLayout->setContentsMargins(0, 0, 0, 0);
    previewLayout->setSpacing(0);
    copyBook = new CopyBookWidget(this);
    copyBook->setObjectName(QStringLiteral("copyBook"));
    previewLayout->addWidget(copyBook, 1);
    lblMissingGlyphs = new QLabel(this);
    lblMissingGlyphs->setObjectName(QStringLiteral("lblMissingGlyphs"));
    lblMissingGlyphs->setContentsMargins(8, 4, 8, 4);
    lblMissingGlyphs->setHidden(true);
    previewLayout->addWidget(lblMissingGlyphs);
    connect(copyBook, &CopyBookWidget::signalMissingGlyphsChanged, this, &MainWindow::showMissingGlyphs);
    auto *panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("controlPanel"));
    splitter->addWidget(previewColumn);
    splitter->addWidget(panel);
    splitter->setSizes({20000, 10000});

    // The main panel's rows in a form, the More Options section below it.
    auto *column = new QVBoxLayout(panel);
    auto *form = new QFormLayout;
    form->setContentsMargins(0, 0, 0, 0);
    form->setHorizontalSpacing(16);
    column->addLayout(form);

    // Each control gets its stored value before its signal is connected, so building the window runs
    // no slot and writes no settings.
    cmbBookType = new QComboBox(this);
    cmbBookType->setObjectName(controlOf("BookType"));
    form->addRow(tr("Book Type"), cmbBookType);
    addChoices(cmbBookType, *findOption(QStringLiteral("BookType")));
    cmbBookType->setCurrentIndex(cmbBookType->findData(static_cast<int>(settings->bookType)));
    connect(cmbBookType, qOverload<int>(&QComboBox::currentIndexChanged), this, &MainWindow::onBookTypeChanged);

    editContent = new TextEdit(this);
    editContent->setObjectName(QStringLiteral("editContent"));
    form->addRow(tr("Content"), editContent);
    connect(editContent, &TextEdit::signalFocusOut, this, &MainWindow::onContentFocusOut);
    pinyinReview = new PinyinReview(editContent);

    spinCellSize = addDoubleRow(form, tr("Cell Size"), "CellSize", settings->cellSize);
    spinFontSize = addDoubleRow(form, tr("Font Size"), "FontSize", settings->fontSize);

    setupFontRow(form);

    lblGridColor = new ColorLabel(this);
    lblGridColor->setObjectName(controlOf("GridColor"));
    lblGridColor->setColor(settings->gridColor);
    form->addRow(tr("Grid Color"), lblGridColor);
    connect(lblGridColor, &ColorLabel::signalClicked, this, &MainWindow::onColorLabelClicked);

    lblTextColor = new ColorLabel(this);
    lblTextColor->setObjectName(controlOf("TextColor"));
    lblTextColor->setColor(settings->textColor);
    form->addRow(tr("Text Color"), lblTextColor);
    connect(lblTextColor, &ColorLabel::signalClicked, this, &MainWindow::onColorLabelClicked);

    spinOpacity = addDoubleRow(form, tr("Opacity"), "Opacity", settings->opacity);

    chkCommonChinese = new QCheckBox(this);
    chkCommonChinese->setObjectName(controlOf("CommonChineseOnly"));
    form->addRow(tr("Common Chinese"), chkCommonChinese);
    chkCommonChinese->setChecked(settings->commonChineseOnly);
    connect(chkCommonChinese, &QCheckBox::clicked, this, &MainWindow::onCommonChineseClicked);

    spinBlankLines = new QSpinBox(this);
    spinBlankLines->setObjectName(controlOf("BlankLines"));
    form->addRow(tr("Blank Lines"), spinBlankLines);
    spinBlankLines->setRange(kMinBlankLines, kMaxBlankLines);
    spinBlankLines->setSingleStep(1);
    spinBlankLines->setValue(settings->blankLines);
    connect(spinBlankLines, qOverload<int>(&QSpinBox::valueChanged), this, &MainWindow::onBlankLinesChanged);

    cmbTraceType = new QComboBox(this);
    cmbTraceType->setObjectName(controlOf("TraceType"));
    form->addRow(tr("Trace Type"), cmbTraceType);
    addChoices(cmbTraceType, *findOption(QStringLiteral("TraceType")));
    cmbTraceType->setCurrentIndex(cmbTraceType->findData(static_cast<int>(settings->traceType)));
    connect(cmbTraceType, qOverload<int>(&QComboBox::currentIndexChanged), this, &MainWindow::onTraceTypeChanged);

    auto *btnSave = new QPushButton(tr("Save As"), this);
    btnSave->setObjectName(QStringLiteral("btnSave"));
    form->addRow(btnSave);
    connect(btnSave, &QPushButton::clicked, this, &MainWindow::onSaveAs);

    setupMoreOptions(column, form);

    // The stylesheet's item rules (height, hover and selection colours) only reach drop-down lists that
    // draw through a styled delegate.
    for (QComboBox *combo : findChildren<QComboBox *>())
        combo->setItemDelegate(new QStyledItemDelegate(this));
}

void MainWindow::addChoices(QComboBox *combo, const OptionRow &row)
{
    const QVector<Choice> &choices = std::get<ChoiceList>(row.kind).choices;
    for (int value = 0; value < choices.size(); ++value)
        combo->addItem(QCoreApplication::translate("MainWindow", choices[value].label), value);
}

QDoubleSpinBox *MainWindow::addDoubleRow(QFormLayout *form, const QString &label, const char *key, double value)
{
    const Number &range = std::get<Number>(findOption(QLatin1String(key))->kind);
    auto *spin = new QDoubleSpinBox(this);
    spin->setObjectName(controlOf(key));
    form->addRow(label, spin);
    spin->setRange(range.min, range.max);
    spin->setSingleStep(0.1);
    spin->setValue(value);
    connect(spin, qOverload<double>(&QDoubleSpinBox::valueChanged), this, &MainWindow::onDoubleValueChanged);
    return spin;
}

void MainWindow::setupMoreOptions(QVBoxLayout *panel, QFormLayout *form)
{
    AppSettings *settings = AppSettings::instance();

    auto *toggle = new QToolButton(this);
    toggle->setObjectName(QStringLiteral("btnMoreOptions"));
    toggle->setText(tr("More Options"));
    toggle->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    toggle->setCheckable(true);
    form->addRow(toggle);

    // The record the section edits lives as long as the program.
    auto *section = new MoreOptions(settings, this);
    panel->addWidget(section, 1);
    connect(section, &MoreOptions::signalOptionChanged, this, &MainWindow::onSheetOptionChanged);

    const QFontMetrics editorFont(editContent->font());
    const int editorKeeps = kEditorLinesKept * editorFont.lineSpacing() + 2 * editContent->frameWidth()
        + 2 * qRound(editContent->document()->documentMargin());
    const auto showSection = [this, toggle, section, editorKeeps](bool open) {
        toggle->setArrowType(open ? Qt::DownArrow : Qt::RightArrow);
        section->setHidden(!open);
        // Closed, the panel is exactly as it has always been.
        editContent->setMinimumHeight(open ? editorKeeps : 0);
    };
    toggle->setChecked(settings->moreOptionsOpen);
    showSection(settings->moreOptionsOpen);
    connect(toggle, &QToolButton::toggled, this, [showSection](bool open) {
        showSection(open);
        AppSettings::instance()->moreOptionsOpen = open;
        AppSettings::instance()->saveSettings();
    });
}

void MainWindow::onSheetOptionChanged()
{
    const AppSettings *settings = AppSettings::instance();
    copyBook->setOptions(*settings);
    pinyinReview->setActive(settings->showsReadings());
    storeChangedOptions();
}

void MainWindow::storeChangedOptions()
{
    AppSettings::instance()->saveSettings();
    optionsChangedSinceSave = true;
    updateTitle();
}

void MainWindow::applySettings()
{
    const AppSettings *settings = AppSettings::instance();
    copyBook->setOptions(*settings);
    pinyinReview->setActive(settings->showsReadings());
}

void MainWindow::onBookTypeChanged()
{
    const int bookType = cmbBookType->currentData(Qt::UserRole).toInt();
    copyBook->setBookType(bookType);
    AppSettings::instance()->bookType = static_cast<BookType>(bookType);
    storeChangedOptions();
}

void MainWindow::onTraceTypeChanged()
{
    const int traceType = cmbTraceType->currentData(Qt::UserRole).toInt();
    copyBook->setTraceType(traceType);
    AppSettings::instance()->traceType = static_cast<TraceType>(traceType);
    storeChangedOptions();
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
    if (spin == spinCellSize) {
        copyBook->setCellSize(value);
        settings->cellSize = value;
    } else if (spin == spinFontSize) {
        copyBook->setFontSize(value);
        settings->fontSize = value;
    } else if (spin == spinOpacity) {
        copyBook->setOpacity(value);
        settings->opacity = value;
    } else {
        return;
    }
    storeChangedOptions();
}

void MainWindow::onFontNameChanged(const QString &family)
{
    copyBook->setFontName(family);
    AppSettings::instance()->fontName = family;
    storeChangedOptions();
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
    storeChangedOptions();
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
    storeChangedOptions();
}

void MainWindow::onBlankLinesChanged(int value)
{
    copyBook->setBlankLines(value);
    AppSettings::instance()->blankLines = value;
    storeChangedOptions();
}
