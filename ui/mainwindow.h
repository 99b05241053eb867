#pragma once

#include "fontfiles.h"
#include "optiontable.h"
#include "pageprogress.h"
#include "userdialogs.h"

#include <QJsonObject>
#include <QWidget>

class ColorLabel;
class CopyBookWidget;
struct CopyBookPages;
struct Worksheet;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QFormLayout;
class QLabel;
class QPrinter;
class QProgressDialog;
class PinyinReview;
class QSpinBox;
class QVBoxLayout;
class TextEdit;

// The only top-level window: the preview of a page on the left, the options on the right. Every change
// of an option reaches the engine and the settings store at once.
class MainWindow : public QWidget
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // Tests answer the window's dialogs through this instead of a person.
    UserDialogs dialogs = UserDialogs::standard();

    // The about box's text for a given build date ("Aug  9 2022") and time ("19:09:54").
    static QString aboutText(const QString &buildDate, const QString &buildTime);
    void showAbout();
    // Opens a worksheet, or takes a text file's text as the content, as a dropped file is opened. What the
    // window holds stays as it was if the file is refused.
    void openFile(const QString &path);

protected:
    bool nativeEvent(const QByteArray &eventType, void *message, long *result) override;
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void setupUi();
    // One spin-box row, built completely: created, added, given its range and value, then connected.
    QDoubleSpinBox *addDoubleRow(QFormLayout *form, const QString &label, const char *key, double value);
    // The collapsible section below Save As with the options beyond the main panel's.
    void setupMoreOptions(QVBoxLayout *panel, QFormLayout *form);
    void onSheetOptionChanged();
    // A combo's items from an option's choices, each carrying its value.
    static void addChoices(QComboBox *combo, const CopyBookOptions::OptionRow &row);
    // About (in the system menu where there is one, else on F1 and in context menus), Print and the
    // worksheet's Open and Save.
    void offerMenus();
    void applySettings();
    // Saves the record after a change through a control, which the open worksheet then has unsaved.
    void storeChangedOptions();
    // Says once that the settings store was damaged, and where it was kept.
    void reportDamagedStore();

    void onBookTypeChanged();
    void onContentFocusOut();
    void onDoubleValueChanged(double value);
    void onFontNameChanged(const QString &family);
    // The font row (mainwindow_fonts.cpp): the families, then the item that adds a font file; the stored
    // family as the current item, or, where it is none of them, named with the font that stands in for it.
    void setupFontRow(QFormLayout *form);
    void fillFontList();
    void showStoredFont();
    void onFontIndexChanged(int index);
    void addFontFile();
    void removeFontFile(const FontFiles::FontFile &font);
    void showMissingGlyphs();
    void onColorLabelClicked();
    void onCommonChineseClicked();
    void onBlankLinesChanged(int value);
    void onTraceTypeChanged();
    // Puts characters of the national list into the content, where the editor's cursor stands.
    void onAddListedCharacters();
    // Tells why a book whose text has no room for a row on its page cannot be saved or printed.
    bool refusesUnlaidBook();
    void onSaveAs();
    void onPrint();
    void printPages(QPrinter *printer, const CopyBookPages &pages);
    // Progress for a long job in `dialog`, which it sets up; *cancelled tells whether the user stopped it.
    static PageProgress progressIn(QProgressDialog *dialog, bool *cancelled);

    // The worksheet: opened or saved, it names the window, and its unsaved changes are asked about before
    // they would be lost.
    void offerWorksheets();
    void onOpenWorksheet();
    void onSaveWorksheet();
    void onSaveWorksheetAs();
    void openWorksheet(const QString &path);
    void openText(const QString &path);
    bool saveWorksheetTo(const QString &path);
    Worksheet currentWorksheet() const;
    // Every control of the main panel and of More Options shows the settings record's value.
    void showOptionsInControls();
    bool hasUnsavedChanges() const;
    // False when the user chose to stay with them (or saving them failed).
    bool settleUnsavedChanges();
    void updateTitle();

    CopyBookWidget *copyBook = nullptr;
    QComboBox *cmbBookType = nullptr;
    TextEdit *editContent = nullptr;
    PinyinReview *pinyinReview = nullptr;
    QDoubleSpinBox *spinCellSize = nullptr;
    QDoubleSpinBox *spinFontSize = nullptr;
    QComboBox *cmbFontName = nullptr;
    QLabel *lblMissingGlyphs = nullptr;
    QDoubleSpinBox *spinOpacity = nullptr;
    QSpinBox *spinBlankLines = nullptr;
    QComboBox *cmbTraceType = nullptr;
    QCheckBox *chkCommonChinese = nullptr;
    ColorLabel *lblGridColor = nullptr;
    ColorLabel *lblTextColor = nullptr;

    QString worksheetPath;
    // What the open worksheet held that this version does not know, for its next save.
    QJsonObject worksheetKept;
    bool optionsChangedSinceSave = false;
};
