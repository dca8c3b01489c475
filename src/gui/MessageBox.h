#pragma once

#include <QList>
#include <QMessageBox>
#include <QString>

// Every message box of the program goes through here, so that tests can answer a box before it
// would open and read what it said. In the program it shows the real QMessageBox.
class MessageBox
{
public:
    struct Shown
    {
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QString title;
        QString text;
        QMessageBox::StandardButtons buttons;
        QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    };

    MessageBox() = delete;

    static QMessageBox::StandardButton
    information(QWidget *parent, const QString &title, const QString &text,
                QMessageBox::StandardButtons buttons = QMessageBox::Ok,
                QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);
    static QMessageBox::StandardButton
    warning(QWidget *parent, const QString &title, const QString &text,
            QMessageBox::StandardButtons buttons = QMessageBox::Ok,
            QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);
    // QMessageBox::about; recorded with no icon and an Ok button.
    static void about(QWidget *parent, const QString &title, const QString &text);

    // Test seam. In test mode no box is shown: each one is recorded and answered with the next
    // queued answer, or, when none is queued, with its default button (Ok when it has none).
    static void setTestMode(bool enabled);
    static void queueAnswer(QMessageBox::StandardButton answer);
    static QList<Shown> shown();
    static Shown lastShown();
    static void reset();

private:
    static QMessageBox::StandardButton show(QMessageBox::Icon icon, QWidget *parent,
                                            const QString &title, const QString &text,
                                            QMessageBox::StandardButtons buttons,
                                            QMessageBox::StandardButton defaultButton);
};
