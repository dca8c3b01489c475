#pragma once

#include <QString>
#include <QStringList>

class QComboBox;
class QWidget;

// The editor's choice lists: non-editable combo boxes over the record's stored words.
namespace ChoiceList {

// Items are the words themselves. The starting item is the word matched exactly; a word no item
// has leaves the first item selected.
QComboBox *words(const QStringList &words, const QString &current, QWidget *parent);

// A recovery action list: translated texts with the stored word as item data.
QComboBox *recoveryActions(const QString &currentType, QWidget *parent);
// The stored word of the selected recovery action.
QString recoveryActionType(const QComboBox *combo);

} // namespace ChoiceList
