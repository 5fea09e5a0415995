// Shows the calendar control as the main window's page holds it and writes pictures of it into
// the folder given on the command line: calendar-2024-02.png (the page's size, 735 x 316) and
// calendar-2024-02-small.png (the control's own size, 313 x 253, where the info line shows), and
// calendar-1368-08-small.png, a month of the published calendar with a leap month and a reign era.
#include "calview/CalendarView.h"

#include <QApplication>
#include <QDir>
#include <QScreen>
#include <QTest>
#include <cstdio>

namespace {

void picture(QWidget& widget, const QString& path) {
    widget.show();
    widget.move(widget.screen()->availableGeometry().center() - widget.rect().center());
    for (int i = 0; i < 20; ++i) {
        QApplication::processEvents();
        QTest::qWait(20);
    }
    if (!widget.grab().save(path))
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    if (qEnvironmentVariableIsSet("QX_SCREENS_LINGER"))
        QTest::qWait(qEnvironmentVariableIntValue("QX_SCREENS_LINGER"));
    widget.hide();
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: calview_screens <folder>\n");
        return 2;
    }
    // The program's users read Chinese month and weekday names.
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    const QDateTime shown(QDate(2024, 2, 10), QTime(9, 30));
    {
        CalendarView calendar;
        calendar.resize(735, 316);
        calendar.setDateTime(shown);
        picture(calendar, folder.filePath(QStringLiteral("calendar-2024-02.png")));
    }
    {
        CalendarView calendar;
        calendar.setDateTime(shown);
        picture(calendar, folder.filePath(QStringLiteral("calendar-2024-02-small.png")));
    }
    {
        CalendarView calendar;
        calendar.setDateTime(QDateTime(QDate(1368, 8, 14), QTime(9, 30)));
        picture(calendar, folder.filePath(QStringLiteral("calendar-1368-08-small.png")));
    }
    return 0;
}
