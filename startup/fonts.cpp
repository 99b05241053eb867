#include "fonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QStringList>

namespace {

const QStringList kKaiAliases = {QStringLiteral("楷体"), QStringLiteral("KaiTi")};
const QStringList kInterfaceAliases = {QStringLiteral("微软雅黑"), QStringLiteral("Microsoft YaHei")};

QString firstInstalled(const QStringList &families, const QStringList &preferred)
{
    for (const QString &family : preferred) {
        if (families.contains(family))
            return family;
    }
    return {};
}

QString installedKaiFamily(const QStringList &families)
{
    const QString preferred = firstInstalled(families,
        {QStringLiteral("AR PL UKai CN"), QStringLiteral("AR PL UKai TW"), QStringLiteral("AR PL UKai HK"),
            QStringLiteral("AR PL KaitiM GB"), QStringLiteral("LXGW WenKai")});
    if (!preferred.isEmpty())
        return preferred;
    for (const QString &family : families) {
        if (family.contains(QLatin1String("Kai"), Qt::CaseInsensitive) || family.contains(QStringLiteral("楷")))
            return family;
    }
    return {};
}

QString installedInterfaceFamily(const QStringList &families)
{
    return firstInstalled(families,
        {QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans CJK SC"),
            QStringLiteral("Source Han Sans SC"), QStringLiteral("WenQuanYi Zen Hei")});
}

void substitute(const QStringList &aliases, const QString &family, const QStringList &installed)
{
    if (family.isEmpty())
        return;
    for (const QString &alias : aliases) {
        if (!installed.contains(alias, Qt::CaseInsensitive))
            QFont::insertSubstitution(alias, family);
    }
}

} // namespace

void installKaiFontSubstitution()
{
    const QStringList families = QFontDatabase().families();
    substitute(kKaiAliases, installedKaiFamily(families), families);
}

void installInterfaceFontSubstitution()
{
    const QStringList families = QFontDatabase().families();
    substitute(kInterfaceAliases, installedInterfaceFamily(families), families);
}

QString interfaceFontStandIn()
{
    const QStringList families = QFontDatabase().families();
    if (families.contains(kInterfaceAliases.first(), Qt::CaseInsensitive))
        return {};
    return installedInterfaceFamily(families);
}
