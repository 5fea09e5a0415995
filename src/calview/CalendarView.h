#pragma once

// The perpetual calendar: a month view of Gregorian days with their lunar dates, solar terms,
// festivals, star sign and sexagenary year, over a faint watermark of the shown year and month.
//
//   auto* calendar = new CalendarView(page);      // 313 x 253, today selected, title shown
//   calendar->setDateTime(SystemClock::now());
//   connect(calendar, &CalendarView::changed, ...);
//   QDate picked = calendar->dateTime().date();
//
// The title above the grid holds the month and year (each with spin buttons and a popup menu
// of months or years) and the "今天" link; the info line below the grid sums up the selected
// date. Clicking a day selects it; empty cells, the header and the title cells at the bottom
// right cannot be selected.

#include "calview/CalendarLayout.h"
#include "calview/MonthCells.h"
#include "chncal/ChnCalendarUse.h"

#include <QColor>
#include <QDateTime>
#include <QFont>
#include <QImage>
#include <QString>
#include <QWidget>
#include <functional>
#include <map>

class QHelpEvent;
class QLabel;
class QMenu;
class QPainter;
class CalendarGrid;
class SpinButtons;

// Called before the day number (dayNumberDrawHandler) and the lunar line (lunarLineDrawHandler)
// of a day cell are drawn. `canvas` paints on the cell being composed, whose rectangle `rect`
// starts at (0, 0); `day` is the Gregorian day. The handler may change `text`, or draw by itself
// and clear `defaultDraw` so that the text is not drawn.
// The marked days of a month (1..31) with the tooltip text of each; asked once per month shown.
using MonthMarks = std::function<std::map<int, QString>(int year, int month)>;

using DayCellDrawHandler =
    std::function<void(QObject* sender, int day, QPainter& canvas, const QRect& rect, bool selected,
                       QString& text, bool& defaultDraw)>;

class CalendarView : public QWidget {
    Q_OBJECT
public:
    explicit CalendarView(QWidget* parent = nullptr);
    ~CalendarView() override;

    // The size the control is created with.
    QSize sizeHint() const override;

    // ---- The date ---------------------------------------------------------------------------

    // Invalid until the first assignment (the constructor assigns the current moment).
    QDateTime dateTime() const { return dateTime_; }
    // Shows the month of `value` with its day selected and emits changed(). The same value
    // again does nothing; values outside the years 1..2100 are refused silently.
    void setDateTime(const QDateTime& value);

    // Lunar month and day of the selected date ("正月", "初一", "正月初一"); stored texts
    // that every change of the date overwrites.
    QString lunarDateText() const { return lunarDateText_; }
    void setLunarDateText(const QString& text) { lunarDateText_ = text; }
    QString lunarMonthText() const { return lunarMonthText_; }
    void setLunarMonthText(const QString& text) { lunarMonthText_ = text; }
    QString lunarDayText() const { return lunarDayText_; }
    void setLunarDayText(const QString& text) { lunarDayText_ = text; }

    // ---- What shows ---------------------------------------------------------------------------

    bool titleVisible() const { return titleVisible_; }
    void setTitleVisible(bool on);
    bool weekNumbersVisible() const { return weekNumbersVisible_; }
    void setWeekNumbersVisible(bool on);
    bool frameVisible() const { return frameVisible_; }
    void setFrameVisible(bool on);
    bool watermarkVisible() const { return watermarkVisible_; }
    void setWatermarkVisible(bool on);
    bool weekNumberLineVisible() const { return weekNumberLineVisible_; }
    void setWeekNumberLineVisible(bool on);
    // The selected day is painted only while the grid has the focus.
    bool hideSelection() const { return hideSelection_; }
    void setHideSelection(bool on);

    QFont dayFont() const { return dayFont_; }
    void setDayFont(const QFont& font);
    QFont lunarFont() const { return lunarFont_; }
    void setLunarFont(const QFont& font);

    // ---- Colours ------------------------------------------------------------------------------

