#pragma once

#include <QString>

class QTranslator;

// The interface languages: English is built in, any other language is a compiled translation
// file named after its code in the folder translations beside the executable.
namespace InterfaceLanguage {

QString translationFilePath(const QString &code);

// Takes translator out of the application and, for a code other than "en", refills it from the
// translation file and installs it again. False when that file cannot be loaded, which leaves
// the interface English.
bool apply(QTranslator &translator, const QString &code);

} // namespace InterfaceLanguage
