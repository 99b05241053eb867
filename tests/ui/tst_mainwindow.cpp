#include "appsettings.h"
#include "colorlabel.h"
#include "copybookwidget.h"
#include "kaifont.h"
#include "mainwindow.h"
#include "settingsstore.h"
#include "textedit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFontDatabase>
#include <QSpinBox>
#include <QtTest>
#include <cmath>
#include <limits>

namespace {

template<typename T> T *child(QWidget &window, const char *name)
{
    T *widget = window.findChild<T *>(QLatin1String(name));
    if (!widget)
        qFatal("no child %s", name);
    return widget;
}

QColor swatchColor(ColorLabel *label)
{
    return label->palette().color(QPalette::Window);
}

const QStringList kAllKeys = {QStringLiteral("BookType"), QStringLiteral("TraceType"), QStringLiteral("BlankLines"),
    QStringLiteral("CellSize"), QStringLiteral("FontSize"), QStringLiteral("Opacity"), QStringLiteral("FontName"),
    QStringLiteral("CommonChineseOnly"), QStringLiteral("GridColor"), QStringLiteral("TextColor")};

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private:
    SettingsStore store;

private slots:
    void initTestCase() { installKaiFontSubstitution(); }
    void init() { store.reset(); }

    void firstRun()
    {
        MainWindow window;
        QCOMPARE(child<QComboBox>(window, "cmbBookType")->currentData().toInt(), 0);
        QCOMPARE(child<QComboBox>(window, "cmbTraceType")->currentData().toInt(), 1);
        QCOMPARE(child<QDoubleSpinBox>(window, "spinCellSize")->value(), 1.5);
        QCOMPARE(child<QDoubleSpinBox>(window, "spinFontSize")->value(), 1.2);
        QCOMPARE(child<QDoubleSpinBox>(window, "spinOpacity")->value(), 0.6);
        QCOMPARE(child<QSpinBox>(window, "spinBlankLines")->value(), 0);
        QVERIFY(child<QCheckBox>(window, "chkCommonChinese")->isChecked());
        QCOMPARE(swatchColor(child<ColorLabel>(window, "lblGridColor")), QColor(Qt::red));
        QCOMPARE(swatchColor(child<ColorLabel>(window, "lblTextColor")), QColor(Qt::black));
        QCOMPARE(child<QComboBox>(window, "cmbFontName")->currentText(),
            QFontDatabase().families().contains(QStringLiteral("楷体")) ? QStringLiteral("楷体") : QString());
        QVERIFY(child<TextEdit>(window, "editContent")->toPlainText().isEmpty());
        QVERIFY(!store.exists());

        const CopyBookWidget *book = child<CopyBookWidget>(window, "copyBook");
        QCOMPARE(book->contentModel().bookType, 0);
        QCOMPARE(book->contentModel().traceType, 1);
        QCOMPARE(book->cellSizeCm(), 1.5);
        QCOMPARE(book->currentGlyphFont().pixelSize(), 141);
        QCOMPARE(book->currentGlyphFont().family(), QStringLiteral("楷体"));
        QCOMPARE(book->contentModel().opacity, double(0.6f));
        QVERIFY(book->contentModel().commonChineseOnly);
        QCOMPARE(book->currentGridColor(), QColor(Qt::red));

        QTest::keyClick(child<QSpinBox>(window, "spinBlankLines"), Qt::Key_Up);
        QVERIFY(store.exists());
        QStringList keys = QSettings().allKeys();
        keys.sort();
        QStringList expected = kAllKeys;
        expected.sort();
        QCOMPARE(keys, expected);
    }

