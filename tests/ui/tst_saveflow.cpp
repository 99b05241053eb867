#include "copybookwidget.h"
#include "fonts.h"
#include "mainwindow.h"
#include "settingsstore.h"
#include "startup.h"
#include "testfiles.h"

#include <QMenu>
#include <QProgressDialog>
#include <QPushButton>
#include <QTranslator>
#include <QtTest>

namespace {

// Records what the window asked and answers as the test says.
struct Answers
{
    QString fileName;
    bool openIt = false;

    int fileDialogs = 0;
    QStringList informed;
    QStringList informTitles;
    QStringList questions;
    QStringList opened;

    void install(MainWindow &window)
    {
        window.dialogs.askSaveFileName = [this](QWidget *, const QString &caption, const QString &filter) {
            ++fileDialogs;
            [&] {
                QCOMPARE(caption, QStringLiteral("Save File"));
                QCOMPARE(filter, QStringLiteral("PDF files (*.pdf)"));
            }();
            return fileName;
        };
        window.dialogs.inform = [this](QWidget *, const QString &title, const QString &text) {
            informTitles << title;
            informed << text;
        };
        window.dialogs.askYesNo = [this](QWidget *, const QString &text) {
            questions << text;
            return openIt;
        };
        window.dialogs.openFile = [this](const QString &file) { opened << file; };
    }
};

void clickSave(MainWindow &window)
{
    QTest::mouseClick(window.findChild<QPushButton *>(QStringLiteral("btnSave")), Qt::LeftButton);
}

const QString kFailure = QStringLiteral("Failed to save to PDF file.");
const QString kQuestion = QStringLiteral("The PDF file was saved successfully, do you need to open the file?");

} // namespace

class TestSaveFlow : public QObject
{
    Q_OBJECT

private:
    SettingsStore store;
    QTemporaryDir directory;

    QString path(const QString &name) const { return directory.filePath(name); }
    QStringList files() const { return QDir(directory.path()).entryList(QDir::Files | QDir::Hidden); }

private slots:
    void initTestCase()
    {
        installKaiFontSubstitution();
        store.reset();
    }

    void cleanup()
    {
        for (const QString &file : files())
            QFile::remove(path(file));
    }

    void cancelledFileDialog()
    {
        MainWindow window;
        Answers answers;
        answers.install(window);
        clickSave(window);
        QCOMPARE(answers.fileDialogs, 1);
        QVERIFY(answers.informed.isEmpty());
        QVERIFY(answers.questions.isEmpty());
        QVERIFY(files().isEmpty());
    }

