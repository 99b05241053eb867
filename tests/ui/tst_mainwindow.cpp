#include "appsettings.h"
#include "colorlabel.h"
#include "copybookwidget.h"
#include "fonts.h"
#include "mainwindow.h"
#include "settingsstore.h"
#include "textedit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QLineEdit>
#include <QSpinBox>
#include <QtTest>

namespace {

// The control of each settings key, and what the engine holds for it (for the section's state, whether
// the section shows).
const QMap<QString, QString> kControlOf = {{QStringLiteral("BookType"), QStringLiteral("cmbBookType")},
    {QStringLiteral("TraceType"), QStringLiteral("cmbTraceType")},
    {QStringLiteral("BlankLines"), QStringLiteral("spinBlankLines")},
    {QStringLiteral("CellSize"), QStringLiteral("spinCellSize")},
    {QStringLiteral("FontSize"), QStringLiteral("spinFontSize")},
    {QStringLiteral("Opacity"), QStringLiteral("spinOpacity")},
    {QStringLiteral("FontName"), QStringLiteral("cmbFontName")},
    {QStringLiteral("CommonChineseOnly"), QStringLiteral("chkCommonChinese")},
    {QStringLiteral("GridColor"), QStringLiteral("lblGridColor")},
    {QStringLiteral("TextColor"), QStringLiteral("lblTextColor")},
    {QStringLiteral("Sheet/GridStyle"), QStringLiteral("cmbGridStyle")},
    {QStringLiteral("Sheet/TraceStyle"), QStringLiteral("cmbTraceStyle")},
    {QStringLiteral("Sheet/Title"), QStringLiteral("editTitle")},
    {QStringLiteral("Sheet/NameFields"), QStringLiteral("chkNameFields")},
    {QStringLiteral("Sheet/PageNumbers"), QStringLiteral("chkPageNumbers")},
    {QStringLiteral("Sheet/Pinyin"), QStringLiteral("chkPinyin")},
    {QStringLiteral("Sheet/PinyinOnly"), QStringLiteral("chkPinyinOnly")},
    {QStringLiteral("Sheet/VectorPdf"), QStringLiteral("chkVectorPdf")},
    {QStringLiteral("Sheet/MoreOptionsOpen"), QStringLiteral("btnMoreOptions")}};

// The engine does not tell how it writes a PDF; one written from page pictures carries image objects.
bool writesVectorPdf(const CopyBookWidget &book)
{
    QTemporaryDir directory;
    const QString file = directory.filePath(QStringLiteral("book.pdf"));
    QFile pdf(file);
    if (!book.saveToPdf(file) || !pdf.open(QIODevice::ReadOnly))
        return false;
    return !pdf.readAll().contains("/Subtype /Image");
}

QVariant engineValue(const MainWindow &window, const QString &key)
{
    const auto *book = window.findChild<CopyBookWidget *>();
    const CopyBookContent &content = book->contentModel();
    const QMap<QString, QVariant> values = {{QStringLiteral("BookType"), content.bookType},
        {QStringLiteral("TraceType"), content.traceType}, {QStringLiteral("BlankLines"), content.blankLines},
        {QStringLiteral("CellSize"), book->cellSizeCm()},
        {QStringLiteral("FontSize"), book->currentGlyphFont().pixelSize()},
        {QStringLiteral("Opacity"), content.opacity}, {QStringLiteral("FontName"), book->currentGlyphFont().family()},
        {QStringLiteral("CommonChineseOnly"), content.commonChineseOnly},
        {QStringLiteral("GridColor"), book->currentGridColor()},
        {QStringLiteral("TextColor"), book->currentTextColor()},
        {QStringLiteral("Sheet/GridStyle"), book->sheetOptions().gridStyle},
        {QStringLiteral("Sheet/TraceStyle"), book->sheetOptions().traceStyle},
        {QStringLiteral("Sheet/Title"), book->sheetOptions().title},
        {QStringLiteral("Sheet/NameFields"), book->sheetOptions().nameFields},
        {QStringLiteral("Sheet/PageNumbers"), book->sheetOptions().pageNumbers},
        {QStringLiteral("Sheet/Pinyin"), book->sheetOptions().pinyin},
        {QStringLiteral("Sheet/PinyinOnly"), book->sheetOptions().pinyinOnly},
        {QStringLiteral("Sheet/MoreOptionsOpen"),
            !window.findChild<QWidget *>(QStringLiteral("cmbGridStyle"))->isHidden()}};
    if (key == QLatin1String("Sheet/VectorPdf"))
        return writesVectorPdf(*book);
    return values.value(key);
}

// What a control shows: a spin box's value, a combo's current index, the text, the check state, a swatch's
// colour.
QVariant shownValue(const MainWindow &window, const QString &key)
{
    QWidget *control = window.findChild<QWidget *>(kControlOf.value(key));
    if (auto *spin = qobject_cast<QDoubleSpinBox *>(control))
        return spin->value();
    if (auto *spin = qobject_cast<QSpinBox *>(control))
        return spin->value();
    if (auto *combo = qobject_cast<QComboBox *>(control))
        return combo->currentIndex();
    if (auto *edit = qobject_cast<QLineEdit *>(control))
        return edit->text();
    if (auto *button = qobject_cast<QAbstractButton *>(control))
        return button->isChecked();
    return control->palette().color(QPalette::Window);
}

// Drives a control as a user would: "type:TEXT" over a spin box's value or into a line edit, "up"/"down"
// keys, "click", "pick:ITEM".
void drive(const MainWindow &window, const QString &key, const QString &action)
{
    QWidget *control = window.findChild<QWidget *>(kControlOf.value(key));
    if (action.startsWith(QLatin1String("type:"))) {
        if (auto *spin = qobject_cast<QAbstractSpinBox *>(control))
            spin->selectAll();
        QTest::keyClicks(control, action.mid(5));
    } else if (action.startsWith(QLatin1String("pick:"))) {
        auto *combo = qobject_cast<QComboBox *>(control);
        combo->setCurrentIndex(combo->findText(action.mid(5)));
    } else if (action == QLatin1String("click")) {
        QTest::mouseClick(control, Qt::LeftButton, Qt::NoModifier, QPoint(6, control->height() / 2));
    } else {
        QTest::keyClick(control, action == QLatin1String("up") ? Qt::Key_Up : Qt::Key_Down);
    }
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private:
    SettingsStore store;

private slots:
    void initTestCase() { installKaiFontSubstitution(); }
    void init() { store.reset(); }

    void firstRun_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QVariant>("shown");
        QTest::addColumn<QVariant>("engine");
        const bool kaiInstalled = QFontDatabase().families().contains(QStringLiteral("楷体"));
        QTest::newRow("book type Trace") << QStringLiteral("BookType") << QVariant(0) << QVariant(0);
        QTest::newRow("trace type Half") << QStringLiteral("TraceType") << QVariant(1) << QVariant(1);
        QTest::newRow("no blank lines") << QStringLiteral("BlankLines") << QVariant(0) << QVariant(0);
        QTest::newRow("cell size 1.5") << QStringLiteral("CellSize") << QVariant(1.5) << QVariant(1.5);
        QTest::newRow("font size 1.2") << QStringLiteral("FontSize") << QVariant(1.2) << QVariant(141);
        QTest::newRow("opacity 0.6") << QStringLiteral("Opacity") << QVariant(0.6) << QVariant(double(0.6f));
        QTest::newRow("font 楷体, no item unless installed")
            << QStringLiteral("FontName") << QVariant(kaiInstalled ? 0 : -1) << QVariant(QStringLiteral("楷体"));
        QTest::newRow("filter on") << QStringLiteral("CommonChineseOnly") << QVariant(true) << QVariant(true);
        QTest::newRow("red grid") << QStringLiteral("GridColor") << QVariant(QColor(Qt::red))
                                  << QVariant(QColor(Qt::red));
        QTest::newRow("black text") << QStringLiteral("TextColor") << QVariant(QColor(Qt::black))
                                    << QVariant(QColor(Qt::black));
        QTest::newRow("tian grid") << QStringLiteral("Sheet/GridStyle") << QVariant(0) << QVariant(0);
        QTest::newRow("solid traces") << QStringLiteral("Sheet/TraceStyle") << QVariant(0) << QVariant(0);
        QTest::newRow("no title") << QStringLiteral("Sheet/Title") << QVariant(QString()) << QVariant(QString());
        for (const char *key : {"NameFields", "PageNumbers", "Pinyin", "PinyinOnly", "VectorPdf"})
            QTest::newRow(key) << QStringLiteral("Sheet/") + key << QVariant(false) << QVariant(false);
        QTest::newRow("section closed") << QStringLiteral("Sheet/MoreOptionsOpen") << QVariant(false)
                                        << QVariant(false);
    }