    void spinBoxes_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<double>("value");
        QTest::newRow("cell size") << QStringLiteral("spinCellSize") << QStringLiteral("CellSize")
                                   << QStringLiteral("2.3") << 2.3;
        QTest::newRow("font size") << QStringLiteral("spinFontSize") << QStringLiteral("FontSize")
                                   << QStringLiteral("0.7") << 0.7;
        QTest::newRow("opacity") << QStringLiteral("spinOpacity") << QStringLiteral("Opacity") << QStringLiteral("0.35")
                                 << 0.35;
    }

    void spinBoxes()
    {
        QFETCH(QString, name);
        QFETCH(QString, key);
        QFETCH(QString, typed);
        QFETCH(double, value);
        MainWindow window;
        auto *spin = window.findChild<QDoubleSpinBox *>(name);
        spin->selectAll();
        QTest::keyClicks(spin, typed);
        QCOMPARE(spin->value(), value);

        const QVariant stored = store.value(key);
        QCOMPARE(stored.userType(), int(QMetaType::Float));
        QCOMPARE(stored.toFloat(), float(value));

        const CopyBookWidget *book = child<CopyBookWidget>(window, "copyBook");
        if (key == QLatin1String("CellSize"))
            QCOMPARE(book->cellSizeCm(), value);
        else if (key == QLatin1String("FontSize"))
            QCOMPARE(book->currentGlyphFont().pixelSize(), int(300 * (value / 2.54)));
        else
            QCOMPARE(book->contentModel().opacity, value);
    }

    void combosAndCheckBox()
    {
        MainWindow window;
        const CopyBookWidget *book = child<CopyBookWidget>(window, "copyBook");

        auto *bookType = child<QComboBox>(window, "cmbBookType");
        QTest::keyClick(bookType, Qt::Key_Down);
        QCOMPARE(book->contentModel().bookType, 1);
        QCOMPARE(store.value(QStringLiteral("BookType")).userType(), int(QMetaType::Int));
        QCOMPARE(store.value(QStringLiteral("BookType")).toInt(), 1);

        auto *traceType = child<QComboBox>(window, "cmbTraceType");
        QTest::keyClick(traceType, Qt::Key_Down);
        QCOMPARE(book->contentModel().traceType, 2);
        QCOMPARE(store.value(QStringLiteral("TraceType")).toInt(), 2);

        auto *blankLines = child<QSpinBox>(window, "spinBlankLines");
        QTest::keyClick(blankLines, Qt::Key_Up);
        QTest::keyClick(blankLines, Qt::Key_Up);
        QCOMPARE(book->contentModel().blankLines, 2);
        QCOMPARE(store.value(QStringLiteral("BlankLines")).toInt(), 2);

        auto *filter = child<QCheckBox>(window, "chkCommonChinese");
        QTest::mouseClick(filter, Qt::LeftButton, Qt::NoModifier, QPoint(6, filter->height() / 2));
        QVERIFY(!book->contentModel().commonChineseOnly);
        QCOMPARE(store.value(QStringLiteral("CommonChineseOnly")).userType(), int(QMetaType::Bool));
        QCOMPARE(store.value(QStringLiteral("CommonChineseOnly")).toBool(), false);

        auto *fontName = child<QComboBox>(window, "cmbFontName");
        fontName->setCurrentIndex(fontName->findText(QStringLiteral("AR PL UKai CN")));
        QCOMPARE(book->currentGlyphFont().family(), QStringLiteral("AR PL UKai CN"));
        QCOMPARE(store.value(QStringLiteral("FontName")).toString(), QStringLiteral("AR PL UKai CN"));
        // Choosing a family keeps the size, and the other way round.
        child<QDoubleSpinBox>(window, "spinFontSize")->setValue(2.0);
        QCOMPARE(book->currentGlyphFont().family(), QStringLiteral("AR PL UKai CN"));
        QCOMPARE(book->currentGlyphFont().pixelSize(), 236);
    }

    void colourSwatches_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QColor>("chosen");
        QTest::newRow("grid colour chosen")
            << QStringLiteral("lblGridColor") << QStringLiteral("GridColor") << QColor(0, 0, 200);
        QTest::newRow("text colour chosen")
            << QStringLiteral("lblTextColor") << QStringLiteral("TextColor") << QColor(0, 90, 0);
        QTest::newRow("grid dialog cancelled")
            << QStringLiteral("lblGridColor") << QStringLiteral("GridColor") << QColor();
        QTest::newRow("text dialog cancelled")
            << QStringLiteral("lblTextColor") << QStringLiteral("TextColor") << QColor();
    }

    void colourSwatches()
    {
        QFETCH(QString, name);
        QFETCH(QString, key);
        QFETCH(QColor, chosen);
        MainWindow window;
        QColor offered;
        window.dialogs.pickColor = [&](const QColor &initial) {
            offered = initial;
            return chosen;
        };
        auto *swatch = window.findChild<ColorLabel *>(name);
        const QColor before = swatchColor(swatch);
        // Any button opens the dialog.
        QTest::mouseClick(swatch, Qt::RightButton);
        QCOMPARE(offered, before);

        const CopyBookWidget *book = child<CopyBookWidget>(window, "copyBook");
        const QColor engine = key == QLatin1String("GridColor") ? book->currentGridColor() : book->currentTextColor();
        if (!chosen.isValid()) {
            QVERIFY(!store.exists());
            QCOMPARE(swatchColor(swatch), before);
            QCOMPARE(engine, before);
            return;
        }
        QCOMPARE(swatchColor(swatch), chosen);
        QCOMPARE(engine, chosen);
        QCOMPARE(store.value(key).value<QColor>(), chosen);
    }

    // The editor hands its text over when it loses the focus, and only then; the text is never stored.
    void contentReachesTheEngineOnFocusOut()
    {
        MainWindow window;
        window.show();
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
        auto *editor = child<TextEdit>(window, "editContent");
        auto *book = child<CopyBookWidget>(window, "copyBook");
        editor->setFocus();
        QTRY_VERIFY(editor->hasFocus());
        for (const QString &glyph : {QStringLiteral("永"), QStringLiteral("字")})
            QTest::sendKeyEvent(QTest::Click, editor, Qt::Key_unknown, glyph, Qt::NoModifier);
        QCOMPARE(editor->toPlainText(), QStringLiteral("永字"));
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
        child<QDoubleSpinBox>(window, "spinCellSize")->setFocus();
        QTRY_COMPARE(book->contentModel().text, QStringLiteral("永字ab\n"));
        QVERIFY(!store.exists());
    }

    void oddStoredValues_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QVariant>("shown");
        QTest::addColumn<QVariant>("engine");
        const auto s = [](const char *text) { return QVariant(QString::fromUtf8(text)); };
        QTest::newRow("cell size too large") << QStringLiteral("CellSize") << s("100") << QStringLiteral("spinCellSize")
                                             << QVariant(10.0) << QVariant(10.0);
        QTest::newRow("cell size not a number") << QStringLiteral("CellSize") << s("nan")
                                                << QStringLiteral("spinCellSize") << QVariant(1.5) << QVariant(1.5);
        QTest::newRow("cell size text") << QStringLiteral("CellSize") << s("big") << QStringLiteral("spinCellSize")
                                        << QVariant(1.5) << QVariant(1.5);
        QTest::newRow("cell size infinite") << QStringLiteral("CellSize") << s("inf") << QStringLiteral("spinCellSize")
                                            << QVariant(1.5) << QVariant(1.5);
        QTest::newRow("font size zero") << QStringLiteral("FontSize") << s("0") << QStringLiteral("spinFontSize")
                                        << QVariant(0.5) << QVariant(59);
        QTest::newRow("opacity seven") << QStringLiteral("Opacity") << s("7") << QStringLiteral("spinOpacity")
                                       << QVariant(1.0) << QVariant(1.0);
        QTest::newRow("blank lines negative") << QStringLiteral("BlankLines") << s("-3")
                                              << QStringLiteral("spinBlankLines") << QVariant(0) << QVariant(0);
        QTest::newRow("blank lines too many") << QStringLiteral("BlankLines") << s("99")
                                              << QStringLiteral("spinBlankLines") << QVariant(5) << QVariant(5);
        QTest::newRow("blank lines text") << QStringLiteral("BlankLines") << s("two")
                                          << QStringLiteral("spinBlankLines") << QVariant(0) << QVariant(0);
        QTest::newRow("unknown book type")
            << QStringLiteral("BookType") << s("9") << QStringLiteral("cmbBookType") << QVariant(-1) << QVariant(9);
        QTest::newRow("unknown trace type")
            << QStringLiteral("TraceType") << s("-2") << QStringLiteral("cmbTraceType") << QVariant(-1) << QVariant(-2);
        QTest::newRow("trace type text") << QStringLiteral("TraceType") << s("half") << QStringLiteral("cmbTraceType")
                                         << QVariant(1) << QVariant(1);
        QTest::newRow("unknown font") << QStringLiteral("FontName") << s("No Such Font")
                                      << QStringLiteral("cmbFontName") << QVariant(-1)
                                      << QVariant(QStringLiteral("No Such Font"));
        QTest::newRow("grid colour unreadable")
            << QStringLiteral("GridColor") << s("stripes") << QStringLiteral("lblGridColor")
            << QVariant(QColor(Qt::red)) << QVariant(QColor(Qt::red));
        QTest::newRow("grid colour by name")
            << QStringLiteral("GridColor") << s("#123456") << QStringLiteral("lblGridColor")
            << QVariant(QColor(0x123456)) << QVariant(QColor(0x123456));
        QTest::newRow("a stored single-precision 1.2 reaches the engine as such")
            << QStringLiteral("CellSize") << QVariant(1.2f) << QStringLiteral("spinCellSize") << QVariant(1.2)
            << QVariant(double(1.2f));
    }

    void oddStoredValues()
    {
        QFETCH(QString, key);
        QFETCH(QVariant, stored);
        QFETCH(QString, control);
        QFETCH(QVariant, shown);
        QFETCH(QVariant, engine);
        store.reset({{key, stored}});
        MainWindow window;
        const CopyBookWidget *book = child<CopyBookWidget>(window, "copyBook");
        QWidget *widget = window.findChild<QWidget *>(control);
        QVariant controlValue;
        QVariant engineValue;
        if (auto *spin = qobject_cast<QDoubleSpinBox *>(widget))
            controlValue = spin->value();
        else if (auto *spin = qobject_cast<QSpinBox *>(widget))
            controlValue = spin->value();
        else if (auto *combo = qobject_cast<QComboBox *>(widget))
            controlValue = combo->currentIndex() < 0 ? -1 : combo->currentIndex();
        else if (auto *swatch = qobject_cast<ColorLabel *>(widget))
            controlValue = swatchColor(swatch);

        if (key == QLatin1String("CellSize"))
            engineValue = book->cellSizeCm();
        else if (key == QLatin1String("FontSize"))
            engineValue = book->currentGlyphFont().pixelSize();
        else if (key == QLatin1String("Opacity"))
            engineValue = book->contentModel().opacity;
        else if (key == QLatin1String("BlankLines"))
            engineValue = book->contentModel().blankLines;
        else if (key == QLatin1String("BookType"))
            engineValue = book->contentModel().bookType;
        else if (key == QLatin1String("TraceType"))
            engineValue = book->contentModel().traceType;
        else if (key == QLatin1String("FontName"))
            engineValue = book->currentGlyphFont().family();
        else if (key == QLatin1String("GridColor"))
            engineValue = book->currentGridColor();

        QCOMPARE(controlValue, shown);
        QCOMPARE(engineValue, engine);
        // A copybook can still be laid out and drawn.
        QVERIFY(book->rowsPerPage() >= 2);
        QVERIFY(!book->renderFirstPage().isNull());
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