    QColor headerLineColor() const { return headerLineColor_; }
    void setHeaderLineColor(const QColor& c);
    QColor weekendHeaderColor() const { return weekendHeaderColor_; }
    void setWeekendHeaderColor(const QColor& c);
    QColor weekdayHeaderColor() const { return weekdayHeaderColor_; }
    void setWeekdayHeaderColor(const QColor& c);
    // These five decide the cells' contents: changing one refills the shown month.
    QColor lunarDayColor() const { return monthColors_.lunarDay; }
    void setLunarDayColor(const QColor& c);
    QColor dayColor() const { return monthColors_.day; }
    void setDayColor(const QColor& c);
    QColor solarFestivalColor() const { return monthColors_.solarFestival; }
    void setSolarFestivalColor(const QColor& c);
    QColor solarTermColor() const { return monthColors_.solarTerm; }
    void setSolarTermColor(const QColor& c);
    QColor lunarFestivalColor() const { return monthColors_.lunarFestival; }
    void setLunarFestivalColor(const QColor& c);
    QColor selectionStartColor() const { return selectionStartColor_; }
    void setSelectionStartColor(const QColor& c);
    QColor selectionEndColor() const { return selectionEndColor_; }
    void setSelectionEndColor(const QColor& c);
    QColor selectionFrameColor() const { return selectionFrameColor_; }
    void setSelectionFrameColor(const QColor& c);
    QColor weekNumberColor() const { return weekNumberColor_; }
    void setWeekNumberColor(const QColor& c);
    QColor frameColor() const { return frameColor_; }
    void setFrameColor(const QColor& c);
    QColor watermarkYearColor() const { return watermarkYearColor_; }
    void setWatermarkYearColor(const QColor& c);
    QColor watermarkMonthColor() const { return watermarkMonthColor_; }
    void setWatermarkMonthColor(const QColor& c);
    // The text colours of the today link, the month number, the year number and the info line.
    QColor todayLinkColor() const;
    void setTodayLinkColor(const QColor& c);
    QColor monthNumberColor() const;
    void setMonthNumberColor(const QColor& c);
    QColor yearNumberColor() const;
    void setYearNumberColor(const QColor& c);
    QColor infoLineColor() const;
    void setInfoLineColor(const QColor& c);
    // Star sign (cell 40) and sexagenary/animal year (cells 41, 42).
    QColor starSignColor() const { return starSignColor_; }
    void setStarSignColor(const QColor& c);
    QColor lunarYearColor() const { return lunarYearColor_; }
    void setLunarYearColor(const QColor& c);

    // ---- Background picture -------------------------------------------------------------------

    // Blended into the background; pixels of the colour of its top-left corner (after placing)
    // are left out.
    QImage backgroundPicture() const { return backgroundPicture_; }
    void setBackgroundPicture(const QImage& picture);
    bool center() const { return center_; }
    void setCenter(bool on);
    bool stretch() const { return stretch_; }
    void setStretch(bool on);
    bool transparent() const { return transparent_; }
    void setTransparent(bool on);
    // Weight of the picture in percent, taken mod 100 (100 leaves the background unchanged).
    int alphaBlend() const { return alphaBlend_; }
    void setAlphaBlend(int value);

    // ---- Drawing events -----------------------------------------------------------------------

    DayCellDrawHandler dayNumberDrawHandler;
    DayCellDrawHandler lunarLineDrawHandler;

    // ---- Marked days --------------------------------------------------------------------------

    // Days that carry something of the user's get a mark in their cell and list it in their
    // tooltip. The marks of the shown month are asked for whenever another month is shown,
    // and again by refreshMarks() when what they come from has changed.
    void setMonthMarks(MonthMarks marks);
    void refreshMarks();
    // The tooltip text of a day of the shown month; empty for a day without a mark.
    QString markText(int day) const;

    // ---- What the grid paints, for tests ------------------------------------------------------

