#pragma once

#include <QList>
#include <QString>

class QWidget;

// Every file dialog of the program goes through here, so that tests can give the file name a
// dialog would have returned. In the program it shows the platform's file dialog.
class FileDialog
{
public:
    struct Request
    {
        QString caption;
        QString filter;
        bool save = false;
    };

    FileDialog() = delete;

    static QString getSaveFileName(QWidget *parent, const QString &caption, const QString &filter);
    static QString getOpenFileName(QWidget *parent, const QString &caption, const QString &filter);

    // Test seam. In test mode no dialog is shown: each request is recorded and answered with the
    // next queued file name, or an empty one (a cancelled dialog) when none is queued.
    static void setTestMode(bool enabled);
    static void queueFileName(const QString &fileName);
    static QList<Request> requests();
    static void reset();

private:
    static QString answer(const Request &request);
};
