#include "schedule/IntervalInput.h"

#include "platform/TextConvert.h"
#include "schedule/TimingRules.h"

#include <QComboBox>
#include <QEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QObject>

namespace {

bool belongsInNumber(QChar c) {
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('.');
}

class NumberFilter final : public QObject {
public:
    explicit NumberFilter(QLineEdit* edit) : QObject(edit) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            for (const QChar c : static_cast<QKeyEvent*>(event)->text())
                if (!IntervalInput::keyPasses(c))
                    return true;
        } else if (event->type() == QEvent::InputMethod) {
            for (const QChar c : static_cast<QInputMethodEvent*>(event)->commitString())
                if (!belongsInNumber(c))
                    return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

// Drops from an edited text whatever the key filter would have swallowed, when the text
// arrives by pasting or dropping.
void keepNumberCharacters(QLineEdit* edit, const QString& text) {
    QString kept;
    kept.reserve(text.size());
    for (const QChar c : text)
        if (belongsInNumber(c))
            kept += c;
    if (kept == text)
        return;
    const int dropped = static_cast<int>(text.size() - kept.size());
    const int cursor = std::max(0, edit->cursorPosition() - dropped);
    edit->setText(kept);
    edit->setCursorPosition(std::min(cursor, static_cast<int>(kept.size())));
}

struct Unit {
    const QString* stored;
    const char* shown;
};
const Unit kUnits[] = {
    {&TimingRules::kSecond, "秒"},
    {&TimingRules::kMinute, "分"},
    {&TimingRules::kHour, "时"},
    {&TimingRules::kDay, "天"},
};

} // namespace

bool IntervalInput::keyPasses(QChar typed) {
    if (typed == QChar(8) || belongsInNumber(typed))
        return true;
    return typed.unicode() < 32 || typed.unicode() == 127;
}

void IntervalInput::restrictNumber(QLineEdit* edit) {
    edit->installEventFilter(new NumberFilter(edit));
    QObject::connect(edit, &QLineEdit::textEdited, edit,
                     [edit](const QString& text) { keepNumberCharacters(edit, text); });
}

void IntervalInput::fillUnits(QComboBox* combo) {
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    for (const Unit& unit : kUnits)
        combo->addItem(QString::fromUtf8(unit.shown), *unit.stored);
}

std::optional<QString> IntervalInput::storedUnit(const QComboBox* combo) {
    const QString text = TextConvert::trim(combo->currentText());
    for (int i = 0; i < combo->count(); ++i)
        if (combo->itemText(i) == text)
            return combo->itemData(i).toString();
    return std::nullopt;
}

void IntervalInput::showUnit(QComboBox* combo, const QString& storedUnit) {
    const int index = combo->findData(TextConvert::trim(storedUnit));
    if (index >= 0)
        combo->setCurrentIndex(index);
    else
        combo->setEditText(storedUnit);
}
