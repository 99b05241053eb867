#include "fonts.h"
#include "mainwindow.h"
#include "settingsstore.h"
#include "startup.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFormLayout>
#include <QLabel>
#include <QLibraryInfo>
#include <QMenu>
#include <QProgressDialog>
#include <QPushButton>
#include <QToolButton>
#include <QTranslator>
#include <QtTest>

class TestStartup : public QObject
{
    Q_OBJECT

private:
    SettingsStore store;
    QTranslator translator;

    QString labelOf(MainWindow &window, const char *field)
    {
        QWidget *control = window.findChild<QWidget *>(QLatin1String(field));
        auto *form = qobject_cast<QFormLayout *>(control->parentWidget()->layout());
        auto *label = qobject_cast<QLabel *>(form->labelForField(control));
        return label ? label->text() : QString();
    }

private slots:
    void initTestCase()
    {
        installKaiFontSubstitution();
        installInterfaceFontSubstitution();
        QVERIFY(installBuiltInTranslation(&translator));
        store.reset();
    }

    // Qt's own dialogs and the popup menu belong to the window, so its white text would reach them; they
    // must keep dark text on their light platform background.
    void dialogsStayReadable_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("file dialog") << QStringLiteral("file");
        QTest::newRow("progress dialog") << QStringLiteral("progress");
        QTest::newRow("popup menu") << QStringLiteral("menu");
    }

    void dialogsStayReadable()
    {
        QFETCH(QString, kind);
        MainWindow window;
        applyBuiltInStyle(&window);
        QWidget *dialog = nullptr;
        QWidget *text = nullptr;
        if (kind == QLatin1String("file")) {
            auto *files = new QFileDialog(&window);
            files->setOption(QFileDialog::DontUseNativeDialog);
            dialog = files;
            text = files->findChild<QWidget *>(QStringLiteral("lookInLabel"));
        } else if (kind == QLatin1String("progress")) {
            dialog = new QProgressDialog(&window);
            text = dialog->findChild<QLabel *>();
        } else {
            dialog = text = new QMenu(&window);
        }
        QVERIFY(text);
        text->ensurePolished();
        QCOMPARE(text->palette().color(QPalette::WindowText), QColor(Qt::black));
        delete dialog;
    }

    // Where the window's interface font is missing, a Chinese sans stands in for it ahead of the
    // monospace family the stylesheet lists next, and Qt's standard dialogs speak Chinese.
    void chineseInterfaceFontAndDialogs()
    {
        const QString standIn = interfaceFontStandIn();
        if (standIn.isEmpty())
            QSKIP("微软雅黑 is installed here, or no Chinese sans is");
        QCOMPARE(QFontInfo(QFont(QStringLiteral("微软雅黑"))).family(), standIn);
        MainWindow window;
        applyBuiltInStyle(&window);
        auto *spin = window.findChild<QDoubleSpinBox *>(QStringLiteral("spinCellSize"));
        spin->ensurePolished();
        QCOMPARE(QFontInfo(spin->font()).family(), standIn);

        QTranslator qt;
        const QString catalogue = QLibraryInfo::location(QLibraryInfo::TranslationsPath) + "/qtbase_zh_CN.qm";
        QCOMPARE(installQtTranslation(&qt), QFile::exists(catalogue));
        if (QFile::exists(catalogue))
            QCOMPARE(QCoreApplication::translate("QFileDialog", "Look in:"), QStringLiteral("查找范围："));
    }

    void windowShowsChinese()
    {
        MainWindow window;
        QCOMPARE(window.windowTitle(), QStringLiteral("格书字帖"));
        QVERIFY(window.windowState() & Qt::WindowMaximized);
        QCOMPARE(labelOf(window, "cmbBookType"), QStringLiteral("字帖类型"));
        QCOMPARE(labelOf(window, "editContent"), QStringLiteral("内容"));
        QCOMPARE(labelOf(window, "spinCellSize"), QStringLiteral("格子大小"));
        QCOMPARE(labelOf(window, "spinFontSize"), QStringLiteral("字体大小"));
        QCOMPARE(labelOf(window, "cmbFontName"), QStringLiteral("字体名称"));
        QCOMPARE(labelOf(window, "lblGridColor"), QStringLiteral("网格颜色"));
        QCOMPARE(labelOf(window, "lblTextColor"), QStringLiteral("文字颜色"));
        QCOMPARE(labelOf(window, "spinOpacity"), QStringLiteral("透明度"));
        QCOMPARE(labelOf(window, "chkCommonChinese"), QStringLiteral("仅常用汉字"));
        QCOMPARE(labelOf(window, "spinBlankLines"), QStringLiteral("附加空行"));
        QCOMPARE(labelOf(window, "cmbTraceType"), QStringLiteral("描字类型"));
        auto *bookType = window.findChild<QComboBox *>(QStringLiteral("cmbBookType"));
        QCOMPARE(bookType->itemText(0), QStringLiteral("描红"));
        QCOMPARE(bookType->itemText(1), QStringLiteral("临摹"));
        auto *traceType = window.findChild<QComboBox *>(QStringLiteral("cmbTraceType"));
        QCOMPARE(traceType->itemText(0), QStringLiteral("不描"));
        QCOMPARE(traceType->itemText(1), QStringLiteral("半描"));
        QCOMPARE(traceType->itemText(2), QStringLiteral("全描"));
        QCOMPARE(window.findChild<QPushButton *>(QStringLiteral("btnSave"))->text(), QStringLiteral("保存为"));
        QCOMPARE(window.findChild<QToolButton *>(QStringLiteral("btnMoreOptions"))->text(), QStringLiteral("更多选项"));
        QCOMPARE(labelOf(window, "cmbGridStyle"), QStringLiteral("格子样式"));
        QCOMPARE(window.findChild<QComboBox *>(QStringLiteral("cmbGridStyle"))->itemText(1), QStringLiteral("米字格"));
        QCOMPARE(
            window.findChild<QCheckBox *>(QStringLiteral("chkPinyinOnly"))->text(), QStringLiteral("看拼音写汉字"));
    }

    // The window as start-up styles it: dark panel, blue Save As button, white editor, the page on the left;
    // then with the "More Options" section opened, whose title field is dark like the spin boxes. Set
    // LATTISCRIBE_SCREENSHOT to a path to keep the pictures (the second with "-more" before the suffix).
    void windowLooksAsIntended()
    {
        MainWindow window;
        applyBuiltInStyle(&window);
        QVERIFY(window.styleSheet().contains(QLatin1String("QPushButton#btnSave")));
        QVERIFY(qApp->styleSheet().isEmpty());
        window.showNormal();
        window.resize(1200, 800);
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const auto keep = [](const QImage &picture, const QString &suffix) {
            if (!qEnvironmentVariableIsSet("LATTISCRIBE_SCREENSHOT"))
                return;
            const QFileInfo path(qEnvironmentVariable("LATTISCRIBE_SCREENSHOT"));
            picture.save(path.dir().filePath(path.completeBaseName() + suffix + '.' + path.suffix()));
        };
        QImage shot = window.grab().toImage();
        keep(shot, QString());

        const auto colourAt = [&](const char *name, QPoint offset) {
            QWidget *widget = window.findChild<QWidget *>(QLatin1String(name));
            return QColor(shot.pixel(widget->mapTo(&window, offset)));
        };
        QCOMPARE(QColor(shot.pixel(window.width() - 3, window.height() - 3)), QColor(0x40, 0x41, 0x42));
        const QWidget *save = window.findChild<QWidget *>(QStringLiteral("btnSave"));
        QCOMPARE(colourAt("btnSave", QPoint(4, save->height() / 2)), QColor(0x0E, 0x63, 0x9C));
        QCOMPARE(colourAt("editContent", QPoint(10, 10)), QColor(Qt::white));
        QCOMPARE(colourAt("lblGridColor", QPoint(5, 5)), QColor(Qt::red));
        const QWidget *book = window.findChild<QWidget *>(QStringLiteral("copyBook"));
        QVERIFY(book->x() < save->mapTo(&window, QPoint()).x());
        QVERIFY(book->width() > window.width() / 2);
        QCOMPARE(colourAt("copyBook", QPoint(book->width() / 2, book->height() / 2 + 3)).red(), 255);

        QVERIFY(window.findChild<QWidget *>(QStringLiteral("cmbGridStyle"))->isHidden());
        QTest::mouseClick(window.findChild<QWidget *>(QStringLiteral("btnMoreOptions")), Qt::LeftButton);
        const QWidget *title = window.findChild<QWidget *>(QStringLiteral("editTitle"));
        QTRY_VERIFY(title->isVisible());
        shot = window.grab().toImage();
        keep(shot, QStringLiteral("-more"));
        QCOMPARE(colourAt("editTitle", QPoint(4, title->height() / 2)), QColor(0x37, 0x38, 0x39));
        QCOMPARE(colourAt("btnSave", QPoint(4, save->height() / 2)), QColor(0x0E, 0x63, 0x9C));
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