    void firstRun()
    {
        QFETCH(QString, key);
        QFETCH(QVariant, shown);
        QFETCH(QVariant, engine);
        MainWindow window;
        if (key != QLatin1String("FontName") || shown.toInt() < 0)
            QCOMPARE(shownValue(window, key), shown);
        QCOMPARE(engineValue(window, key), engine);
        QVERIFY(!store.exists());
    }

    void firstChangeWritesAllKeys()
    {
        MainWindow window;
        drive(window, QStringLiteral("BlankLines"), QStringLiteral("up"));
        QStringList keys = QSettings().allKeys();
        QStringList expected = kControlOf.keys();
        keys.sort();
        expected.sort();
        QCOMPARE(keys, expected);
    }

    // The section sits below the panel's rows, which keep their order, and shows nothing until opened.
    void documentedRowsFirst()
    {
        MainWindow window;
        auto *form = qobject_cast<QFormLayout *>(window.findChild<QWidget *>(QStringLiteral("controlPanel"))->layout());
        const auto widgetAt = [form](int row, QFormLayout::ItemRole role) {
            QLayoutItem *item = form->itemAt(row, role);
            return item ? item->widget() : nullptr;
        };
        QStringList fields;
        for (int row = 0; row < form->rowCount(); ++row) {
            QWidget *field = widgetAt(row, QFormLayout::FieldRole);
            fields << (field ? field : widgetAt(row, QFormLayout::SpanningRole))->objectName();
        }
        const QStringList documented = {QStringLiteral("cmbBookType"), QStringLiteral("editContent"),
            QStringLiteral("spinCellSize"), QStringLiteral("spinFontSize"), QStringLiteral("cmbFontName"),
            QStringLiteral("lblGridColor"), QStringLiteral("lblTextColor"), QStringLiteral("spinOpacity"),
            QStringLiteral("chkCommonChinese"), QStringLiteral("spinBlankLines"), QStringLiteral("cmbTraceType"),
            QStringLiteral("btnSave"), QStringLiteral("btnMoreOptions")};
        QCOMPARE(fields.mid(0, documented.size()), documented);
        QCOMPARE(fields.size(), documented.size() + 8);
        for (int row = documented.size(); row < form->rowCount(); ++row) {
            for (QFormLayout::ItemRole role : {QFormLayout::LabelRole, QFormLayout::FieldRole}) {
                if (QWidget *widget = widgetAt(row, role))
                    QVERIFY2(widget->isHidden(), qPrintable(fields[row]));
            }
        }
    }

