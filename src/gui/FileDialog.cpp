#include "FileDialog.h"

#include <QFileDialog>

namespace {

struct SeamState
{
    bool testMode = false;
    QList<QString> fileNames;
    QList<FileDialog::Request> requests;
};

SeamState &seam()
{
    static SeamState state;
    return state;
}

} // namespace

QString FileDialog::getSaveFileName(QWidget *parent, const QString &caption, const QString &filter)
{
    if (seam().testMode)
        return answer({caption, filter, true});
    return QFileDialog::getSaveFileName(parent, caption, QString(), filter);
}

QString FileDialog::getOpenFileName(QWidget *parent, const QString &caption, const QString &filter)
{
    if (seam().testMode)
        return answer({caption, filter, false});
    return QFileDialog::getOpenFileName(parent, caption, QString(), filter);
}

QString FileDialog::answer(const Request &request)
{
    SeamState &state = seam();
    state.requests.append(request);
    return state.fileNames.isEmpty() ? QString() : state.fileNames.takeFirst();
}

void FileDialog::setTestMode(bool enabled)
{
    seam().testMode = enabled;
}

void FileDialog::queueFileName(const QString &fileName)
{
    seam().fileNames.append(fileName);
}

QList<FileDialog::Request> FileDialog::requests()
{
    return seam().requests;
}

void FileDialog::reset()
{
    seam().fileNames.clear();
    seam().requests.clear();
}
