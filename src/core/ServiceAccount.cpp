#include "ServiceAccount.h"

#include <QStringList>

namespace ServiceAccount {

bool needsPassword(const QString &account)
{
    const QString folded = account.toCaseFolded();
    if (folded.isEmpty() || folded.endsWith(u'$')
        || folded.startsWith(QLatin1String("nt service\\")))
        return false;
    static const QStringList builtIn = {
        QStringLiteral("localsystem"),
        QStringLiteral(".\\localsystem"),
        QStringLiteral("system"),
        QStringLiteral("nt authority\\system"),
        QStringLiteral("localservice"),
        QStringLiteral("nt authority\\localservice"),
        QStringLiteral("nt authority\\local service"),
        QStringLiteral("networkservice"),
        QStringLiteral("nt authority\\networkservice"),
        QStringLiteral("nt authority\\network service"),
    };
    return !builtIn.contains(folded);
}

} // namespace ServiceAccount
