#include "mainwindow.h"

#include "appsettings.h"
#include "colorlabel.h"
#include "commandbar.h"
#include "contentmenu.h"
#include "copybookwidget.h"
#include "fontbox.h"
#include "fontlist.h"
#include "moreoptions.h"
#include "optioncontrols.h"
#include "textedit.h"
#include "worksheetsession.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QStyledItemDelegate>
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
    offerAbout();
    applySettings();
    // Once the window is up, over it.
    QTimer::singleShot(0, this, &MainWindow::reportDamagedStore);
}

MainWindow::~MainWindow() = default;

namespace {

const OptionRow &rowOf(const char *key)
{
    return *findOption(QLatin1String(key));
}

// The control's name as the option table gives it, which the tests find it by.
QString controlOf(const char *key)
{
    return QLatin1String(rowOf(key).controlName);
}

// The middle steps of a main-panel row, as for every control of the table: its items or range, then its
// stored value.
void fillFromTable(QWidget *control, const char *key)
{
    OptionControls::configure(control, rowOf(key));
    OptionControls::show(control, rowOf(key), *AppSettings::instance());
}

} // namespace

void MainWindow::setupUi()
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    auto *splitter = new QSplitter(this);
    layout->addWidget(splitter, 0);

    // The preview, with the line that names the characters the font lacks under it, and More Options
    // beside it when open, in the room the page leaves on a wide screen.
    auto *previewColumn = new QWidget(this);
    auto *besidePreview = new QHBoxLayout(previewColumn);
    besidePreview->setContentsMargins(0, 0, 0, 0);
    besidePreview->setSpacing(0);
    auto *previewLayout = new QVBoxLayout;
    previewLayout->setSpacing(0);
    besidePreview->addLayout(previewLayout, 1);
    copyBook = new CopyBookWidget(this);
    copyBook->setObjectName(QStringLiteral("copyBook"));
    previewLayout->addWidget(copyBook, 1);
    auto *missingGlyphs = new QLabel(this);
    missingGlyphs->setObjectName(QStringLiteral("lblMissingGlyphs"));
    missingGlyphs->setContentsMargins(8, 4, 8, 4);
    previewLayout->addWidget(missingGlyphs);
    auto *panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("controlPanel"));
    splitter->addWidget(previewColumn);
    splitter->addWidget(panel);
    splitter->setSizes({20000, 10000});
    auto *form = new QFormLayout(panel);
    form->setHorizontalSpacing(16);

    // Each control gets its stored value before its signal is connected, so building the window runs
    // no slot and writes no settings.
    cmbBookType = new QComboBox(this);
    cmbBookType->setObjectName(controlOf("BookType"));
    form->addRow(tr("Book Type"), cmbBookType);
    fillFromTable(cmbBookType, "BookType");
    connect(cmbBookType, qOverload<int>(&QComboBox::currentIndexChanged), this, &MainWindow::onBookTypeChanged);

    editContent = new TextEdit(this);
    editContent->setObjectName(QStringLiteral("editContent"));
    form->addRow(tr("Content"), editContent);
    connect(editContent, &TextEdit::signalFocusOut, this, &MainWindow::onContentFocusOut);
    contentMenu = new ContentMenu(editContent);

    spinCellSize = addDoubleRow(form, tr("Cell Size"), "CellSize");
    spinFontSize = addDoubleRow(form, tr("Font Size"), "FontSize");

    auto *fontBox = new FontBox(this);
    cmbFontName = fontBox;
    cmbFontName->setObjectName(controlOf("FontName"));
    form->addRow(tr("Font Name"), cmbFontName);
    fillFromTable(cmbFontName, "FontName");
    fonts = std::make_unique<FontList>(fontBox, missingGlyphs, this, dialogs);
    fonts->chooseFamily = [this](const QString &family) { onFontNameChanged(family); };
    fonts->fontsChanged = [this] { copyBook->setFontName(AppSettings::instance()->fontName); };
    connect(copyBook, &CopyBookWidget::signalMissingGlyphsChanged, this,
        [this] { fonts->showMissingGlyphs(copyBook->copyBook().missingGlyphs()); });

    lblGridColor = new ColorLabel(this);
    lblGridColor->setObjectName(controlOf("GridColor"));
    fillFromTable(lblGridColor, "GridColor");
    form->addRow(tr("Grid Color"), lblGridColor);
    connect(lblGridColor, &ColorLabel::signalClicked, this, &MainWindow::onColorLabelClicked);

    lblTextColor = new ColorLabel(this);
    lblTextColor->setObjectName(controlOf("TextColor"));
    fillFromTable(lblTextColor, "TextColor");
    form->addRow(tr("Text Color"), lblTextColor);
    connect(lblTextColor, &ColorLabel::signalClicked, this, &MainWindow::onColorLabelClicked);

    spinOpacity = addDoubleRow(form, tr("Opacity"), "Opacity");

    chkCommonChinese = new QCheckBox(this);
    chkCommonChinese->setObjectName(controlOf("CommonChineseOnly"));
    form->addRow(tr("Common Chinese"), chkCommonChinese);
    fillFromTable(chkCommonChinese, "CommonChineseOnly");
    connect(chkCommonChinese, &QCheckBox::clicked, this, &MainWindow::onCommonChineseClicked);

    spinBlankLines = new QSpinBox(this);
    spinBlankLines->setObjectName(controlOf("BlankLines"));
    form->addRow(tr("Blank Lines"), spinBlankLines);
    fillFromTable(spinBlankLines, "BlankLines");
    connect(spinBlankLines, qOverload<int>(&QSpinBox::valueChanged), this, &MainWindow::onBlankLinesChanged);

    cmbTraceType = new QComboBox(this);
    cmbTraceType->setObjectName(controlOf("TraceType"));
    form->addRow(tr("Trace Type"), cmbTraceType);
    fillFromTable(cmbTraceType, "TraceType");
    connect(cmbTraceType, qOverload<int>(&QComboBox::currentIndexChanged), this, &MainWindow::onTraceTypeChanged);

    auto *btnSave = new QPushButton(tr("Save As"), this);
    btnSave->setObjectName(QStringLiteral("btnSave"));
    form->addRow(btnSave);
    connect(btnSave, &QPushButton::clicked, this, &MainWindow::onSaveAs);

    worksheet = std::make_unique<WorksheetSession>(this, editContent, AppSettings::instance(), dialogs);
    worksheet->takeOptions = [this](const OptionValues &options) { takeOptions(options); };
    worksheet->takeText = [this](const QString &text) { copyBook->setContent(text); };
    setAcceptDrops(true);
    setupCommands(form);
    setupMoreOptions(form, besidePreview);

    // The stylesheet's item rules (height, hover and selection colours) only reach drop-down lists that
    // draw through a styled delegate.
    for (QComboBox *combo : findChildren<QComboBox *>())
        combo->setItemDelegate(new QStyledItemDelegate(this));
}