    // The contents of the shown month as the grid paints them: no child control holds them,
    // so a test reads them here rather than from pixels. The controls themselves (grid, the
    // title's labels, spins and menus) carry their names as object names: "grid",
    // "todayLabel", "monthLabel", "monthWordLabel", "yearLabel", "yearWordLabel", "infoLabel",
    // "monthSpin", "yearSpin", "monthMenu", "yearMenu".
    const MonthCells::DayCell& cell(int cellNumber) const { return cells_.cell(cellNumber); }
    const QString& weekText(int row) const { return cells_.weekText(row); }
    const QImage& background() const { return background_; }

signals:
    // After every change of dateTime().
    void changed();
    // A click released over the current day cell.
    void dateSelected();
    // A day was selected while the mouse, pressed in the grid, has not left the control.
    void dateClicked();
    // A day cell was double-clicked.
    void dayDoubleClicked(const QDate& day);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Sets the date to the current moment.
    void goToday();
    // The month spin (0..13) has moved: show that month (13 and 0 cross into the neighbouring
    // years), the day pulled back to the month's last day when needed, at 00:00.
    void stepMonth();
    // The year spin has moved: the same month and day in that year (pulled back when needed).
    void stepYear();
    // Rebuilds the cells for the month of dateTime(), the background, repaints, emits changed().
    void fillMonth();
    // Row heights and column widths from the grid's size.
    void layoutGrid();
    // Rebuilds the background picture.
    void renderBackground();
    // Builds the month and year menus afresh.
    void buildMenus();
    // Draws cell (column, row) at `rect` (grid coordinates) through the one-cell scratch
    // picture onto `target`.
    void drawCell(QPainter& target, int column, int row, const QRect& rect, bool selected,
                  bool focused);
    // The grid's veto: only filled date cells can be selected, and selecting one shows it.
    bool selectCell(int column, int row);
    void createChildren();
    void applyTitleLayout();
    void refillMonth();
    void fillCells(bool notify);
    void repaintAll();
    void rebuildAndRepaint();
    void setTitleNumbers(int year, int month);
    void returnSpinsToDate();
    void popupMenu(QMenu* menu, QPoint globalPos);
    void drawCellContent(QPainter& p, int column, int row, int w, int h, bool selected,
                         bool showSelected);
    void updateMarks();
    bool showMarkTip(QHelpEvent* event);
    void onCellDoubleClicked(int column, int row);

    QDateTime dateTime_;
    QString lunarDateText_;
    QString lunarMonthText_;
    QString lunarDayText_;

    bool titleVisible_ = false;
    bool weekNumbersVisible_ = false;
    bool frameVisible_ = true;
    bool watermarkVisible_ = true;
    bool weekNumberLineVisible_ = true;
    bool hideSelection_ = false;
    QFont dayFont_;
    QFont lunarFont_;

    QColor headerLineColor_{197, 197, 197};
    QColor weekendHeaderColor_{255, 0, 0};
    QColor weekdayHeaderColor_{79, 79, 79};
    MonthCells::MonthColors monthColors_;
    QColor selectionStartColor_{0, 174, 83};
    QColor selectionEndColor_{0, 213, 101};
    QColor selectionFrameColor_{0, 147, 70};
    QColor weekNumberColor_{128, 128, 128};
    QColor frameColor_{128, 128, 128};
    QColor watermarkYearColor_{255, 232, 221};
    QColor watermarkMonthColor_{235, 235, 235};
    QColor starSignColor_{0, 0, 0};
    QColor lunarYearColor_{0, 0, 0};

    QImage backgroundPicture_;
    bool center_ = false;
    bool stretch_ = false;
    bool transparent_ = false;
    int alphaBlend_ = 50;

    ChnCalendarUse::ChineseDateTexts dateTexts_;
    MonthCells::MonthSheet cells_;
    CalendarGrid* grid = nullptr;
    QLabel* todayLabel = nullptr;
    QLabel* monthLabel = nullptr;
    QLabel* monthWordLabel = nullptr;
    QLabel* yearLabel = nullptr;
    QLabel* yearWordLabel = nullptr;
    QLabel* infoLabel = nullptr;
    SpinButtons* monthSpin = nullptr;
    SpinButtons* yearSpin = nullptr;
    QMenu* monthMenu = nullptr;
    QMenu* yearMenu = nullptr;

    MonthMarks monthMarks_;
    std::map<int, QString> marks_; // of the shown month
    QDate marksMonth_;             // the month marks_ belongs to

    QImage background_;
    QImage pictureLayer_;
    QImage scratch_;
    bool pressed_ = false;
};
