#include "ImportTestSupport.h"

#include "FileDialog.h"
#include "MessageBox.h"

#include <QApplication>
#include <QTimer>

ImportTestEnvironment::ImportTestEnvironment()
    : SimulatedMachine(Tools::StandInsOnPath)
{
    MessageBox::setTestMode(true);
    MessageBox::reset();
    FileDialog::setTestMode(true);
    FileDialog::reset();
    writeDatabase({});
}

ImportTestEnvironment::~ImportTestEnvironment()
{
    MessageBox::reset();
    FileDialog::reset();
}

bool withNextModal(const std::function<void()> &trigger,
                   const std::function<void(QWidget *)> &interact)
{
    QWidget *const before = QApplication::activeModalWidget();
    bool opened = false;
    QTimer poll;
    poll.setInterval(0);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || modal == before)
            return;
        poll.stop();
        opened = true;
        interact(modal);
    });
    poll.start();
    trigger();
    poll.stop();
    return opened;
}
