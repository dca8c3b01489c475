#include "AtomicFile.h"

#include <QSaveFile>

namespace AtomicFile {

bool write(const QString &path, const QByteArray &contents, QString *errorString)
{
    QSaveFile file(path);
    // A write that only fills Qt's buffer succeeds whatever the disk holds, and commit() can
    // succeed after the buffer failed to go out: the flush and the error state decide.
    const bool written = file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size()
                         && file.flush() && file.error() == QFileDevice::NoError && file.commit();
    if (!written) {
        if (errorString)
            *errorString = file.errorString();
        if (file.isOpen())
            file.cancelWriting();
    }
    return written;
}

} // namespace AtomicFile
