#include "calview/MenuAccelerators.h"

#include <QAction>
#include <QMenu>
#include <QSet>

namespace MenuAccelerators {

namespace {

bool isHotkeyCharacter(QChar c) {
    return c.unicode() < 128 && c.isLetterOrNumber();
}

} // namespace

void assign(QMenu* menu) {
    QSet<QChar> used;
    for (QAction* action : menu->actions()) {
        if (action->isSeparator())
            continue;
        QString caption = action->text();
        caption.replace(QStringLiteral("&"), QStringLiteral("&&"));
        for (qsizetype i = 0; i < caption.size(); ++i) {
            const QChar key = caption[i].toUpper();
            if (isHotkeyCharacter(key) && !used.contains(key)) {
                used.insert(key);
                caption.insert(i, QLatin1Char('&'));
                break;
            }
        }
        action->setText(caption);
        if (action->menu() != nullptr)
            assign(action->menu());
    }
}

} // namespace MenuAccelerators
