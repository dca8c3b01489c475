#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quorvantel Ledgerwell"));
    QApplication::setOrganizationName(QStringLiteral("Quorvantel"));
    return 0;
}
