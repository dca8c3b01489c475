#pragma once

#include <QString>
#include <QTranslator>

// The interface languages: English is built in, any other language is a compiled translation
// file named after its code in the folder translations beside the executable. Qt's own texts
// (the buttons of message boxes, the context menu of line edits, the file dialogs) follow with
// Qt's translation for the same code, where one is found.
namespace InterfaceLanguage {

QString translationFilePath(const QString &code);

// The files that may hold Qt's translation for the code, in the order they are tried: first in
// translations/ beside the executable, where our build and installation put qtbase_<code>.qm and
// windeployqt its combined qt_<code>.qm, then in Qt's own translations folder.
QStringList qtTranslationCandidates(const QString &code);

// Ours and Qt's, installed and removed together.
struct Translators
{
    QTranslator program;
    QTranslator qt;
};

// Takes both translators out of the application and, for a code other than "en", refills them
// from the translation files and installs them again. False when our file cannot be loaded,
// which leaves the whole interface English; without a Qt translation only Qt's own texts stay
// English.
bool apply(Translators &translators, const QString &code);

} // namespace InterfaceLanguage
