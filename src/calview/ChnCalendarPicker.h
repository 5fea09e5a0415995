#pragma once

// The perpetual calendar: a month view of Gregorian days with their lunar dates, solar terms,
// festivals, star sign and sexagenary year, over a faint watermark of the shown year and month.
//
//   auto* calendar = new TChnCalendar(page);      // 313 x 253, today selected, title shown
//   calendar->SetDateTime(SystemClock::now());
//   connect(calendar, &TChnCalendar::OnChange, ...);
//   QDate picked = calendar->DateTime().date();
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

class QLabel;
class QMenu;
class QPainter;
class TCalendarGrid;
class TSpinButtons;

// Raised before the day number (OnDrawDateCell) and the lunar line (OnDrawCnDateCell) of a day
// cell are drawn. `aCanvas` paints on the cell being composed, whose rectangle `R` starts at
// (0, 0); `Day` is the Gregorian day. The handler may change `Text`, or draw by itself and
// clear `defaultDraw` so that the text is not drawn.
using TDrawDateCellEvent =
    std::function<void(QObject* Sender, int Day, QPainter& aCanvas, const QRect& R, bool Selected,
                       QString& Text, bool& defaultDraw)>;

class TChnCalendar : public QWidget {
    Q_OBJECT
public:
    explicit TChnCalendar(QWidget* parent = nullptr);
    ~TChnCalendar() override;

    // The size the control is created with.
    QSize sizeHint() const override;

    // ---- The date ---------------------------------------------------------------------------

    // Invalid until the first assignment (the constructor assigns the current moment).
    QDateTime DateTime() const { return dateTime_; }
    // Shows the month of `value` with its day selected and raises OnChange. The same value
    // again does nothing; values outside the years 1..2100 are refused silently.
    void SetDateTime(const QDateTime& value);
    // DateTime := the current moment.
    void GoToday();
    // The month spin (0..13) has moved: show that month (13 and 0 cross into the neighbouring
    // years), the day pulled back to the month's last day when needed, at 00:00.
    void StepMonth();
    // The year spin has moved: the same month and day in that year (pulled back when needed).
    void StepYear();

    // Lunar month and day of the selected date ("正月", "初一", "正月初一"); stored texts
    // that every change of DateTime overwrites.
    QString CnDate() const { return cnDate_; }
    void SetCnDate(const QString& text) { cnDate_ = text; }
    QString CnMonth() const { return cnMonth_; }
    void SetCnMonth(const QString& text) { cnMonth_ = text; }
    QString CnDay() const { return cnDay_; }
    void SetCnDay(const QString& text) { cnDay_ = text; }

    // ---- What shows ---------------------------------------------------------------------------

    bool ShowTitle() const { return showTitle_; }
    void SetShowTitle(bool on);
    bool ShowWeekNum() const { return showWeekNum_; }
    void SetShowWeekNum(bool on);
    bool ShowFrame() const { return showFrame_; }
    void SetShowFrame(bool on);
    bool ShowBackYearMonth() const { return showBackYearMonth_; }
    void SetShowBackYearMonth(bool on);
    bool ShowWeekNumLine() const { return showWeekNumLine_; }
    void SetShowWeekNumLine(bool on);
    // The selected day is painted only while the grid has the focus.
    bool HideSelection() const { return hideSelection_; }
    void SetHideSelection(bool on);

    QFont FontDate() const { return fontDate_; }
    void SetFontDate(const QFont& font);
    QFont FontCnDate() const { return fontCnDate_; }
    void SetFontCnDate(const QFont& font);

    // ---- Colours ------------------------------------------------------------------------------

    QColor ColorTitleWeekLine() const { return colorTitleWeekLine_; }
    void SetColorTitleWeekLine(const QColor& c);
    QColor ColorTitleWeekEnd() const { return colorTitleWeekEnd_; }
    void SetColorTitleWeekEnd(const QColor& c);
    QColor ColorTitleWeek() const { return colorTitleWeek_; }
    void SetColorTitleWeek(const QColor& c);
    // These five decide the cells' contents: changing one refills the shown month.
    QColor ColorCnDate() const { return monthColors_.CnDate; }
    void SetColorCnDate(const QColor& c);
    QColor ColorDate() const { return monthColors_.Date; }
    void SetColorDate(const QColor& c);
    QColor ColorHoliday() const { return monthColors_.Holiday; }
    void SetColorHoliday(const QColor& c);
    QColor ColorLunarHolDay() const { return monthColors_.LunarHolDay; }
    void SetColorLunarHolDay(const QColor& c);
    QColor ColorCnHolDay() const { return monthColors_.CnHolDay; }
    void SetColorCnHolDay(const QColor& c);
    QColor ColorSelectedStart() const { return colorSelectedStart_; }
    void SetColorSelectedStart(const QColor& c);
    QColor ColorSelectedEnd() const { return colorSelectedEnd_; }
    void SetColorSelectedEnd(const QColor& c);
    QColor ColorSelectedFrame() const { return colorSelectedFrame_; }
    void SetColorSelectedFrame(const QColor& c);
    QColor ColorWeekNum() const { return colorWeekNum_; }
    void SetColorWeekNum(const QColor& c);
    QColor ColorShowFrame() const { return colorShowFrame_; }
    void SetColorShowFrame(const QColor& c);
    QColor ColorBackYear() const { return colorBackYear_; }
    void SetColorBackYear(const QColor& c);
    QColor ColorBackMonth() const { return colorBackMonth_; }
    void SetColorBackMonth(const QColor& c);
    // The text colours of the today link, the month number, the year number and the info line.
    QColor ColorTitleToday() const;
    void SetColorTitleToday(const QColor& c);
    QColor ColorTitleMonth() const;
    void SetColorTitleMonth(const QColor& c);
    QColor ColorTitleYear() const;
    void SetColorTitleYear(const QColor& c);
    QColor ColorTitleSelected() const;
    void SetColorTitleSelected(const QColor& c);
    // Star sign (cell 40) and sexagenary/animal year (cells 41, 42).
    QColor ColorTitleConstellation() const { return colorTitleConstellation_; }
    void SetColorTitleConstellation(const QColor& c);
    QColor ColorTitleAnimalsYear() const { return colorTitleAnimalsYear_; }
    void SetColorTitleAnimalsYear(const QColor& c);

