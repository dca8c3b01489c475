#include "AtomicFile.h"

#include <QSaveFile>

namespace AtomicFile {

namespace {

// Qt's write buffer hides a failed write: write() succeeds, the flush fails without a reason,
// and commit() can still succeed with a truncated file. Unbuffered, a full disk shows as a short
// write and then as a failing one with the system's reason.
bool writeAll(QSaveFile &file, const QByteArray &contents)
{
    qsizetype written = 0;
    while (written < contents.size()) {
        const qint64 count = file.write(contents.constData() + written, contents.size() - written);
        if (count <= 0)
            return false;
        written += count;
    }
    return file.flush() && file.error() == QFileDevice::NoError;
}

} // namespace

bool write(const QString &path, const QByteArray &contents, QString *errorString)
{
    QSaveFile file(path);
    const bool written = file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)
                         && writeAll(file, contents) && file.commit();
    if (!written) {
        if (errorString)
            *errorString = file.errorString();
        if (file.isOpen())
            file.cancelWriting();
    }
    return written;
}

} // namespace AtomicFile
