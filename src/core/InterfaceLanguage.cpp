#include "InterfaceLanguage.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibraryInfo>

namespace InterfaceLanguage {

QString translationFilePath(const QString &code)
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/translations/") + code
           + QStringLiteral(".qm");
}

QStringList qtTranslationCandidates(const QString &code)
{
    QStringList candidates;
    const QStringList folders{QCoreApplication::applicationDirPath()
                                  + QStringLiteral("/translations"),
                              QLibraryInfo::path(QLibraryInfo::TranslationsPath)};
    for (const QString &folder : folders) {
        for (const QString &prefix : {QStringLiteral("/qtbase_"), QStringLiteral("/qt_")})
            candidates.append(folder + prefix + code + QStringLiteral(".qm"));
    }
    return candidates;
}

namespace {

// The first candidate that loads. Only files that exist are tried: given a missing file,
// QTranslator::load would go on to shorter names ("qtbase.qm") of another language.
bool loadQtTranslation(QTranslator &translator, const QString &code)
{
    for (const QString &candidate : qtTranslationCandidates(code)) {
        if (QFileInfo(candidate).isFile() && translator.load(candidate))
            return true;
    }
    return false;
}

} // namespace

bool apply(Translators &translators, const QString &code)
{
    QCoreApplication::removeTranslator(&translators.program);
    QCoreApplication::removeTranslator(&translators.qt);
    if (code == QLatin1String("en"))
        return true;
    // load() empties the translator first, so a failed load leaves nothing of the old language.
    if (!translators.program.load(translationFilePath(code)))
        return false;
    QCoreApplication::installTranslator(&translators.program);
    if (loadQtTranslation(translators.qt, code))
        QCoreApplication::installTranslator(&translators.qt);
    return true;
}

} // namespace InterfaceLanguage