QDoubleSpinBox *MainWindow::addDoubleRow(QFormLayout *form, const QString &label, const char *key)
{
    auto *spin = new QDoubleSpinBox(this);
    spin->setObjectName(controlOf(key));
    form->addRow(label, spin);
    fillFromTable(spin, key);
    connect(spin, qOverload<double>(&QDoubleSpinBox::valueChanged), this, &MainWindow::onDoubleValueChanged);
    return spin;
}

void MainWindow::setupCommands(QFormLayout *form)
{
    auto *commands = new CommandBar(this);
    commands->add("actionOpenWorksheet", tr("Open Worksheet…"), QKeySequence(Qt::CTRL | Qt::Key_O),
        [this] { worksheet->askToOpen(); });
    commands->add("actionSaveWorksheet", tr("Save Worksheet…"), QKeySequence(Qt::CTRL | Qt::Key_S),
        [this] { worksheet->save(); });
    commands->add(
        "actionSaveWorksheetAs", tr("Save Worksheet As…"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S),
        [this] { worksheet->saveAs(); }, false);
    commands->add(
        "actionAddListed", tr("Add from the Character List…"), QKeySequence(), [this] { onAddListedCharacters(); });
    commands->add("actionPrint", tr("Print…"), QKeySequence::Print, [this] { onPrint(); });
    form->addRow(commands);
    copyBook->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(copyBook, &QWidget::customContextMenuRequested, this,
        [this, commands](const QPoint &at) { commands->menu()->popup(copyBook->mapToGlobal(at)); });
}

void MainWindow::setupMoreOptions(QFormLayout *form, QLayout *besidePreview)
{
    AppSettings *settings = AppSettings::instance();
    auto *toggle = new QToolButton(this);
    toggle->setObjectName(QStringLiteral("btnMoreOptions"));
    toggle->setText(tr("More Options"));
    toggle->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    toggle->setCheckable(true);
    form->addRow(toggle);

    // The record the section edits lives as long as the program.
    moreOptions = new MoreOptions(settings, this);
    besidePreview->addWidget(moreOptions);
    connect(moreOptions, &MoreOptions::signalOptionChanged, this, &MainWindow::onSheetOptionChanged);
    const auto showSection = [this, toggle](bool open) {
        toggle->setArrowType(open ? Qt::LeftArrow : Qt::RightArrow);
        moreOptions->setHidden(!open);
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
    contentMenu->follow(*settings);
    storeChangedOptions();
}

void MainWindow::storeChangedOptions()
{
    AppSettings::instance()->saveSettings();
    worksheet->noteOptionsChanged();
}

void MainWindow::applySettings()
{
    const AppSettings *settings = AppSettings::instance();
    copyBook->setOptions(*settings);
    contentMenu->follow(*settings);
}

// As if every control had been set to its value: the controls, the engine once, the store once.
void MainWindow::takeOptions(const OptionValues &options)
{
    static_cast<OptionValues &>(*AppSettings::instance()) = options;
    showOptionsInControls();
    applySettings();
    AppSettings::instance()->saveSettings();
}

void MainWindow::showOptionsInControls()
{
    for (const OptionRow &row : optionTable()) {
        QWidget *control = findChild<QWidget *>(QLatin1String(row.controlName));
        const QSignalBlocker quiet(control);
        OptionControls::show(control, row, *AppSettings::instance());
    }
}

void MainWindow::openFile(const QString &path)
{
    worksheet->openFile(path);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (worksheet->settleUnsavedChanges())
        event->accept();
    else
        event->ignore();
}

void MainWindow::dragEnterEvent(QDragEnterEvent *event)
{
    if (!WorksheetSession::openableFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent *event)
{
    const QString path = WorksheetSession::openableFile(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    openFile(path);
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
