#pragma once

#include <QDialog>
#include <QMessageBox>
#include <QStringList>

class QDialogButtonBox;

// A message box with a scrolling list between its two texts, for questions about many entries
// (services to be replaced, say): it stays the size of a few lines of list whatever the number of
// entries, where a QMessageBox would grow past the screen.
class ListMessageBox : public QDialog
{
public:
    ListMessageBox(QMessageBox::Icon icon, const QString &title, const QString &before,
                   const QStringList &entries, const QString &after,
                   QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton,
                   QWidget *parent = nullptr);

    // Runs the box; the button clicked, or the Escape button (No, Cancel) when it was closed.
    QMessageBox::StandardButton ask();

private:
    QDialogButtonBox *m_buttons = nullptr;
    QMessageBox::StandardButton m_answer = QMessageBox::NoButton;
};
