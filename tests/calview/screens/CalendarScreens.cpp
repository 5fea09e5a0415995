// Shows the calendar control as the main window's page holds it and writes pictures of it into
// the folder given on the command line: calendar-2024-02.png (the page's size, 735 x 316) and
// calendar-2024-02-small.png (the control's own size, 313 x 253, where the info line shows), and
// calendar-1368-08-small.png, a month of the published calendar with a leap month and a reign era;
// calendar-2024-02-marks.png, the page's month with the days of a user's reminders marked and
// the tooltip of one of them open (on a real display, for a picture of the whole screen).
#include "calview/CalendarGrid.h"
#include "calview/CalendarView.h"
#include "schedule/ReminderCalendar.h"

#include <QApplication>
#include <QDir>
#include <QScreen>
#include <QTest>
#include <QToolTip>
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
    {
        // A birthday on 正月十五 (by the lunar date, born 1990), a wedding anniversary on
        // 14 February, a one-time meeting, and last year's start of a birthday whose coming
        // occurrence is computed.
        ReminderCalendar reminders;
        reminders.setReminders(
            {{1, ReminderKind::Birthday, QStringLiteral("妈妈的农历生日"),
              QDateTime(QDate(2024, 2, 24), QTime(9, 0)),
              YearlyRepeat::parse(QStringLiteral("L:1990-1-15@09:00"))},
             {2, ReminderKind::Anniversary, QStringLiteral("结婚纪念日，订好餐厅"),
              QDateTime(QDate(2024, 2, 14), QTime(19, 0)),
              YearlyRepeat::parse(QStringLiteral("S:2012-02-14@19:00"))},
             {3, ReminderKind::Ordinary, QStringLiteral("项目例会"),
              QDateTime(QDate(2024, 2, 5), QTime(15, 0)), std::nullopt},
             {4, ReminderKind::Birthday, QStringLiteral("小李生日"),
              QDateTime(QDate(2023, 2, 20), QTime(8, 30)),
              YearlyRepeat::parse(QStringLiteral("S:1995-02-20@08:30"))}});
        CalendarView calendar;
        calendar.resize(735, 316);
        calendar.setMonthMarks(
            [&](int year, int month) { return reminders.monthMarks(year, month); });
        calendar.setDateTime(shown);
        calendar.show();
        calendar.move(calendar.screen()->availableGeometry().center() - calendar.rect().center());
        auto* grid = calendar.findChild<CalendarGrid*>(QStringLiteral("grid"));
        for (int n = 1; n < CalendarLayout::kFirstTitleCell; ++n)
            if (calendar.cell(n).filled && calendar.cell(n).day == 24) {
                const QPoint cell = CalendarLayout::cellPosition(n);
                const QRect rect = grid->cellRect(cell.x(), cell.y());
                QToolTip::showText(grid->mapToGlobal(rect.center()), calendar.markText(24), grid,
                                   rect, 60000);
            }
        picture(calendar, folder.filePath(QStringLiteral("calendar-2024-02-marks.png")));
    }
    return 0;
}
