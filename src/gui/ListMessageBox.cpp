#include "ListMessageBox.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {

constexpr int VisibleEntries = 8;

QStyle::StandardPixmap pixmapOf(QMessageBox::Icon icon)
{
    switch (icon) {
    case QMessageBox::Information:
        return QStyle::SP_MessageBoxInformation;
    case QMessageBox::Critical:
        return QStyle::SP_MessageBoxCritical;
    case QMessageBox::Question:
        return QStyle::SP_MessageBoxQuestion;
    default:
        return QStyle::SP_MessageBoxWarning;
    }
}

QLabel *textLabel(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

} // namespace

ListMessageBox::ListMessageBox(QMessageBox::Icon icon, const QString &title, const QString &before,
                               const QStringList &entries, const QString &after,
                               QMessageBox::StandardButtons buttons,
                               QMessageBox::StandardButton defaultButton, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("listMessageBox"));
    setWindowTitle(title);
    setMinimumWidth(480); // room for a folder path on one line

    auto *layout = new QHBoxLayout(this);
    if (icon != QMessageBox::NoIcon) {
        auto *iconLabel = new QLabel(this);
        const int size = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
        iconLabel->setPixmap(style()->standardIcon(pixmapOf(icon), nullptr, this).pixmap(size));
        layout->addWidget(iconLabel, 0, Qt::AlignTop);
    }

    auto *column = new QVBoxLayout;
    column->addWidget(textLabel(before, this));
    auto *list = new QListWidget(this);
    list->setObjectName(QStringLiteral("entryList"));
    list->addItems(entries);
    list->setSelectionMode(QAbstractItemView::NoSelection);
    // A few rows high; the rest scrolls.
    const int rows = qBound(1, int(entries.size()), VisibleEntries);
    list->setFixedHeight(list->sizeHintForRow(0) * rows + 2 * list->frameWidth() + 4);
    column->addWidget(list);
    column->addWidget(textLabel(after, this));

    m_buttons = new QDialogButtonBox(QDialogButtonBox::StandardButtons(int(buttons)), this);
    if (QPushButton *button =
            m_buttons->button(QDialogButtonBox::StandardButton(int(defaultButton)))) {
        button->setDefault(true);
        button->setFocus();
    }
    connect(m_buttons, &QDialogButtonBox::clicked, this, [this](QAbstractButton *button) {
        m_answer = QMessageBox::StandardButton(int(m_buttons->standardButton(button)));
        accept();
    });
    column->addWidget(m_buttons);
    layout->addLayout(column, 1);
}

QMessageBox::StandardButton ListMessageBox::ask()
{
    m_answer = QMessageBox::NoButton;
    exec();
    if (m_answer != QMessageBox::NoButton)
        return m_answer;
    for (QMessageBox::StandardButton escape : {QMessageBox::No, QMessageBox::Cancel}) {
        if (m_buttons->button(QDialogButtonBox::StandardButton(int(escape))))
            return escape;
    }
    return QMessageBox::NoButton;
}
