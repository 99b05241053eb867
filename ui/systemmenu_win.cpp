#include "systemmenu.h"

#include <QString>
#include <QWidget>
#include <windows.h>

bool SystemMenu::appendAbout(QWidget *window, const QString &text)
{
    const HMENU menu = GetSystemMenu(reinterpret_cast<HWND>(window->winId()), FALSE);
    if (!menu)
        return false;
    AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    // The wide form: the 8-bit form would turn "关于" into question marks on any Windows whose code
    // page is not Chinese.
    AppendMenuW(menu, MF_STRING, kAboutCommand, reinterpret_cast<LPCWSTR>(text.utf16()));
    return true;
}

bool SystemMenu::isAboutCommand(const QByteArray &eventType, void *message)
{
    if (eventType != "windows_generic_MSG")
        return false;
    const MSG *msg = static_cast<const MSG *>(message);
    // The whole wParam, unmasked: the system's own commands use the low four bits.
    return msg->message == WM_SYSCOMMAND && msg->wParam == kAboutCommand;
}
