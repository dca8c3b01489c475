#pragma once

#include <QByteArray>
#include <QString>

// Every file the program writes goes through here, so that a file at the path is either
// replaced whole or left as it was, and a failed write is never reported as success.
namespace AtomicFile {

// Writes contents to a temporary file beside path and puts it in place of path only once every
// byte has reached the disk. False, with the system's reason in errorString, when it could not;
// then the file at path is as it was and no temporary file is left.
bool write(const QString &path, const QByteArray &contents, QString *errorString = nullptr);

} // namespace AtomicFile
