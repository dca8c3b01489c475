#pragma once

#include <QByteArray>
#include <QString>

// Writes contents to path as they stand; false when the file cannot be written completely.
bool writeFile(const QString &path, const QByteArray &contents);
// The file's contents, empty when it cannot be read.
QByteArray readFile(const QString &path);
