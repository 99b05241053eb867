#include "systemmenu.h"

bool SystemMenu::appendAbout(QWidget *, const QString &)
{
    return false;
}

bool SystemMenu::isAboutCommand(const QByteArray &, void *)
{
    return false;
}
