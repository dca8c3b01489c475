#include "properties/ChoiceList.h"

#include <QComboBox>
#include <QCoreApplication>

namespace ChoiceList {

QComboBox *words(const QStringList &words, const QString &current, QWidget *parent)
{
    auto *combo = new QComboBox(parent);
    combo->setEditable(false);
    combo->addItems(words);
    combo->setCurrentIndex(qMax(0, int(words.indexOf(current))));
    return combo;
}

QComboBox *recoveryActions(const QString &currentType, QWidget *parent)
{
    auto *combo = new QComboBox(parent);
    combo->setEditable(false);
    combo->addItem(QCoreApplication::translate("ImportDialog", "Take No Action"),
                   QStringLiteral("none"));
    combo->addItem(QCoreApplication::translate("ImportDialog", "Restart the Service"),
                   QStringLiteral("restart"));
    combo->addItem(QCoreApplication::translate("ImportDialog", "Run a Program"),
                   QStringLiteral("run_command"));
    combo->addItem(QCoreApplication::translate("ImportDialog", "Restart the Computer"),
                   QStringLiteral("reboot"));
    // findData compares strings exactly, with case.
    combo->setCurrentIndex(qMax(0, combo->findData(currentType)));
    return combo;
}

QString recoveryActionType(const QComboBox *combo)
{
    return combo->currentData().toString();
}

} // namespace ChoiceList
