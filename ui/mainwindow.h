#pragma once

#include "optiontable.h"
#include "printflow.h"
#include "userdialogs.h"

#include <QWidget>
#include <memory>

class ColorLabel;
class ContentMenu;
class CopyBookWidget;
class FontList;
class MoreOptions;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QFormLayout;
class QSpinBox;
class TextEdit;
class WorksheetSession;

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
    QDoubleSpinBox *addDoubleRow(QFormLayout *form, const QString &label, const char *key);
    // The commands a teacher needs every week, each an action: on a button below Save As, on a
    // shortcut and on the preview's context menu.
    void setupCommands(QFormLayout *form);
    // The toggle below the commands, and the More Options section it opens beside the panel.
    void setupMoreOptions(QFormLayout *form, QLayout *besidePreview);
    void onSheetOptionChanged();
    // About in the system menu where there is one, else on F1 and in the context menus.
    void offerAbout();
    void applySettings();
    // Takes a worksheet's options as if each control had been set to its value.
    void takeOptions(const CopyBookOptions::OptionValues &options);
    // Every control shows the settings record's value, without a signal.
    void showOptionsInControls();
    // Saves the record after a change through a control, which the open worksheet then has unsaved.
    void storeChangedOptions();
    // Says once that the settings store was damaged, and where it was kept.
    void reportDamagedStore();

    void onBookTypeChanged();
    void onContentFocusOut();
    void onDoubleValueChanged(double value);
    void onFontNameChanged(const QString &family);
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

    CopyBookWidget *copyBook = nullptr;
    QComboBox *cmbBookType = nullptr;
    TextEdit *editContent = nullptr;
    QDoubleSpinBox *spinCellSize = nullptr;
    QDoubleSpinBox *spinFontSize = nullptr;
    QComboBox *cmbFontName = nullptr;
    QDoubleSpinBox *spinOpacity = nullptr;
    QSpinBox *spinBlankLines = nullptr;
    QComboBox *cmbTraceType = nullptr;
    QCheckBox *chkCommonChinese = nullptr;
    ColorLabel *lblGridColor = nullptr;
    ColorLabel *lblTextColor = nullptr;

    ContentMenu *contentMenu = nullptr;
    MoreOptions *moreOptions = nullptr;
    std::unique_ptr<FontList> fonts;
    std::unique_ptr<WorksheetSession> worksheet;
    PrintFlow printing {this, dialogs};
};
