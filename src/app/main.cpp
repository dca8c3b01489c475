#include "MainWindow.h"
#include "platform/SystemTools.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvantel Ledgerwell"));
    QApplication::setOrganizationName(QStringLiteral("Quorvantel"));
    platform::makeStandInToolsReachable();

    MainWindow window;
    window.show();
    return QApplication::exec();
}
