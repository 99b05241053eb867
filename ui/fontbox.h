#pragma once

#include <QComboBox>

// The "Font Name" list: the installed families (and those of the font files the user added), then an item
// that adds a font file. It shows a family by its item, or, where the family is none of them, names the
// font that stands in for it ("楷体 → AR PL UKai CN").
class FontBox : public QComboBox
{
    Q_OBJECT

public:
    explicit FontBox(QWidget *parent = nullptr);
    ~FontBox() override;

    // Lists the families the font database has now, showing the family shown before.
    void fill();
    // Shows `family` without a signal: the store keeps the family as it is.
    void showFamily(const QString &family);
    const QString &shownFamily() const { return family; }
    // Whether an item is the one that adds a font file rather than a family.
    bool addsFontFile(int index) const { return index == count() - 1; }

private:
    QString family;
};
