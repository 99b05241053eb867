#include "fontfiles.h"
#include "testfiles.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QtTest>

using FontFiles::Problem;

Q_DECLARE_METATYPE(FontFiles::Problem)

namespace {

const QString kUKai = QStringLiteral("/usr/share/fonts/truetype/arphic/ukai.ttc");

bool installed(const QString &family)
{
    return QFontDatabase().families().contains(family);
}

} // namespace

class TestFontFiles : public QObject
{
    Q_OBJECT

private:
    // The program's data folder and the files the tests make.
    QTemporaryDir directory;

    QString path(const QString &name) const { return directory.filePath(name); }
    QStringList addedFiles() const { return QDir(FontFiles::addedFontsFolder()).entryList(QDir::Files); }

private slots:
    void initTestCase()
    {
        QCoreApplication::setOrganizationName(QStringLiteral("Kelvo"));
        QCoreApplication::setApplicationName(QStringLiteral("LattiScribe"));
        qputenv("XDG_DATA_HOME", path(QStringLiteral("data")).toUtf8());
        QVERIFY(FontFiles::addedFontsFolder().startsWith(directory.path()));
    }

    // A file is registered for the run, or refused with the reason before the font system sees it: a cut
    // short download would otherwise be taken, and its glyphs come out blank or as boxes. The file is the
    // first `keep` bytes of `source`, or the text of `source` after "text:".
    void registering_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<int>("keep");
        QTest::addColumn<Problem>("problem");
        QTest::addColumn<QString>("family");
        QTest::newRow("a TrueType font") << latinFontFile() << -1 << Problem::None << "DejaVu Sans";
        QTest::newRow("a collection") << kUKai << -1 << Problem::None << "AR PL UKai CN";
        QTest::newRow("cut short in its tables") << latinFontFile() << 400000 << Problem::Damaged << "";
        QTest::newRow("cut short in its table directory") << latinFontFile() << 40 << Problem::Damaged << "";
        QTest::newRow("a collection cut short") << kUKai << 1000000 << Problem::Damaged << "";
        QTest::newRow("text") << "text:a font is what this is not" << -1 << Problem::NotAFont << "";
        QTest::newRow("empty") << "text:" << -1 << Problem::NotAFont << "";
        QTest::newRow("missing") << "" << -1 << Problem::Unreadable << "";
    }

    void registering()
    {
        QFETCH(QString, source);
        QFETCH(int, keep);
        QFETCH(Problem, problem);
        QFETCH(QString, family);
        const QString file = path(QStringLiteral("font.ttf"));
        QFile::remove(file);
        if (!source.isEmpty())
            QVERIFY(writeFile(file,
                source.startsWith("text:") ? source.mid(5).toUtf8()
                                           : contentsOf(source).left(keep < 0 ? INT_MAX : keep)));
        const FontFiles::FontFile font = FontFiles::registerFontFile(file);
        QCOMPARE(font.problem, problem);
        QCOMPARE(font.families.value(0), family);
        QCOMPARE(font.id >= 0, problem == Problem::None);
        FontFiles::unregisterFontFile(font);
    }

    // Added in the window: copied into the data folder once, registered at every start, removed with its
    // copy. A damaged file changes nothing.
    void addedFonts()
    {
        REQUIRE_UNINSTALLED_FONT(download);
        const QString family = QStringLiteral("AR PL KaitiM GB");
        QVERIFY(!installed(family));
        const FontFiles::FontFile added = FontFiles::addFont(download);
        QCOMPARE(added.problem, Problem::None);
        QVERIFY(added.families.contains(family));
        QVERIFY(installed(family));
        QCOMPARE(addedFiles(), QStringList {QStringLiteral("gkai00mp.ttf")});
        QCOMPARE(FontFiles::addFont(download).path, added.path);
        const QString cut = path(QStringLiteral("cut.ttf"));
        QVERIFY(writeFile(cut, contentsOf(download).left(2000000)));
        QCOMPARE(FontFiles::addFont(cut).problem, Problem::Damaged);
        QCOMPARE(addedFiles(), QStringList {QStringLiteral("gkai00mp.ttf")});

        // The next start finds it in the folder.
        FontFiles::registerAddedFonts();
        QCOMPARE(FontFiles::addedFonts().size(), 1);
        QCOMPARE(FontFiles::addedFonts().first().path, added.path);
        QVERIFY(installed(family));

        QString error;
        QVERIFY(FontFiles::removeAddedFont(FontFiles::addedFonts().first(), &error));
        QVERIFY(FontFiles::addedFonts().isEmpty());
        QVERIFY(addedFiles().isEmpty());
        QVERIFY(!installed(family));
    }
};

QTEST_MAIN(TestFontFiles)
#include "tst_fontfiles.moc"
