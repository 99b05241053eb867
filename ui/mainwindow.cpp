#include "mainwindow.h"

#include "appsettings.h"
#include "colorlabel.h"
#include "copybookwidget.h"
#include "textedit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QStyledItemDelegate>

using namespace CopyBookOptions;

MainWindow::MainWindow(QWidget *parent) : QWidget(parent)
{
    setWindowTitle(tr("Lattiscribe"));
    showMaximized();
    // A click on the preview or on the panel's background takes the focus from the content editor,
    // which is what hands the typed text to the engine.
    setFocusPolicy(Qt::StrongFocus);
    setupUi();
    offerAbout();
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
    cmbBookType->addItem(tr("Trace"), TraceBook);
    cmbBookType->addItem(tr("Copy"), CopyBook);
    cmbBookType->setCurrentIndex(cmbBookType->findData(settings->bookType));
    connect(cmbBookType, qOverload<int>(&QComboBox::currentIndexChanged), this, &MainWindow::onBookTypeChanged);

    editContent = new TextEdit(this);
    editContent->setObjectName(QStringLiteral("editContent"));
    form->addRow(tr("Content"), editContent);
    connect(editContent, &TextEdit::signalFocusOut, this, &MainWindow::onContentFocusOut);

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
    cmbTraceType->addItem(tr("None"), TraceNone);
    cmbTraceType->addItem(tr("Half"), TraceHalf);
    cmbTraceType->addItem(tr("All"), TraceAll);
    cmbTraceType->setCurrentIndex(cmbTraceType->findData(settings->traceType));
    connect(cmbTraceType, qOverload<int>(&QComboBox::currentIndexChanged), this, &MainWindow::onTraceTypeChanged);

    auto *btnSave = new QPushButton(tr("Save As"), this);
    btnSave->setObjectName(QStringLiteral("btnSave"));
    form->addRow(btnSave);
    connect(btnSave, &QPushButton::clicked, this, &MainWindow::onSaveAs);

    // The stylesheet's item rules (height, hover and selection colours) only reach drop-down lists that
    // draw through a styled delegate.
    for (QComboBox *combo : findChildren<QComboBox *>())
        combo->setItemDelegate(new QStyledItemDelegate(this));
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

void MainWindow::applySettings()
{
    applyInOrder(copyBook, *AppSettings::instance());
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
