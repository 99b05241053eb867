#include "appsettings.h"
#include "settingsstore.h"

#include <QtTest>

// What a hand-edited or damaged store loads as, without a window: every value ends up one the window's
// controls could have produced, and is written back so.
class TestAppSettings : public QObject
{
    Q_OBJECT

private:
    SettingsStore store;

private slots:
    void oddStoredValues_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<QVariant>("loaded");
        const auto row = [](const char *name, const char *key, const QVariant &stored, const QVariant &loaded) {
            QTest::newRow(name) << QString::fromLatin1(key) << stored << loaded;
        };
        row("cell size too large", "CellSize", QStringLiteral("100"), 10.0f);
        row("cell size infinite", "CellSize", QStringLiteral("inf"), 1.5f);
        row("font size zero", "FontSize", QStringLiteral("0"), 0.5f);
        row("opacity seven", "Opacity", QStringLiteral("7"), 1.0f);
        row("blank lines negative", "BlankLines", QStringLiteral("-3"), 0);
        row("unknown book type is kept for the engine", "BookType", QStringLiteral("9"), 9);
        row("trace type text", "TraceType", QStringLiteral("half"), 1);
        row("grid colour unreadable", "GridColor", QStringLiteral("stripes"), QColor(Qt::red));
        row("grid colour by name", "GridColor", QStringLiteral("#123456"), QColor(0x123456));
        row("a transparent text colour loads opaque", "TextColor", QColor(0, 0, 200, 0), QColor(0, 0, 200));

        row("grid style past the list", "Sheet/GridStyle", QStringLiteral("5"), 0);
        row("grid style text", "Sheet/GridStyle", QStringLiteral("mi"), 0);
        row("trace style past the list", "Sheet/TraceStyle", QStringLiteral("2"), 0);
        // What the INI reader makes of a hand-written title with an unquoted comma.
        row("title with a comma", "Sheet/Title", QStringList {QStringLiteral("Week 1"), QStringLiteral("Day 2")},
            QStringLiteral("Week 1, Day 2"));
        row("switch as a digit", "Sheet/PageNumbers", QStringLiteral("1"), true);
        row("switch in capitals", "Sheet/Pinyin", QStringLiteral("TRUE"), true);
        row("switch not a switch stays off", "Sheet/VectorPdf", QStringLiteral("yes"), false);
    }

    void oddStoredValues()
    {
        QFETCH(QString, key);
        QFETCH(QVariant, stored);
        QFETCH(QVariant, loaded);
        store.reset({{key, stored}});
        AppSettings::instance()->saveSettings();
        QCOMPARE(store.value(key).userType(), loaded.userType());
        QCOMPARE(store.value(key), loaded);
    }
};

QTEST_GUILESS_MAIN(TestAppSettings)
#include "tst_appsettings.moc"
