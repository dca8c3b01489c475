#include "LicenseWindow.h"

#include <QCoreApplication>
#include <QDialog>
#include <QFile>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

namespace LicenseWindow {

QString licenseFilePath()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/LICENSE");
}

QString licenseText(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return QCoreApplication::translate("MainWindow", "LICENSE file not found.");
    return QString::fromUtf8(file.readAll());
}

void exec(QWidget *parent)
{
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("licenseDialog"));
    dialog.setWindowTitle(QCoreApplication::translate("MainWindow", "License"));
    dialog.resize(600, 450);

    auto *layout = new QVBoxLayout(&dialog);
    // Plain text only, so that nothing in the file is ever taken as markup.
    auto *text = new QTextEdit(&dialog);
    text->setObjectName(QStringLiteral("licenseText"));
    text->setReadOnly(true);
    text->setAcceptRichText(false);
    text->setPlainText(licenseText(licenseFilePath()));
    layout->addWidget(text);

    auto *close = new QPushButton(QCoreApplication::translate("MainWindow", "Close"), &dialog);
    close->setObjectName(QStringLiteral("licenseCloseButton"));
    QObject::connect(close, &QPushButton::clicked, &dialog, &QDialog::accept);
    layout->addWidget(close);

    dialog.exec();
}

} // namespace LicenseWindow
