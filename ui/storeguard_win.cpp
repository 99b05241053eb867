#include "storecheck.h"
#include "storeguard.h"

#include <QDateTime>
#include <QVector>
#include <windows.h>

namespace StoreGuard {

namespace {

const wchar_t kStore[] = L"Software\\Kelvo\\LattiScribe";

std::wstring wide(const QString &text)
{
    return text.toStdWString();
}

// Whether Qt reads the value `key` ("Sheet/Paper" is the value Paper of the subkey Sheet) without harm:
// its text is no serialized QVariant but a colour, and a number holds the bytes Qt copies out of it.
bool isSafeValue(HKEY store, const QString &key)
{
    const int slash = key.lastIndexOf(QLatin1Char('/'));
    const std::wstring subkey = wide(key.left(qMax(0, slash)));
    const std::wstring name = wide(key.mid(slash + 1));
    DWORD type = 0;
    DWORD size = 0;
    const wchar_t *path = subkey.empty() ? nullptr : subkey.c_str();
    if (RegGetValueW(store, path, name.c_str(), RRF_RT_ANY | RRF_NOEXPAND, &type, nullptr, &size) != ERROR_SUCCESS)
        return true;
    QVector<wchar_t> data(int(size / sizeof(wchar_t)) + 2, 0);
    DWORD read = DWORD(data.size() * sizeof(wchar_t));
    if (RegGetValueW(store, path, name.c_str(), RRF_RT_ANY | RRF_NOEXPAND, &type, data.data(), &read) != ERROR_SUCCESS)
        return true;
    const auto text = [&](int length) { return QString::fromWCharArray(data.constData(), length); };
    switch (type) {
    case REG_SZ:
    case REG_EXPAND_SZ:
        return StoreCheck::isSafeValueText(QString::fromWCharArray(data.constData()));
    case REG_MULTI_SZ:
        for (int at = 0; at < int(read / sizeof(wchar_t)) && data[at] != 0;) {
            const QString item = QString::fromWCharArray(data.constData() + at);
            if (!StoreCheck::isSafeValueText(item))
                return false;
            at += item.size() + 1;
        }
        return true;
    case REG_NONE:
    case REG_BINARY:
        return StoreCheck::isSafeValueText(text(int(read / sizeof(wchar_t))));
    case REG_DWORD:
    case REG_DWORD_BIG_ENDIAN:
        return read == sizeof(DWORD);
    case REG_QWORD:
        return read == sizeof(qint64);
    default:
        return true;
    }
}

} // namespace

Outcome keepDamagedStoreAside(const QStringList &keys)
{
    HKEY store = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kStore, 0, KEY_READ, &store) != ERROR_SUCCESS)
        return {};
    bool safe = true;
    for (const QString &key : keys)
        safe = safe && isSafeValue(store, key);
    if (safe) {
        RegCloseKey(store);
        return {};
    }
    // A copy under a name of its own beside the store, which is then removed; the program makes it
    // anew at its first save.
    const QString aside = QStringLiteral("%1 (damaged %2)")
                              .arg(QString::fromWCharArray(kStore),
                                  QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss")));
    HKEY copy = nullptr;
    const bool kept = RegCreateKeyExW(HKEY_CURRENT_USER, wide(aside).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                          &copy, nullptr)
            == ERROR_SUCCESS
        && RegCopyTreeW(store, nullptr, copy) == ERROR_SUCCESS;
    if (copy)
        RegCloseKey(copy);
    RegCloseKey(store);
    if (!kept || RegDeleteTreeW(HKEY_CURRENT_USER, kStore) != ERROR_SUCCESS)
        return {QString(), false};
    return {QStringLiteral("HKEY_CURRENT_USER\\") + aside, true};
}

} // namespace StoreGuard
