#include "InterfaceLanguage.h"

#include <QCoreApplication>
#include <QTranslator>

namespace InterfaceLanguage {

QString translationFilePath(const QString &code)
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/translations/") + code
           + QStringLiteral(".qm");
}

bool apply(QTranslator &translator, const QString &code)
{
    QCoreApplication::removeTranslator(&translator);
    if (code == QLatin1String("en"))
        return true;
    // load() empties the translator first, so a failed load leaves nothing of the old language.
    if (!translator.load(translationFilePath(code)))
        return false;
    QCoreApplication::installTranslator(&translator);
    return true;
}

} // namespace InterfaceLanguage
