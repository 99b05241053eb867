#include "fonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QStringList>

namespace {

QString installedKaiFamily(const QStringList &families)
{
    const QStringList preferred = {
        QStringLiteral("AR PL UKai CN"),
        QStringLiteral("AR PL UKai TW"),
        QStringLiteral("AR PL UKai HK"),
        QStringLiteral("AR PL KaitiM GB"),
    };
    for (const QString &family : preferred) {
        if (families.contains(family))
            return family;
    }
    for (const QString &family : families) {
        if (family.contains(QLatin1String("Kai"), Qt::CaseInsensitive) || family.contains(QStringLiteral("楷")))
            return family;
    }
    return {};
}

} // namespace

void installKaiFontSubstitution()
{
    const QStringList families = QFontDatabase().families();
    const QString kai = installedKaiFamily(families);
    if (kai.isEmpty())
        return;
    for (const QString &alias : {QStringLiteral("楷体"), QStringLiteral("KaiTi")}) {
        if (!families.contains(alias, Qt::CaseInsensitive))
            QFont::insertSubstitution(alias, kai);
    }
}
