#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QSpinBox;

// Chooses characters from the national list of standard characters: a level and a run of its positions,
// such as the first 200 of level one.
class CharacterListDialog : public QDialog
{
    Q_OBJECT

public:
    explicit CharacterListDialog(QWidget *parent = nullptr);
    ~CharacterListDialog() override;

    // The characters chosen, separated by spaces.
    QString characters() const;

private:
    void onLevelChanged();
    void showChoice();

    QComboBox *cmbLevel = nullptr;
    QSpinBox *spinFrom = nullptr;
    QSpinBox *spinTo = nullptr;
    QLabel *lblChoice = nullptr;
};
