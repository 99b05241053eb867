#include "storeguard.h"

#include "storecheck.h"

#include <QDateTime>
#include <QFile>
#include <QSettings>

namespace StoreGuard {

namespace {

// Beside the original, named for when it was found: a second damaged file on the same day keeps the first.
QString asideName(const QString &path)
{
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString name = QStringLiteral("%1.damaged-%2").arg(path, stamp);
    for (int n = 2; QFile::exists(name); ++n)
        name = QStringLiteral("%1.damaged-%2-%3").arg(path, stamp).arg(n);
    return name;
}

} // namespace

Outcome keepDamagedStoreAside(const QStringList &)
{
    // Opening the store reads its file only as far as its sections; no value is converted before one
    // is asked for.
    const QString path = QSettings().fileName();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || StoreCheck::isSafeIniText(file.readAll()))
        return {};
    file.close();
    const QString aside = asideName(path);
    if (!QFile::rename(path, aside))
        return {QString(), false};
    return {aside, true};
}

} // namespace StoreGuard