    // ---- Background picture -------------------------------------------------------------------

    // Blended into the background; pixels of the colour of its top-left corner (after placing)
    // are left out.
    QImage BackGround() const { return backGround_; }
    void SetBackGround(const QImage& picture);
    bool Center() const { return center_; }
    void SetCenter(bool on);
    bool Stretch() const { return stretch_; }
    void SetStretch(bool on);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool on);
    // Weight of the picture in percent, taken mod 100 (100 leaves the background unchanged).
    int AlphaBlend() const { return alphaBlend_; }
    void SetAlphaBlend(int value);

    // ---- Drawing events -----------------------------------------------------------------------

    TDrawDateCellEvent OnDrawDateCell;
    TDrawDateCellEvent OnDrawCnDateCell;

    // ---- Parts, for the main window and for tests ---------------------------------------------

    // Rebuilds the cells for the month of DateTime, the background, repaints, raises OnChange.
    void FillMonth();
    // Row heights and column widths from the grid's size.
    void LayoutGrid();
    // Rebuilds the background picture.
    void RenderBackground();
    // Builds the month and year menus afresh.
    void BuildMenus();
    // Draws cell (column, row) at `rect` (grid coordinates) through the one-cell scratch
    // picture onto `target`.
    void DrawCell(QPainter& target, int column, int row, const QRect& rect, bool selected,
                  bool focused);
    // The grid's veto: only filled date cells can be selected, and selecting one shows it.
    bool SelectCell(int column, int row);

    const MonthCells::DayCell& Cell(int cellNumber) const { return cells_.Cell(cellNumber); }
    const QString& WeekText(int row) const { return cells_.WeekText(row); }
    const QImage& Background() const { return background_; }
    bool PressedFlag() const { return pressed_; }

    TCalendarGrid* Grid = nullptr;
    QLabel* LabelToday = nullptr;
    QLabel* LabelMonth = nullptr;
    QLabel* LabelMonthWord = nullptr;
    QLabel* LabelYear = nullptr;
    QLabel* LabelYearWord = nullptr;
    QLabel* LabelInfo = nullptr;
    TSpinButtons* SpinMonth = nullptr;
    TSpinButtons* SpinYear = nullptr;
    QMenu* MenuMonth = nullptr;
    QMenu* MenuYear = nullptr;

signals:
    // After every change of DateTime.
    void OnChange();
    // A click released over the current day cell.
    void OnDateSelect();
    // A day was selected while the mouse, pressed in the grid, has not left the control.
    void OnDateClick();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
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

    QDateTime dateTime_;
    QString cnDate_;
    QString cnMonth_;
    QString cnDay_;

    bool showTitle_ = false;
    bool showWeekNum_ = false;
    bool showFrame_ = true;
    bool showBackYearMonth_ = true;
    bool showWeekNumLine_ = true;
    bool hideSelection_ = false;
    QFont fontDate_;
    QFont fontCnDate_;

    QColor colorTitleWeekLine_{197, 197, 197};
    QColor colorTitleWeekEnd_{255, 0, 0};
    QColor colorTitleWeek_{79, 79, 79};
    MonthCells::MonthColors monthColors_;
    QColor colorSelectedStart_{0, 174, 83};
    QColor colorSelectedEnd_{0, 213, 101};
    QColor colorSelectedFrame_{0, 147, 70};
    QColor colorWeekNum_{128, 128, 128};
    QColor colorShowFrame_{128, 128, 128};
    QColor colorBackYear_{255, 232, 221};
    QColor colorBackMonth_{235, 235, 235};
    QColor colorTitleConstellation_{0, 0, 0};
    QColor colorTitleAnimalsYear_{0, 0, 0};

    QImage backGround_;
    bool center_ = false;
    bool stretch_ = false;
    bool transparent_ = false;
    int alphaBlend_ = 50;

    ChnCalendarUse::ChineseDateTexts dateTexts_;
    MonthCells::TMonthCells cells_;
    QImage background_;
    QImage pictureLayer_;
    QImage scratch_;
    bool pressed_ = false;
};
