#pragma once

#include <QChar>
#include <QString>
#include <optional>

class QComboBox;
class QLineEdit;

// The two controls through which people give an interval, in the entry dialogs and in the
// popups' own postponement: the number and its unit.
namespace IntervalInput {

// Whether a typed character may enter the number: backspace, "." and the digits. Control
// characters other than backspace (shortcuts such as copy and paste, Delete) are not typed
// characters and pass.
bool keyPasses(QChar typed);

// Holds the edit to the characters above, however they come: typed keys and text composed by
// an input method that would bring anything else are swallowed, and pasted or dropped text
// loses what does not belong.
void restrictNumber(QLineEdit* edit);

// Fills an editable combo with the four units: each item shows the unit in words and keeps
// the stored unit (秒, 分, 时, 天) as its data, whatever the words are.
void fillUnits(QComboBox* combo);
// The stored unit the combo names: that of the item whose shown text equals the combo's text
// (blanks around it ignored); none for any other text.
std::optional<QString> storedUnit(const QComboBox* combo);
// Shows a stored unit: its item, or the text as stored for a unit outside the four.
void showUnit(QComboBox* combo, const QString& storedUnit);

} // namespace IntervalInput
