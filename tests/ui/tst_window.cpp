#include "appinfo.h"
#include "appsettings.h"
#include "awayfromdefaults.h"
#include "copybookwidget.h"
#include "fontfiles.h"
#include "fonts.h"
#include "mainwindow.h"
#include "optionsheld.h"
#include "renderrun.h"
#include "startup.h"
#include "testfiles.h"
#include "worksheet.h"

#include <QtTest>
#include <QtWidgets>

namespace {

// The window's own switch beside the options, and the control that sets it.
const QString kSectionOpen = QStringLiteral("Sheet/MoreOptionsOpen");

// The control that sets the option stored under `key`, as the option table names it.
QWidget *controlOf(const MainWindow &window, const QString &key)
{
    if (key == kSectionOpen)
        return window.findChild<QWidget *>(QStringLiteral("btnMoreOptions"));
    return window.findChild<QWidget *>(QLatin1String(CopyBookOptions::findOption(key)->controlName));
}

QVariant engineValue(const MainWindow &window, const QString &key)
{
    if (key == kSectionOpen)
        return !window.findChild<QWidget *>(QStringLiteral("moreOptions"))->isHidden();
    return optionHeld(window.findChild<CopyBookWidget *>()->copyBook(), key);
}

// What a control shows: a swatch's colour, a spin box's value, a combo's current index, the check, the text.
QVariant shownValue(const MainWindow &window, const QString &key)
{
    QWidget *control = controlOf(window, key);
    if (key.endsWith(QLatin1String("Color")))
        return control->palette().color(QPalette::Window);
    for (const char *property : {"value", "currentIndex", "checked", "text"}) {
        if (control->metaObject()->indexOfProperty(property) >= 0)
            return control->property(property);
    }
    return {};
}

// Drives a control as a user would: "type:TEXT" (over a spin box's value), "up"/"down", "click", "pick:ITEM",
// "swatch:COLOUR" (a right click on a colour swatch, the dialog answered with the colour or cancelled).
void drive(const MainWindow &window, const QString &key, const QString &action)
{
    QWidget *control = controlOf(window, key);
    if (action.startsWith(QLatin1String("type:"))) {
        if (auto *spin = qobject_cast<QAbstractSpinBox *>(control))
            spin->selectAll();
        QTest::keyClicks(control, action.mid(5));
    } else if (action.startsWith(QLatin1String("pick:"))) {
        auto *combo = qobject_cast<QComboBox *>(control);
        combo->setCurrentIndex(combo->findText(action.mid(5)));
    } else if (action.startsWith(QLatin1String("swatch:"))) {
        QTest::mouseClick(control, Qt::RightButton);
    } else if (action == QLatin1String("click")) {
        QTest::mouseClick(control, Qt::LeftButton, Qt::NoModifier, QPoint(6, control->height() / 2));
    } else {
        QTest::keyClick(control, action == QLatin1String("up") ? Qt::Key_Up : Qt::Key_Down);
    }
}

// Answers the window's dialogs as the test says, and records what was asked.
struct Answers
{
    QString fileName;
    QString openName;
    UserDialogs::Changes changes = UserDialogs::Changes::Cancel;
    bool openIt = false;
    QColor colour;
    QString listed;
    QStringList asked;
    QStringList opened;

    // Notes what was asked, its parts joined by "|", and gives the answer.
    template<typename Answer> Answer note(const QStringList &parts, Answer answer)
    {
        asked << parts.join(QLatin1Char('|'));
        return answer;
    }

    explicit Answers(MainWindow &window)
    {
        using Text = const QString &;
        UserDialogs &dialogs = window.dialogs;
        dialogs.askSaveFileName = [this](QWidget *, Text caption, Text filter) {
            return note({caption, filter}, fileName);
        };
        dialogs.inform = [this](QWidget *, Text title, Text text) { note({title, text}, 0); };
        dialogs.reportFailure = [this](QWidget *, Text text, Text reason) { note({text, reason}, 0); };
        dialogs.askYesNo = [this](QWidget *, Text text) { return note({text}, openIt); };
        dialogs.askOpenFileName = [this](QWidget *, Text caption, Text filter) {
            return note({caption, filter}, openName);
        };
        dialogs.askSaveChanges = [this](QWidget *, Text text) { return note({text}, changes); };
        dialogs.openFile = [this](Text file) { opened << file; };
        dialogs.previewPrint = [this](QWidget *, QPrinter *, const std::function<void(QPrinter *)> &) {
            note({QStringLiteral("print preview")}, 0);
        };
        dialogs.pickColor = [this](const QColor &initial) { return note({initial.name()}, colour); };
        dialogs.pickListedCharacters = [this](QWidget *) { return note({QStringLiteral("character list")}, listed); };
    }
};

// A PDF's bytes but for the time it was written and the identifier made from it.
QByteArray undated(const QByteArray &pdf)
{
    return QString::fromLatin1(pdf)
        .remove(QRegularExpression(R"(/CreationDate *\(D:[^)]*\)|/ID *\[<\w*> *<\w*>\])"))
        .toLatin1();
}

} // namespace

