#include "MessageBox.h"

#include "ListMessageBox.h"

namespace {

struct SeamState
{
    bool testMode = false;
    QList<QMessageBox::StandardButton> answers;
    QList<MessageBox::Shown> shown;
};

SeamState &seam()
{
    static SeamState state;
    return state;
}

// In test mode: notes the box and gives the queued answer, or its default button.
QMessageBox::StandardButton recordAndAnswer(const MessageBox::Shown &shown)
{
    SeamState &state = seam();
    state.shown.append(shown);
    if (!state.answers.isEmpty())
        return state.answers.takeFirst();
    return shown.defaultButton != QMessageBox::NoButton ? shown.defaultButton : QMessageBox::Ok;
}

} // namespace

QMessageBox::StandardButton MessageBox::information(QWidget *parent, const QString &title,
                                                    const QString &text,
                                                    QMessageBox::StandardButtons buttons,
                                                    QMessageBox::StandardButton defaultButton)
{
    return show(QMessageBox::Information, parent, title, text, buttons, defaultButton);
}

QMessageBox::StandardButton MessageBox::warning(QWidget *parent, const QString &title,
                                                const QString &text,
                                                QMessageBox::StandardButtons buttons,
                                                QMessageBox::StandardButton defaultButton)
{
    return show(QMessageBox::Warning, parent, title, text, buttons, defaultButton);
}

QMessageBox::StandardButton MessageBox::warningWithList(QWidget *parent, const QString &title,
                                                        const QString &before,
                                                        const QStringList &entries,
                                                        const QString &after,
                                                        QMessageBox::StandardButtons buttons,
                                                        QMessageBox::StandardButton defaultButton)
{
    if (seam().testMode) {
        const QString text =
            before + QStringLiteral("\n\n") + entries.join(u'\n') + QStringLiteral("\n\n") + after;
        return recordAndAnswer(
            {QMessageBox::Warning, title, text, buttons, defaultButton, entries});
    }
    ListMessageBox box(QMessageBox::Warning, title, before, entries, after, buttons, defaultButton,
                       parent);
    return box.ask();
}

void MessageBox::about(QWidget *parent, const QString &title, const QString &text)
{
    SeamState &state = seam();
    if (state.testMode) {
        state.shown.append(
            {QMessageBox::NoIcon, title, text, QMessageBox::Ok, QMessageBox::NoButton, {}});
        return;
    }
    QMessageBox::about(parent, title, text);
}

QMessageBox::StandardButton MessageBox::show(QMessageBox::Icon icon, QWidget *parent,
                                             const QString &title, const QString &text,
                                             QMessageBox::StandardButtons buttons,
                                             QMessageBox::StandardButton defaultButton)
{
    if (seam().testMode)
        return recordAndAnswer({icon, title, text, buttons, defaultButton, {}});
    if (icon == QMessageBox::Warning)
        return QMessageBox::warning(parent, title, text, buttons, defaultButton);
    return QMessageBox::information(parent, title, text, buttons, defaultButton);
}

void MessageBox::setTestMode(bool enabled)
{
    seam().testMode = enabled;
}

void MessageBox::queueAnswer(QMessageBox::StandardButton answer)
{
    seam().answers.append(answer);
}

QList<MessageBox::Shown> MessageBox::shown()
{
    return seam().shown;
}

MessageBox::Shown MessageBox::lastShown()
{
    const auto &shown = seam().shown;
    return shown.isEmpty() ? Shown() : shown.last();
}

void MessageBox::reset()
{
    seam().answers.clear();
    seam().shown.clear();
}
