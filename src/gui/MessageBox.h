#pragma once

#include <QList>
#include <QMessageBox>
#include <QString>
#include <QStringList>

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
        QStringList list; // the entries of a box with a list
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
    // A warning whose middle part is a list of entries (names, say): before, the entries in a
    // scrolling list, then after, so that the box stays readable for any number of entries.
    // Recorded with the entries in list and, one per line, in the text between before and after.
    static QMessageBox::StandardButton warningWithList(QWidget *parent, const QString &title,
                                                       const QString &before,
                                                       const QStringList &entries,
                                                       const QString &after,
                                                       QMessageBox::StandardButtons buttons,
                                                       QMessageBox::StandardButton defaultButton);
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