class TestWindow : public QObject
{
    Q_OBJECT

private:
    // The settings store and the files a test writes, both in a temporary place.
    QTemporaryDir directory;

    QString path(const QString &name) const { return directory.filePath(name); }
    QStringList files() const { return QDir(directory.path()).entryList(QDir::Files | QDir::Hidden); }

    // Empties the store, stores the given value and gives the process-wide record a fresh first load, as
    // at a program start. A byte array is written into the file as it stands, as a hand or a damaged disk
    // would leave it.
    static void resetStore(const QString &key = {}, const QVariant &stored = {})
    {
        QSettings settings;
        settings.clear();
        const bool raw = stored.userType() == QMetaType::QByteArray;
        if (stored.isValid() && !raw)
            settings.setValue(key, stored);
        settings.sync();
        if (raw)
            QVERIFY(writeFile(settings.fileName(), "[General]\n" + key.toUtf8() + '=' + stored.toByteArray() + '\n'));
        // Read again: the store caches the file and takes in a change from outside only when synced.
        settings.sync();
        *AppSettings::instance() = AppSettings();
        AppSettings::instance()->loadSettings();
    }

private slots:
    void initTestCase()
    {
        QCoreApplication::setOrganizationName(QStringLiteral("Kelvo"));
        QCoreApplication::setApplicationName(QStringLiteral("LattiScribe"));
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, directory.path());
        // The fonts a user adds go into the program's data folder.
        qputenv("XDG_DATA_HOME", path(QStringLiteral("data")).toUtf8());
        installKaiFontSubstitution();
        installInterfaceFontSubstitution();
    }

    void init()
    {
        resetStore();
        for (const QString &file : files())
            QFile::remove(path(file));
    }

    // First of the tests, so that the settings record is made here as at a program start. With a value
    // stored beforehand (or none, a first run) and a user's action on the control (or none): what the control
    // shows (where given), what the engine holds and what the store holds then. Nothing is written until
    // the user changes something; the first change writes every key, each with its type (sizes in single
    // precision). Stored values the controls cannot show reach the engine as stored.
    void settings_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QVariant>("before");
        QTest::addColumn<QString>("action");
        QTest::addColumn<QVariant>("shown");
        QTest::addColumn<QVariant>("engine");
        QTest::addColumn<QVariant>("after");
        const auto row = [](const char *name, const char *key, const QVariant &before, const char *action,
                             const QVariant &shown, const QVariant &engine, const QVariant &after) {
            QTest::newRow(name) << QString(key) << before << QString(action) << shown << engine << after;
        };
        const QVariant none;
        row("first run: font size 1.2", "FontSize", none, "", 1.2, 141, none);
        row("first run: opacity 0.6", "Opacity", none, "", 0.6, double(0.6f), none);
        row("first run: section closed", "Sheet/MoreOptionsOpen", none, "", false, false, none);
        row("stored unknown book type", "BookType", 9, "", -1, 9, 9);
        row("stored unknown font", "FontName", "No Such Font", "", -1, "No Such Font", "No Such Font");
        row("stored nine grid", "Sheet/GridStyle", 4, "", 4, 4, 4);
        row("CellSize", "CellSize", none, "type:2.3", 2.3, 2.3, 2.3f);
        row("FontSize", "FontSize", none, "type:0.7", 0.7, 82, 0.7f);
        row("Opacity", "Opacity", none, "type:0.35", 0.35, 0.35, 0.35f);
        row("BookType", "BookType", none, "down", 1, 1, 1);
        row("TraceType", "TraceType", none, "down", 2, 2, 2);
        row("BlankLines", "BlankLines", none, "up", 1, 1, 1);
        row("CommonChineseOnly", "CommonChineseOnly", none, "click", false, false, false);
        row("FontName", "FontName", none, "pick:AR PL UKai CN", none, "AR PL UKai CN", "AR PL UKai CN");
        row("Sheet/GridStyle", "Sheet/GridStyle", none, "pick:Mi grid", 1, 1, 1);
        row("Sheet/TraceStyle", "Sheet/TraceStyle", none, "down", 1, 1, 1);
        row("Sheet/Paper", "Sheet/Paper", none, "down", 1, 1, 1);
        row("Sheet/Title", "Sheet/Title", none, "type:Week 1", "Week 1", "Week 1", "Week 1");
        const QColor blue(0, 0, 200);
        row("grid colour chosen", "GridColor", none, "swatch:#0000c8", blue, blue, blue);
        row("text colour dialog cancelled", "TextColor", none, "swatch:", QColor(Qt::black), QColor(Qt::black), none);
        // Every switch of More Options, and the section's own.
        for (const CopyBookOptions::OptionRow &option : CopyBookOptions::optionTable()) {
            if (option.kindAs<CopyBookOptions::Switch>() && option.section != CopyBookOptions::Section::MainPanel)
                row(option.key, option.key, none, "click", true, true, true);
        }
        row("Sheet/MoreOptionsOpen", "Sheet/MoreOptionsOpen", none, "click", true, true, true);
    }

    void settings()
    {
        QFETCH(QString, key);
        QFETCH(QVariant, before);
        QFETCH(QString, action);
        QFETCH(QVariant, shown);
        QFETCH(QVariant, engine);
        QFETCH(QVariant, after);
        resetStore(key, before);
        MainWindow window;
        Answers answers(window);
        answers.colour = QColor(action.mid(7));
        const QVariant was = shownValue(window, key);
        if (!action.isEmpty())
            drive(window, key, action);
        // A swatch opens the colour dialog with its colour.
        QCOMPARE(
            answers.asked, action.startsWith("swatch:") ? QStringList {was.value<QColor>().name()} : QStringList());
        if (shown.isValid())
            QCOMPARE(shownValue(window, key), shown);
        QCOMPARE(engineValue(window, key), engine);
        QCOMPARE(QSettings().value(key).userType(), after.userType());
        QCOMPARE(QSettings().value(key), after);
        const bool changed = !action.isEmpty() && after.isValid();
        // Every option and the section's switch.
        QCOMPARE(
            QSettings().allKeys().size(), changed ? CopyBookOptions::optionTable().size() + 1 : int(before.isValid()));
    }

    // What a hand-edited or damaged store loads as, without a window: every value ends up one the window's
    // controls could have produced, and is written back so.
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
        row("cell size beyond a double", "CellSize", QStringLiteral("1e400"), 10.0f);
        row("blank lines beyond an int", "BlankLines", QStringLiteral("4294967297"), 5);
        row("font size zero", "FontSize", QStringLiteral("0"), 0.5f);
        row("opacity seven", "Opacity", QStringLiteral("7"), 1.0f);
        row("blank lines negative", "BlankLines", QStringLiteral("-3"), 0);
        row("trace type text", "TraceType", QStringLiteral("half"), 1);
        row("grid colour unreadable", "GridColor", QStringLiteral("stripes"), QColor(Qt::red));
        row("grid colour by name", "GridColor", QStringLiteral("#123456"), QColor(0x123456));
        row("a transparent text colour loads opaque", "TextColor", QColor(0, 0, 200, 0), QColor(0, 0, 200));
        // A truncated colour whose spec byte is none of QColor's.
        row("grid colour damaged", "GridColor", QByteArray("@Variant(\\0\\0\\0\\x43\\x31)"), QColor(Qt::red));
        // An extended colour whose truncated body reads as a component that is not a number.
        row("grid colour with a NaN component", "GridColor", QByteArray("@Variant(\\0\\0\\0\\x43\\005ff\\377)"),
            QColor(Qt::red));
        row("switch left empty takes its default", "CommonChineseOnly", QByteArray(""), true);
        row("switch as text", "CommonChineseOnly", QStringLiteral("False"), false);

        row("grid style past the list", "Sheet/GridStyle", QStringLiteral("5"), 0);
        row("trace style past the list", "Sheet/TraceStyle", QStringLiteral("2"), 0);
        // What the INI reader makes of a hand-written title with an unquoted comma.
        row("title with a comma", "Sheet/Title", QStringList {QStringLiteral("Week 1"), QStringLiteral("Day 2")},
            QStringLiteral("Week 1, Day 2"));
        row("switch as a digit", "Sheet/PageNumbers", QStringLiteral("1"), true);
        row("switch not a switch stays off", "Sheet/VectorPdf", QStringLiteral("yes"), false);
    }

    void oddStoredValues()
    {
        QFETCH(QString, key);
        QFETCH(QVariant, stored);
        QFETCH(QVariant, loaded);
        resetStore(key, stored);
        AppSettings::instance()->saveSettings();
        QCOMPARE(QSettings().value(key).userType(), loaded.userType());
        QCOMPARE(QSettings().value(key), loaded);
    }

    // A store Qt could not read without harm (a serialized value of a type no control writes, however it is
    // escaped or quoted, under any key) does not stop the window: the file is kept aside as it was, the
    // window starts from the defaults and says so once, and the next change writes a fresh store. The
    // store as the program writes it, colours and all, is sound.
    void damagedStore_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("damaged");
        const QByteArray polygon = "@Variant(\\0\\0\\0GdC=)";
        QTest::newRow("a polygon of 1.7e9 points under a key of no one's") << "[General]\nx=" + polygon + '\n' << true;
        QTest::newRow("in the sheet's section") << "[Sheet]\nTitle=" + polygon + '\n' << true;
        QTest::newRow("its @ escaped") << QByteArray("[General]\nx=\\x40Variant(\\0\\0\\0GdC=)\n") << true;
        QTest::newRow("quoted, spaces after") << "[General]\nx=\"" + polygon + "\"  \n" << true;
        QTest::newRow("in a list") << "[General]\nx=a, " + polygon + '\n' << true;
        QTest::newRow("a date") << QByteArray("[General]\nx=@DateTime(\\0\\0\\0\\x10)\n") << true;
        QTest::newRow("a comment") << "[General]\n;x=" + polygon + '\n' << false;
        QTest::newRow("as the program writes it") << QByteArray() << false;
    }

    void damagedStore()
    {
        QFETCH(QByteArray, text);
        QFETCH(bool, damaged);
        const QFileInfo store(QSettings().fileName());
        QVERIFY(QDir().mkpath(store.path()));
        if (text.isEmpty()) {
            AppSettings::instance()->saveSettings();
            text = contentsOf(store.filePath());
            QVERIFY(text.contains("GridColor=@Variant("));
        }
        QVERIFY(writeFile(store.filePath(), text));
        *AppSettings::instance() = AppSettings();
        AppSettings::instance()->loadSettings();
        MainWindow window;
        Answers answers(window);
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        const QStringList kept = store.dir().entryList({store.fileName() + QStringLiteral(".damaged-*")});
        QCOMPARE(kept.size(), int(damaged));
        if (!damaged) {
            QCOMPARE(answers.asked, QStringList());
            return;
        }
        const QString aside = store.dir().filePath(kept.first());
        QCOMPARE(contentsOf(aside), text);
        QVERIFY(!store.exists());
        QCOMPARE(answers.asked,
            QStringList {"Lattiscribe|The settings file was damaged. It was kept as " + aside
                + ", and the settings start from their defaults."});
        for (const CopyBookOptions::OptionRow &option : CopyBookOptions::optionTable())
            QCOMPARE(engineValue(window, option.key), optionHeld(CopyBook(), option.key));
        drive(window, "Sheet/PageNumbers", "click");
        QVERIFY(QFileInfo::exists(store.filePath()));
        QVERIFY(QFile::remove(aside));
    }

    // In a shown window: the editor hands its whole text over when it loses the focus, and only then, and
    // it is never stored; the page keys then turn the preview's page; without a system menu, About is on F1 and on the
    // preview's right-click menu.
    void shownWindow()
    {
        MainWindow window;
        Answers answers(window);
        window.show();
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
        auto *editor = window.findChild<QTextEdit *>();
        auto *book = window.findChild<CopyBookWidget *>();
        editor->setFocus();
        QTRY_VERIFY(editor->hasFocus());
        QTest::sendKeyEvent(QTest::Click, editor, Qt::Key_unknown, QStringLiteral("永"), Qt::NoModifier);
        QTest::keyClick(editor, Qt::Key_Return);
        QTest::keyClicks(editor, QStringLiteral("ab"));
        QVERIFY(book->copyBook().text().isEmpty());
        QTest::mouseClick(book, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
        QTRY_COMPARE(book->copyBook().text(), QStringLiteral("永\nab"));
        QVERIFY(QSettings().allKeys().isEmpty());
        // The click gave the preview the focus, and with it the page keys.
        book->setContent(ideographs(40));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown);
        QCOMPARE(book->shownPage(), 1);

        QTest::keyClick(&window, Qt::Key_F1);
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), book->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(book, &event);
        QMenu *menu = nullptr;
        QTRY_VERIFY((menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) != nullptr);
        // The worksheet's Open, Save and Save As, characters from the list, Print and About; each does what it
        // says. Characters added go to the engine at once, and those the main panel's filter leaves out are
        // told.
        answers.listed = QStringLiteral("了\u200B㧐");
        for (QAction *action : menu->actions())
            action->trigger();
        menu->close();
        QCOMPARE(book->copyBook().text(), QStringLiteral("永\nab\u200B了\u200B㧐"));
        const QString about = "About|" + MainWindow::aboutText(AppInfo::buildDate(), AppInfo::buildTime());
        const QString save = "Save Worksheet|Worksheets (*.lattiscribe)";
        QCOMPARE(answers.asked,
            QStringList(
                {about, "Open Worksheet|Worksheets and texts (*.lattiscribe *.txt)", save, save, "character list",
                    "Lattiscribe|1 of the characters added lie outside the common Chinese characters: they show once "
                    "\"Common Chinese\" is off.",
                    "print preview", about}));
    }

    // Saving: the file dialog, then the question whether to open the saved file or the failure box. A long
    // export shows its progress and can be cancelled: then the old file stays as it was and no box shows.
    void saveFlow_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("openIt");
        QTest::addColumn<int>("cancelAfter");
        // What the window asks and says, one line each.
        QTest::addColumn<QString>("asked");
        const QString dialog
            = QStringLiteral("Save File|PDF files (*.pdf);;PNG pictures (*.png);;SVG drawings (*.svg)");
        QTest::newRow("dialog cancelled") << QString() << false << 0 << dialog;
        QTest::newRow("saved and opened")
            << "book.pdf" << true << 0
            << dialog + "\nThe PDF file was saved successfully, do you need to open the file?";
        // The engine's reason below the message.
        QTest::newRow("missing directory")
            << "missing/book.pdf" << true << 0 << dialog + "\nFailed to save to PDF file.|No such file or directory";
        QTest::newRow("export cancelled after page 3") << "book.pdf" << true << 3 << dialog;
        QTest::newRow("a picture, opened")
            << "book.png" << true << 0
            << dialog + "\nThe pictures were saved successfully, do you need to open book.png?";
        // Over a thousand pages: asked first, and "No" leaves it there.
        QTest::newRow("a book of 1001 pages not saved")
            << "book.pdf" << false << -1
            << "This copybook has 1001 pages; saving them all takes a while. Save it anyway?";
    }

    void saveFlow()
    {
        QFETCH(QString, target);
        QFETCH(bool, openIt);
        QFETCH(int, cancelAfter);
        QFETCH(QString, asked);
        QVERIFY(writeFile(path(QStringLiteral("book.pdf")), "old contents"));
        MainWindow window;
        Answers answers(window);
        answers.fileName = target.isEmpty() ? QString() : path(target);
        answers.openIt = openIt;
        window.findChild<CopyBookWidget *>()->setContent(ideographs(cancelAfter > 0 ? 20 * 15
                : cancelAfter < 0                                                   ? 1001 * 15
                                                                                    : 4));
        QStringList labels;
        // The progress dialog exists only during the export: catch it as it shows.
        QObject::connect(qApp, &QApplication::focusChanged, this, [&](QWidget *, QWidget *) {
            auto *progress = qobject_cast<QProgressDialog *>(QApplication::activeModalWidget());
            if (!progress || progress->property("watched").toBool())
                return;
            progress->setProperty("watched", true);
            QObject::connect(
                progress->findChild<QProgressBar *>(), &QProgressBar::valueChanged, progress, [&, progress](int value) {
                    labels << progress->labelText();
                    if (value == cancelAfter)
                        progress->cancel();
                });
        });
        QTest::mouseClick(window.findChild<QWidget *>(QStringLiteral("btnSave")), Qt::LeftButton);
        QObject::disconnect(qApp, &QApplication::focusChanged, this, nullptr);
        const bool saved = !target.startsWith(QLatin1String("missing")) && cancelAfter == 0;
        QCOMPARE(answers.asked.join(QLatin1Char('\n')), asked);
        QCOMPARE(answers.opened, saved && openIt ? QStringList {answers.fileName} : QStringList());
        QCOMPARE(contentsOf(path(QStringLiteral("book.pdf"))) == "old contents", !saved || target != "book.pdf");
        QCOMPARE(files(),
            QStringList {QStringLiteral("book.pdf")} + (target == "book.png" ? QStringList {target} : QStringList()));
        if (cancelAfter > 0)
            QVERIFY2(labels.contains(QStringLiteral("page 3 of 20")), qPrintable(labels.join(QLatin1Char(','))));
    }

    // Ctrl+O opens a worksheet: its text into the editor and the engine, every option into its control, the
    // engine and the store (as a window started from that store shows them), its name into the title. An
    // edit marks it unsaved, Ctrl+S writes it back with what it held that this version does not know, and
    // the renderer makes the same PDF from it as Save As does.
    void worksheet()
    {
        Worksheet sheet;
        sheet.text = QStringLiteral("行[háng]走\n永");
        sheet.options = awayFromDefaults();
        sheet.kept = {{"madeBy", "a later version"}, {"options", QJsonObject {{"Sheet/Later", true}}}};
        const QString file = path("week 1.lattiscribe");
        QString error;
        QVERIFY(sheet.save(file, &error));
        MainWindow window;
        Answers answers(window);
        answers.openName = file;
        window.show();
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTest::keyClick(&window, Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(window.windowTitle(), QStringLiteral("week 1[*] - Lattiscribe"));
        QVERIFY(!window.isWindowModified());
        auto *editor = window.findChild<QTextEdit *>();
        const CopyBook &book = window.findChild<CopyBookWidget *>()->copyBook();
        QCOMPARE(editor->toPlainText(), sheet.text);
        QCOMPARE(book.text(), sheet.text);
        *AppSettings::instance() = AppSettings();
        AppSettings::instance()->loadSettings();
        MainWindow restarted;
        const CopyBook &stored = restarted.findChild<CopyBookWidget *>()->copyBook();
        for (const CopyBookOptions::OptionRow &row : CopyBookOptions::optionTable()) {
            QCOMPARE(valueOf(book.options(), row), valueOf(sheet.options, row));
            QCOMPARE(valueOf(stored.options(), row), valueOf(sheet.options, row));
            QCOMPARE(shownValue(window, row.key), shownValue(restarted, row.key));
        }

        editor->textCursor().insertText(QStringLiteral("字"));
        QVERIFY(window.isWindowModified());
        QTest::keyClick(&window, Qt::Key_S, Qt::ControlModifier);
        QVERIFY(!window.isWindowModified());
        const WorksheetReading saved = WorksheetReading::fromFile(file);
        QCOMPARE(saved.sheet.text, "字" + sheet.text);
        QCOMPARE(saved.sheet.kept.value("madeBy"), QJsonValue("a later version"));
        // The sizes as the store holds them, as short as they read back; an option of a later version kept.
        QVERIFY(contentsOf(file).contains("\"CellSize\": 2.3,") && contentsOf(file).contains("\"Sheet/Later\": true"));

        answers.fileName = path("window.pdf");
        window.findChild<CopyBookWidget *>()->setContent(saved.sheet.text);
        QTest::mouseClick(window.findChild<QWidget *>(QStringLiteral("btnSave")), Qt::LeftButton);
        QCOMPARE(render({"-o", path("renderer.pdf"), file}).exitCode, 0);
        QCOMPARE(undated(contentsOf(path("renderer.pdf"))), undated(contentsOf(answers.fileName)));

        // Closing with unsaved changes asks first: Cancel stays, Save writes them and closes.
        drive(window, "Sheet/Ruler", "click");
        QVERIFY(window.isWindowModified() && !window.close());
        answers.changes = UserDialogs::Changes::Save;
        QVERIFY(window.close());
        QCOMPARE(answers.asked.filter("Save changes to the worksheet?").size(), 2);
        QCOMPARE(WorksheetReading::fromFile(file).sheet.options.ruler, !sheet.options.ruler);
    }

    // Dropped onto the window over the editor, which leaves it to the window, a worksheet that cannot be
    // opened is refused with the reason and the window keeps what it had; a text file becomes the content,
    // decoded as the renderer decodes it.
    void droppedFiles()
    {
        MainWindow window;
        Answers answers(window);
        auto *editor = window.findChild<QTextEdit *>();
        editor->setPlainText(QStringLiteral("原文"));
        const auto drop = [&](const QString &name, const QByteArray &bytes) {
            QVERIFY(writeFile(path(name), bytes));
            QMimeData data;
            data.setUrls({QUrl::fromLocalFile(path(name))});
            QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(editor->viewport(), &enter);
            QDropEvent dropped(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(&window, &dropped);
        };
        drop("a.lattiscribe", R"({"format": "lattiscribe-worksheet")");
        QCOMPARE(answers.asked,
            QStringList {"The worksheet is damaged or incomplete.|not a complete worksheet: "
                         "unterminated string at byte offset 34"});
        QCOMPARE(editor->toPlainText(), QStringLiteral("原文"));
        QCOMPARE(window.windowTitle(), QStringLiteral("Lattiscribe"));
        QVERIFY(QSettings().allKeys().isEmpty());
        drop("a.txt", QByteArray("\xff\xfe\x38\x6c\x57\x5b", 6));
        QCOMPARE(editor->toPlainText(), QStringLiteral("永字"));
    }

    // A teacher's downloaded font: a damaged copy is refused and changes nothing; the font itself is added
    // from the end of the font list, chosen at once, listed at the next start, and removed from the box's
    // menu, which takes the page back to 楷体. While the stored family is none of the list, the box names
    // the font that draws it instead, and says nothing to the store.
    void fontFiles()
    {
        REQUIRE_UNINSTALLED_FONT(download);
        const QString family = QStringLiteral("AR PL KaitiM GB");
        auto window = std::make_unique<MainWindow>();
        auto answers = std::make_unique<Answers>(*window);
        auto *box = window->findChild<QComboBox *>(QStringLiteral("cmbFontName"));
        auto *book = window->findChild<CopyBookWidget *>();
        QCOMPARE(box->currentIndex(), -1);
        QCOMPARE(box->placeholderText(), QStringLiteral("楷体 → ") + QFontInfo(QFont(QStringLiteral("楷体"))).family());
        const int items = box->count();

        answers->openName = path(QStringLiteral("cut.ttf"));
        QVERIFY(writeFile(answers->openName, contentsOf(download).left(1000000)));
        box->setCurrentIndex(box->count() - 1);
        QCOMPARE(answers->asked.value(1).section('|', 0, 0),
            QStringLiteral("The font file is damaged, perhaps not completely downloaded."));
        QCOMPARE(box->currentIndex(), -1);
        QCOMPARE(box->count(), items);
        QVERIFY(QSettings().allKeys().isEmpty());

        answers->openName = download;
        box->setCurrentIndex(box->count() - 1);
        QCOMPARE(box->currentText(), family);
        QCOMPARE(QSettings().value("FontName").toString(), family);
        QCOMPARE(QFontInfo(book->copyBook().glyphFont()).family(), family);
        // 並 is a traditional character, which the font lacks.
        auto *missing = window->findChild<QLabel *>(QStringLiteral("lblMissingGlyphs"));
        book->setContent(QStringLiteral("永並"));
        QVERIFY(!missing->isHidden());
        QCOMPARE(missing->text(), QStringLiteral("The chosen font lacks 1 character(s): 並"));
        book->setContent(QStringLiteral("永"));
        QVERIFY(missing->isHidden());
        // The font alone changed: looked for again.
        box->setCurrentIndex(box->findText(QStringLiteral("DejaVu Sans")));
        QCOMPARE(missing->text(), QStringLiteral("The chosen font lacks 1 character(s): 永"));
        box->setCurrentIndex(box->findText(family));
        QVERIFY(missing->isHidden());

        FontFiles::registerAddedFonts();
        window = std::make_unique<MainWindow>();
        answers = std::make_unique<Answers>(*window);
        answers->openIt = true;
        box = window->findChild<QComboBox *>(QStringLiteral("cmbFontName"));
        QCOMPARE(box->currentText(), family);
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), box->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(box, &event);
        QMenu *menu = nullptr;
        QTRY_VERIFY((menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) != nullptr);
        QCOMPARE(menu->actions().size(), 2);
        menu->actions().last()->trigger();
        menu->close();
        QCOMPARE(QSettings().value("FontName").toString(), QStringLiteral("楷体"));
        QCOMPARE(box->currentIndex(), -1);
        QCOMPARE(box->findText(family), -1);
        QVERIFY(QDir(FontFiles::addedFontsFolder()).isEmpty());
    }

    // A text with no room for a row of squares on its page is neither saved nor printed as blank pages.
    void unlaidBook()
    {
        MainWindow window;
        Answers answers(window);
        auto *preview = window.findChild<CopyBookWidget *>();
        CopyBookOptions::OptionValues options;
        options.paper = CopyBookOptions::Paper::A5;
        options.landscape = true;
        options.cellSize = 10;
        options.pinyin = true;
        preview->setOptions(options);
        preview->setContent(QStringLiteral("永"));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTest::mouseClick(window.findChild<QWidget *>(QStringLiteral("btnSave")), Qt::LeftButton);
        QTest::keyClick(&window, Qt::Key_P, Qt::ControlModifier);
        const QString refusal = "There is no room on the page for a row of squares, so the text cannot be laid out: "
                                "choose a smaller cell size or larger paper.|a row of 10 cm squares with its pinyin "
                                "band is taller than the 10.98 cm the page has between its margins";
        QCOMPARE(answers.asked, QStringList({refusal, refusal}));
    }

    // Started as the program starts: the about text in Chinese, the window styled, the panel's rows in their
    // order with the new section closed below them, the content box roomy on a small screen, Qt's dialogs
    // readable and in Chinese, a Chinese interface font.
    void startedWindow()
    {
        QTranslator translator;
        QVERIFY(installBuiltInTranslation(&translator));
        // A per cent sign in the build date is not substituted again.
        QCOMPARE(MainWindow::aboutText("Aug  9 2022 %3", "19:09:54"),
            QStringLiteral("格书字帖 0.1.0\n编译时间 Aug  9 2022 %3 19:09:54\n版权所有 © 2026 Kelvo。保留所有权利。"));
        MainWindow window;
        window.setStyleSheet(builtInStyleSheet());
        QVERIFY(qApp->styleSheet().isEmpty());
        // The panel's form: the documented rows, Save As, the weekly commands and the section's toggle.
        auto *form = qobject_cast<QFormLayout *>(window.findChild<QWidget *>(QStringLiteral("controlPanel"))->layout());
        QStringList rows;
        for (int row = 0; row < form->rowCount(); ++row) {
            QLayoutItem *item = form->itemAt(row, QFormLayout::FieldRole);
            QWidget *field = item ? item->widget() : form->itemAt(row, QFormLayout::SpanningRole)->widget();
            rows << (field->isHidden() ? QStringLiteral("hidden") : field->objectName());
        }
        auto *section = window.findChild<QScrollArea *>(QStringLiteral("moreOptions"));
        rows << (section->isHidden() ? QStringLiteral("hidden") : section->objectName());
        QCOMPARE(rows.join(QLatin1Char(' ')),
            QStringLiteral("cmbBookType editContent spinCellSize spinFontSize cmbFontName lblGridColor lblTextColor "
                           "spinOpacity chkCommonChinese spinBlankLines cmbTraceType btnSave panelCommands "
                           "btnMoreOptions hidden"));
        // The commands a teacher needs every week are buttons on the screen, their shortcuts in their tooltips.
        QStringList buttons;
        for (const QToolButton *button :
            window.findChild<QWidget *>(QStringLiteral("panelCommands"))->findChildren<QToolButton *>())
            buttons << button->text() + QLatin1Char('|') + button->toolTip();
        QCOMPARE(buttons.join(QLatin1Char(' ')),
            QStringLiteral("打开字帖…|打开字帖（Ctrl+O） 保存字帖…|保存字帖（Ctrl+S） 从字表添加…|从字表添加 "
                           "打印…|打印（Ctrl+P）"));

        window.showNormal();
        window.resize(1200, 800);
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QImage shot = window.grab().toImage();
        const auto colourAt = [&](const char *name, QPoint offset) {
            return QColor(shot.pixel(window.findChild<QWidget *>(QLatin1String(name))->mapTo(&window, offset)));
        };
        QCOMPARE(QColor(shot.pixel(window.width() - 3, window.height() - 3)), QColor(0x40, 0x41, 0x42));
        QCOMPARE(colourAt("btnSave", QPoint(4, 8)), QColor(0x0E, 0x63, 0x9C));
        QCOMPARE(colourAt("lblGridColor", QPoint(5, 5)), QColor(Qt::red));
        // On a school laptop's screen, with More Options open beside the panel, the content box keeps six
        // lines of text and at least eight options show whole without scrolling.
        drive(window, kSectionOpen, "click");
        window.resize(1366, 700);
        QTest::qWait(50);
        QVERIFY(section->isVisible());
        // The section takes its room from the preview's side: the panel keeps its third of the window.
        const int panelWidth = window.findChild<QWidget *>(QStringLiteral("controlPanel"))->width();
        QVERIFY2(qAbs(panelWidth * 3 - window.width()) < 6, qPrintable(QString::number(panelWidth)));
        const auto *editor = window.findChild<QTextEdit *>();
        const int lines = editor->viewport()->height() / QFontMetrics(editor->font()).lineSpacing();
        QVERIFY2(lines >= 6, qPrintable(QString::number(lines)));
        int shown = 0;
        for (const CopyBookOptions::OptionRow &option : CopyBookOptions::optionTable()) {
            const QWidget *control = section->findChild<QWidget *>(QLatin1String(option.controlName));
            shown += control
                && section->viewport()->rect().contains(
                    QRect(control->mapTo(section->viewport(), QPoint()), control->size()));
        }
        QVERIFY2(shown >= 8, qPrintable(QString::number(shown)));

        // Qt's own dialogs and the popup menu belong to the window; its white text must not reach them.
        auto *files = new QFileDialog(&window);
        files->setOption(QFileDialog::DontUseNativeDialog);
        auto *progress = new QProgressDialog(&window);
        auto *menu = new QMenu(&window);
        for (QWidget *text : {files->findChild<QWidget *>(QStringLiteral("lookInLabel")),
                 static_cast<QWidget *>(progress->findChild<QLabel *>()), static_cast<QWidget *>(menu)}) {
            text->ensurePolished();
            QCOMPARE(text->palette().color(QPalette::WindowText), QColor(Qt::black));
        }

        const QString standIn = interfaceFontStandIn();
        if (!standIn.isEmpty())
            QCOMPARE(QFontInfo(window.findChild<QWidget *>("spinCellSize")->font()).family(), standIn);
        QTranslator qt;
        if (installQtTranslation(&qt))
            QCOMPARE(QCoreApplication::translate("QFileDialog", "Look in:"), QStringLiteral("查找范围："));
        else
            QVERIFY(!QFile::exists(QLibraryInfo::location(QLibraryInfo::TranslationsPath) + "/qtbase_zh_CN.qm"));
    }
};

QTEST_MAIN(TestWindow)
#include "tst_window.moc"