    void userChanges_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("action");
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<QVariant>("engine");
        QTest::newRow("cell size typed") << QStringLiteral("CellSize") << QStringLiteral("type:2.3") << QVariant(2.3f)
                                         << QVariant(2.3);
        QTest::newRow("font size typed") << QStringLiteral("FontSize") << QStringLiteral("type:0.7") << QVariant(0.7f)
                                         << QVariant(82);
        QTest::newRow("opacity typed") << QStringLiteral("Opacity") << QStringLiteral("type:0.35") << QVariant(0.35f)
                                       << QVariant(0.35);
        QTest::newRow("book type Copy") << QStringLiteral("BookType") << QStringLiteral("down") << QVariant(1)
                                        << QVariant(1);
        QTest::newRow("trace type All") << QStringLiteral("TraceType") << QStringLiteral("down") << QVariant(2)
                                        << QVariant(2);
        QTest::newRow("one blank line") << QStringLiteral("BlankLines") << QStringLiteral("up") << QVariant(1)
                                        << QVariant(1);
        QTest::newRow("filter off") << QStringLiteral("CommonChineseOnly") << QStringLiteral("click") << QVariant(false)
                                    << QVariant(false);
        QTest::newRow("font chosen") << QStringLiteral("FontName") << QStringLiteral("pick:AR PL UKai CN")
                                     << QVariant(QStringLiteral("AR PL UKai CN"))
                                     << QVariant(QStringLiteral("AR PL UKai CN"));
        QTest::newRow("mi grid") << QStringLiteral("Sheet/GridStyle") << QStringLiteral("pick:Mi grid") << QVariant(1)
                                 << QVariant(1);
        QTest::newRow("hollow traces") << QStringLiteral("Sheet/TraceStyle") << QStringLiteral("down") << QVariant(1)
                                       << QVariant(1);
        QTest::newRow("title typed") << QStringLiteral("Sheet/Title") << QStringLiteral("type:Week 1")
                                     << QVariant(QStringLiteral("Week 1")) << QVariant(QStringLiteral("Week 1"));
        for (const char *key : {"NameFields", "PageNumbers", "Pinyin", "PinyinOnly", "VectorPdf", "MoreOptionsOpen"})
            QTest::newRow(key) << QStringLiteral("Sheet/") + key << QStringLiteral("click") << QVariant(true)
                               << QVariant(true);
    }

    void userChanges()
    {
        QFETCH(QString, key);
        QFETCH(QString, action);
        QFETCH(QVariant, stored);
        QFETCH(QVariant, engine);
        MainWindow window;
        drive(window, key, action);
        QCOMPARE(engineValue(window, key), engine);
        // Same type as well as value: the sizes are stored in single precision.
        QCOMPARE(store.value(key).userType(), stored.userType());
        QCOMPARE(store.value(key), stored);
    }

    void colourSwatches_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QColor>("chosen");
        QTest::newRow("grid colour chosen") << QStringLiteral("GridColor") << QColor(0, 0, 200);
        QTest::newRow("text colour chosen") << QStringLiteral("TextColor") << QColor(0, 90, 0);
        QTest::newRow("grid dialog cancelled") << QStringLiteral("GridColor") << QColor();
        QTest::newRow("text dialog cancelled") << QStringLiteral("TextColor") << QColor();
    }

    void colourSwatches()
    {
        QFETCH(QString, key);
        QFETCH(QColor, chosen);
        MainWindow window;
        QColor offered;
        window.dialogs.pickColor = [&](const QColor &initial) {
            offered = initial;
            return chosen;
        };
        const QVariant before = shownValue(window, key);
        // Any button opens the dialog.
        QTest::mouseClick(window.findChild<QWidget *>(kControlOf.value(key)), Qt::RightButton);
        QCOMPARE(QVariant(offered), before);
        const QVariant expected = chosen.isValid() ? QVariant(chosen) : before;
        QCOMPARE(shownValue(window, key), expected);
        QCOMPARE(engineValue(window, key), expected);
        QCOMPARE(store.exists(), chosen.isValid());
        if (chosen.isValid())
            QCOMPARE(store.value(key).value<QColor>(), chosen);
    }

    // The editor hands its text over when it loses the focus, and only then; the text is never stored.
    void contentReachesTheEngineOnFocusOut()
    {
        MainWindow window;
        window.show();
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
        auto *editor = window.findChild<TextEdit *>();
        auto *book = window.findChild<CopyBookWidget *>();
        editor->setFocus();
        QTRY_VERIFY(editor->hasFocus());
        for (const QString &glyph : {QStringLiteral("永"), QStringLiteral("字")})
            QTest::sendKeyEvent(QTest::Click, editor, Qt::Key_unknown, glyph, Qt::NoModifier);
        QVERIFY(book->contentModel().text.isEmpty());

        QTest::mouseClick(book, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
        QTRY_VERIFY(!editor->hasFocus());
        QCOMPARE(book->contentModel().text, QStringLiteral("永字"));
        QCOMPARE(book->contentModel().cells.size(), 2 * 6);

        editor->setFocus();
        QTRY_VERIFY(editor->hasFocus());
        QTest::keyClicks(editor, QStringLiteral("ab"));
        QTest::keyClick(editor, Qt::Key_Return);
        QCOMPARE(book->contentModel().text, QStringLiteral("永字"));
        window.findChild<QDoubleSpinBox *>(QStringLiteral("spinCellSize"))->setFocus();
        QTRY_COMPARE(book->contentModel().text, QStringLiteral("永字ab\n"));
        QVERIFY(!store.exists());
    }

    void storedValues_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<QVariant>("shown");
        QTest::addColumn<QVariant>("engine");
        const auto row = [](const char *name, const char *key, const QVariant &stored, const QVariant &shown,
                             const QVariant &engine) {
            QTest::newRow(name) << QString::fromLatin1(key) << stored << shown << engine;
        };
        // How odd values load is tst_appsettings' business; these are what the window makes of a loaded value.
        row("cell size too large", "CellSize", QStringLiteral("100"), 10.0, 10.0);
        row("unknown book type: no item, the engine gets it", "BookType", QStringLiteral("9"), -1, 9);
        row("unknown trace type: no item, the engine gets it", "TraceType", QStringLiteral("-2"), -1, -2);
        row("unknown font", "FontName", QStringLiteral("No Such Font"), -1, QStringLiteral("No Such Font"));
        row("a stored single-precision 1.2 reaches the engine as such", "CellSize", 1.2f, 1.2, double(1.2f));
        row("mi grid", "Sheet/GridStyle", QStringLiteral("1"), 1, 1);
        row("hollow traces", "Sheet/TraceStyle", QStringLiteral("1"), 1, 1);
        row("title", "Sheet/Title", QStringLiteral("Week 1"), QStringLiteral("Week 1"), QStringLiteral("Week 1"));
        for (const char *key : {"NameFields", "PageNumbers", "Pinyin", "PinyinOnly", "VectorPdf", "MoreOptionsOpen"})
            row(key, (QByteArray("Sheet/") + key).constData(), true, true, true);
    }

    void storedValues()
    {
        QFETCH(QString, key);
        QFETCH(QVariant, stored);
        QFETCH(QVariant, shown);
        QFETCH(QVariant, engine);
        store.reset({{key, stored}});
        MainWindow window;
        QCOMPARE(shownValue(window, key), shown);
        QCOMPARE(engineValue(window, key), engine);
        const auto *book = window.findChild<CopyBookWidget *>();
        QVERIFY(book->rowsPerPage() >= 2);
        QVERIFY(!book->renderFirstPage().isNull());
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