    void outcome_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("diskFull");
        QTest::addColumn<bool>("openIt");
        QTest::newRow("saved, not opened") << QStringLiteral("book.pdf") << false << false;
        QTest::newRow("saved and opened") << QStringLiteral("book.pdf") << false << true;
        QTest::newRow("missing directory") << QStringLiteral("missing/book.pdf") << false << true;
        QTest::newRow("disk full over an old file") << QStringLiteral("old.pdf") << true << true;
    }

    void outcome()
    {
        QFETCH(QString, target);
        QFETCH(bool, diskFull);
        QFETCH(bool, openIt);
        QVERIFY(writeFile(path(QStringLiteral("old.pdf")), "old contents"));
        MainWindow window;
        Answers answers;
        answers.fileName = path(target);
        answers.openIt = openIt;
        answers.install(window);
        window.findChild<CopyBookWidget *>()->setContent(QStringLiteral("永字八法"));
        {
            const FileSizeLimit limit(diskFull ? 50 * 1024 : RLIM_INFINITY);
            clickSave(window);
        }
        const bool fails = diskFull || target.contains(QLatin1Char('/'));
        QCOMPARE(contentsOf(path(QStringLiteral("old.pdf"))), QByteArray("old contents"));
        if (fails) {
            QCOMPARE(answers.informed, QStringList {kFailure});
            QCOMPARE(answers.informTitles, QStringList {QString()});
            QVERIFY(answers.questions.isEmpty());
            QVERIFY(answers.opened.isEmpty());
            QCOMPARE(files(), QStringList {QStringLiteral("old.pdf")});
            return;
        }
        QVERIFY(answers.informed.isEmpty());
        QCOMPARE(answers.questions, QStringList {kQuestion});
        QVERIFY(contentsOf(answers.fileName).startsWith("%PDF"));
        QCOMPARE(answers.opened, openIt ? QStringList {answers.fileName} : QStringList());
    }

    // A long export shows a dialog that can cancel it: no file, the old one untouched, no failure box.
    void cancelLongExport()
    {
        const QString target = path(QStringLiteral("long.pdf"));
        QVERIFY(writeFile(target, "old contents"));
        MainWindow window;
        Answers answers;
        answers.fileName = target;
        answers.install(window);
        QString text;
        for (int i = 0; i < 20 * 15; ++i)
            text += QChar(0x4E00 + i);
        window.findChild<CopyBookWidget *>()->setContent(text);

        QStringList labels;
        QTimer watcher;
        watcher.setInterval(20);
        connect(&watcher, &QTimer::timeout, this, [&] {
            auto *progress = window.findChild<QProgressDialog *>();
            if (!progress || !progress->isVisible())
                return;
            if (!labels.contains(progress->labelText()))
                labels << progress->labelText();
            if (progress->value() >= 3)
                progress->cancel();
        });
        watcher.start();
        clickSave(window);
        watcher.stop();

        QVERIFY(answers.informed.isEmpty());
        QVERIFY(answers.questions.isEmpty());
        QCOMPARE(contentsOf(target), QByteArray("old contents"));
        QCOMPARE(files(), QStringList {QStringLiteral("long.pdf")});
        QVERIFY2(labels.contains(QStringLiteral("page 2 of 20")) || labels.contains(QStringLiteral("page 3 of 20")),
            qPrintable(labels.join(QLatin1Char(','))));
    }

    void aboutText_data()
    {
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("time");
        QTest::addColumn<QString>("expected");
        QTest::newRow("one-digit day") << QStringLiteral("Aug  9 2022") << QStringLiteral("19:09:54")
                                       << QStringLiteral("Lattiscribe 0.1.0\nBuild on Aug  9 2022 19:09:54\n");
        QTest::newRow("a per cent sign is not substituted again")
            << QStringLiteral("Dec 16 2026 %3") << QStringLiteral("%1")
            << QStringLiteral("Lattiscribe 0.1.0\nBuild on Dec 16 2026 %3 %1\n");
    }

    void aboutText()
    {
        QFETCH(QString, date);
        QFETCH(QString, time);
        QFETCH(QString, expected);
        const QString text = MainWindow::aboutText(date, time);
        QVERIFY2(text.startsWith(expected), qPrintable(text));
        QCOMPARE(text.count(QLatin1Char('\n')), 2);
        QVERIFY(text.section(QLatin1Char('\n'), 2).contains(QLatin1String("Kelvo")));
    }

    void aboutTextInChinese()
    {
        QTranslator translator;
        installBuiltInTranslation(&translator);
        const QString text = MainWindow::aboutText(QStringLiteral("Aug  9 2022"), QStringLiteral("19:09:54"));
        QCoreApplication::removeTranslator(&translator);
        QCOMPARE(text,
            QStringLiteral("格书字帖 0.1.0\n编译时间 Aug  9 2022 19:09:54\n版权所有 © 2026 Kelvo。保留所有权利。"));
    }

    void aboutFromKeyAndContextMenu_data()
    {
        QTest::addColumn<QString>("way");
        QTest::newRow("F1") << QStringLiteral("key");
        QTest::newRow("right click on the preview") << QStringLiteral("copyBook");
        QTest::newRow("right click on the panel") << QStringLiteral("controlPanel");
    }

    void aboutFromKeyAndContextMenu()
    {
        QFETCH(QString, way);
        MainWindow window;
        Answers answers;
        answers.install(window);
        window.show();
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
        if (way == QLatin1String("key")) {
            QTest::keyClick(&window, Qt::Key_F1);
        } else {
            QWidget *area = window.findChild<QWidget *>(way);
            QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), area->mapToGlobal(QPoint(5, 5)));
            QApplication::sendEvent(area, &event);
            QMenu *menu = nullptr;
            QTRY_VERIFY((menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) != nullptr);
            QCOMPARE(menu->actions().size(), 1);
            QCOMPARE(menu->actions().first()->text(), QStringLiteral("About"));
            menu->actions().first()->trigger();
            menu->close();
        }
        QCOMPARE(answers.informTitles, QStringList {QStringLiteral("About")});
        QVERIFY(answers.informed.first().startsWith(QLatin1String("Lattiscribe 0.1.0\nBuild on ")));
    }
};

QTEST_MAIN(TestSaveFlow)
#include "tst_saveflow.moc"
