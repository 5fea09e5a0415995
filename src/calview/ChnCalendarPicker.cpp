#include "calview/ChnCalendarPicker.h"

#include "calview/CalendarBackground.h"
#include "calview/CalendarFonts.h"
#include "calview/DateStepping.h"
#include "calview/MenuAccelerators.h"
#include "calview/TCalendarGrid.h"
#include "calview/TSpinButtons.h"
#include "platform/Clock.h"
#include "platform/HandlerGuard.h"

#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <exception>

namespace {

using CalendarFonts::kArial;
using CalendarFonts::kArialBlack;
using CalendarFonts::kHeiTi;
using CalendarFonts::kSongTi;

// The month number is right-justified: its right edge stays just before "月" whatever the
// number of digits.
constexpr int kMonthNumberRight = 45;
constexpr int kMonthNumberTop = 3;

QString fromUtf8(const std::string& text) {
    return QString::fromStdString(text);
}

void setTextColor(QLabel* label, const QColor& color) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
}

QColor textColor(const QLabel* label) {
    return label->palette().color(QPalette::WindowText);
}

void drawElided(QPainter& p, const QRect& rect, int alignment, const QString& text) {
    if (text.isEmpty() || rect.width() <= 0)
        return;
    const QString shown = p.fontMetrics().elidedText(text, Qt::ElideRight, rect.width());
    p.drawText(rect, alignment | Qt::TextSingleLine, shown);
}

} // namespace

TChnCalendar::TChnCalendar(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFont(CalendarFonts::Make(kSongTi, 9));
    fontDate_ = CalendarFonts::Make(kHeiTi, 9, true);
    fontCnDate_ = CalendarFonts::Make(kSongTi, 9);
    resize(CalendarLayout::kCreatedSize);
    createChildren();
    applyTitleLayout();

    // What the window's creation does: menus, today, and the title on.
    BuildMenus();
    SetDateTime(SystemClock::now());
    SetShowTitle(true);
}

TChnCalendar::~TChnCalendar() = default;

QSize TChnCalendar::sizeHint() const {
    return CalendarLayout::kCreatedSize;
}

void TChnCalendar::createChildren() {
    auto makeLabel = [this](const char* name, const QString& text, const QFont& font,
                            const QColor& color, QPoint position, bool clickable) {
        auto* label = new QLabel(text, this);
        label->setObjectName(QString::fromLatin1(name));
        label->setFont(font);
        setTextColor(label, color);
        label->setContentsMargins(0, 0, 0, 0);
        label->adjustSize();
        label->move(position);
        if (clickable) {
            label->setCursor(Qt::PointingHandCursor);
            label->installEventFilter(this);
        }
        return label;
    };
    // Created first so that the grid, when it covers them, stays on top.
    LabelInfo = makeLabel("LabelInfo", QString(), CalendarFonts::Make(kSongTi, 9),
                          QColor(128, 128, 128), {10, 236}, false);
    LabelToday =
        makeLabel("LabelToday", QStringLiteral("今天"),
                  CalendarFonts::Make(kSongTi, 9, false, true), QColor(0, 0, 255), {272, 18}, true);
    LabelMonth = makeLabel("LabelMonth", QStringLiteral("1"), CalendarFonts::Make(kArial, 24, true),
                           QColor(128, 128, 192), {34, kMonthNumberTop}, true);
    LabelMonth->setAlignment(Qt::AlignRight | Qt::AlignTop);
    LabelMonthWord = makeLabel("LabelMonthWord", QStringLiteral("月"),
                               CalendarFonts::Make(kSongTi, 9), Qt::black, {45, 20}, true);
    LabelYear = makeLabel("LabelYear", QStringLiteral("2000"), CalendarFonts::Make(kArialBlack, 22),
                          QColor(0, 0, 255), {120, 0}, true);
    LabelYearWord = makeLabel("LabelYearWord", QStringLiteral("年"),
                              CalendarFonts::Make(kSongTi, 9), Qt::black, {205, 18}, true);

    Grid = new TCalendarGrid(this);
    Grid->setObjectName(QStringLiteral("Grid"));
    Grid->setAccessibleName(QStringLiteral("万年历"));
    Grid->SelectCell = [this](int column, int row) {
        try {
            return SelectCell(column, row);
        } catch (const std::exception&) {
            return false;
        }
    };
    Grid->DrawCellHandler = [this](QPainter& painter, int column, int row, const QRect& rect,
                                   bool selected, bool focused) {
        DrawCell(painter, column, row, rect, selected, focused);
    };
    Grid->Pressed = [this] { pressed_ = true; };
    Grid->ClickedCurrent = [this] { emit OnDateSelect(); };
    Grid->ContextMenu = [this](QPoint globalPos) {
        if (!showTitle_)
            popupMenu(MenuYear, globalPos);
    };
    setFocusProxy(Grid);

    SpinMonth = new TSpinButtons(0, 13, this);
    SpinMonth->setObjectName(QStringLiteral("SpinMonth"));
    SpinMonth->setAccessibleName(QStringLiteral("月"));
    SpinMonth->setGeometry(60, 10, 16, 24);
    connect(SpinMonth, &TSpinButtons::Clicked, this, guardedSlot(this, &TChnCalendar::StepMonth));
    SpinYear = new TSpinButtons(DateStepping::kFirstYear, DateStepping::kLastYear, this);
    SpinYear->setObjectName(QStringLiteral("SpinYear"));
    SpinYear->setAccessibleName(QStringLiteral("年"));
    SpinYear->setGeometry(220, 10, 16, 24);
    connect(SpinYear, &TSpinButtons::Clicked, this, guardedSlot(this, &TChnCalendar::StepYear));

    MenuMonth = new QMenu(this);
    MenuMonth->setObjectName(QStringLiteral("MenuMonth"));
    MenuYear = new QMenu(this);
    MenuYear->setObjectName(QStringLiteral("MenuYear"));
}

// ---- Layout and background ---------------------------------------------------------------------

void TChnCalendar::applyTitleLayout() {
    Grid->setGeometry(CalendarLayout::GridPlacement(size(), showTitle_));
    SpinMonth->setVisible(showTitle_);
    SpinYear->setVisible(showTitle_);
    LayoutGrid();
    RenderBackground();
    repaintAll();
}

void TChnCalendar::LayoutGrid() {
    Grid->SetMetrics(CalendarLayout::LayoutGrid(Grid->size(), showWeekNum_));
}

void TChnCalendar::RenderBackground() {
    CalendarBackground::Options options;
    options.size = size();
    options.gridBounds = Grid->geometry();
    options.showFrame = showFrame_;
    options.frameColor = colorShowFrame_;
    options.showBackYearMonth = showBackYearMonth_;
    if (dateTime_.isValid()) {
        options.year = dateTime_.date().year();
        options.month = dateTime_.date().month();
    }
    options.yearColor = colorBackYear_;
    options.monthColor = colorBackMonth_;
    options.picture = backGround_;
    options.center = center_;
    options.stretch = stretch_;
    options.alphaBlend = alphaBlend_;
    CalendarBackground::Render(options, background_, pictureLayer_);
}

void TChnCalendar::repaintAll() {
    Grid->update();
    update();
}

void TChnCalendar::rebuildAndRepaint() {
    RenderBackground();
    repaintAll();
}

void TChnCalendar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, background_);
}

void TChnCalendar::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    applyTitleLayout();
}

void TChnCalendar::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange && Grid != nullptr)
        repaintAll();
}

// ---- Cells
// ---------------------------------------------------------------------------------------

void TChnCalendar::DrawCell(QPainter& target, int column, int row, const QRect& rect, bool selected,
                            bool /*focused*/) {
    const int w = rect.width();
    const int h = rect.height();
    if (w <= 0 || h <= 0)
        return;
    if (scratch_.size() != QSize(w, h))
        scratch_ = QImage(w, h, QImage::Format_RGB32);
    scratch_.fill(Qt::white);
    {
        QPainter p(&scratch_);
        p.drawImage(QPoint(0, 0), background_, QRect(Grid->pos() + rect.topLeft(), QSize(w, h)));
        p.setFont(font());
        p.setBrush(Qt::NoBrush);
        const bool showSelected = selected && (!hideSelection_ || Grid->hasFocus());
        try {
            drawCellContent(p, column, row, w, h, selected, showSelected);
        } catch (...) {
            // A failing drawing handler costs its own cell's content, never the repaint.
        }
    }
    target.drawImage(rect.topLeft(), scratch_);
}

void TChnCalendar::drawCellContent(QPainter& p, int column, int row, int w, int h, bool selected,
                                   bool showSelected) {
    if (row == 0) {
        const QRect textRect(0, 0, w - 2, h);
        const QString text =
            CalendarLayout::WeekdayHeaderText(column, textRect.width(), showWeekNum_, QLocale());
        if (column == 0)
            p.setPen(colorWeekNum_);
        else if (column == 1 || column == 7)
            p.setPen(colorTitleWeekEnd_);
        else
            p.setPen(colorTitleWeek_);
        drawElided(p, textRect, Qt::AlignHCenter | Qt::AlignTop, text);
        p.setPen(colorTitleWeekLine_);
        p.drawLine(0, h - 4, w - 1, h - 4);
        if (column == 0 && showWeekNum_ && showWeekNumLine_)
            p.drawLine(w - 1, 0, w - 1, h - 1);
        return;
    }
    if (column == 0) {
        const QString& week = cells_.WeekText(row);
        if (!showWeekNum_ || week.isEmpty())
            return;
        p.setFont(CalendarFonts::Make(kSongTi, 9));
        p.setPen(colorWeekNum_);
        p.drawText(QRect(0, 0, w, h), Qt::AlignCenter | Qt::TextSingleLine, week);
        if (showWeekNumLine_) {
            p.setPen(colorTitleWeekLine_);
            p.drawLine(w - 1, 0, w - 1, h - 1);
        }
        return;
    }
    if (column >= 8)
        return;

    if (showSelected) {
        for (int k = 1; k <= CalendarLayout::kGradientBands; ++k) {
            const auto band =
                CalendarLayout::SelectionBand(k, h, colorSelectedStart_, colorSelectedEnd_);
            if (band.bottom > band.top)
                p.fillRect(0, band.top, w, band.bottom - band.top, band.color);
        }
    }

    const int n = CalendarLayout::CellNumber(column, row);
    const MonthCells::DayCell& cell = cells_.Cell(n);
    if (!cell.Filled)
        return;

    if (n < CalendarLayout::kFirstTitleCell) {
        const QRect whole(0, 0, w, h);
        QString text = cell.DayText;
        bool defaultDraw = true;
        p.setFont(fontDate_);
        p.setPen(cell.DayColor);
        if (OnDrawDateCell)
            OnDrawDateCell(this, cell.DayText.toInt(), p, whole, selected, text, defaultDraw);
        if (defaultDraw)
            drawElided(p, QRect(2, 0, w - 4, h / 2), Qt::AlignHCenter | Qt::AlignBottom, text);

        text = cell.LunarLine;
        defaultDraw = true;
        p.setFont(fontCnDate_);
        p.setPen(cell.LunarColor);
        if (OnDrawCnDateCell)
            OnDrawCnDateCell(this, cell.Day, p, whole, selected, text, defaultDraw);
        if (defaultDraw) {
            drawElided(p, QRect(2, h / 2, w - 4, h - h / 2), Qt::AlignHCenter | Qt::AlignTop, text);
            if (showSelected) {
                p.setPen(colorSelectedFrame_);
                p.setBrush(Qt::NoBrush);
                p.drawRect(0, 0, w - 1, h - 1);
            }
        }
        return;
    }

    if (cell.DayText.isEmpty())
        return;
    p.setFont(CalendarFonts::Make(kSongTi, 9));
    int alignment = Qt::AlignHCenter;
    if (n == CalendarLayout::kFirstTitleCell) {
        p.setPen(colorTitleConstellation_);
    } else {
        p.setPen(colorTitleAnimalsYear_);
        alignment = n == 41 ? Qt::AlignRight : Qt::AlignLeft;
    }
    drawElided(p, QRect(0, 8, w, h - 8), alignment | Qt::AlignTop, cell.DayText);
}

bool TChnCalendar::SelectCell(int column, int row) {
    const int n = CalendarLayout::CellNumber(column, row);
    if (n < 1 || n >= CalendarLayout::kFirstTitleCell)
        return false;
    const MonthCells::DayCell& cell = cells_.Cell(n);
    if (!cell.Filled || !dateTime_.isValid())
        return false;
    const QDate shown = dateTime_.date();
    SetDateTime(QDateTime(QDate(shown.year(), shown.month(), cell.Day), QTime(0, 0)));
    if (pressed_)
        emit OnDateClick();
    return true;
}

// ---- The date
// ------------------------------------------------------------------------------------

void TChnCalendar::SetDateTime(const QDateTime& value) {
    if (dateTime_.isValid() && value == dateTime_)
        return;
    if (!value.isValid() || !DateStepping::YearInRange(value.date().year()))
        return;
    dateTime_ = value;
    const QDate date = value.date();
    SpinYear->SetPosition(date.year());
    SpinMonth->SetPosition(date.month());

    dateTexts_.Calculate(date.year(), date.month(), date.day());
    cnMonth_ = fromUtf8(dateTexts_.LunarMonthText());
    cnDay_ = fromUtf8(dateTexts_.LunarDayText());
    cnDate_ = cnMonth_ + cnDay_;

    setTitleNumbers(date.year(), date.month());
    LabelInfo->setText(MonthCells::InfoLine(date, fromUtf8(dateTexts_.EraText()), cnDate_));
    LabelInfo->adjustSize();
    fillCells(true);
}

void TChnCalendar::setTitleNumbers(int year, int month) {
    LabelYear->setText(QString::number(year));
    LabelYear->adjustSize();
    LabelMonth->setText(QString::number(month));
    LabelMonth->adjustSize();
    LabelMonth->move(kMonthNumberRight - LabelMonth->width(), kMonthNumberTop);
}

void TChnCalendar::FillMonth() {
    if (dateTime_.isValid()) {
        const QDate date = dateTime_.date();
        dateTexts_.Calculate(date.year(), date.month(), date.day());
    }
    fillCells(true);
}

void TChnCalendar::refillMonth() {
    if (!dateTime_.isValid())
        return;
    const QDate date = dateTime_.date();
    dateTexts_.Calculate(date.year(), date.month(), date.day());
    fillCells(false);
}

void TChnCalendar::fillCells(bool notify) {
    const int selectedCell = cells_.Fill(dateTime_.date(), dateTexts_, monthColors_);
    if (selectedCell > 0) {
        const QPoint position = CalendarLayout::CellPosition(selectedCell);
        Grid->MoveCurrent(position.x(), position.y(), false);
    }
    RenderBackground();
    repaintAll();
    if (notify)
        emit OnChange();
}

void TChnCalendar::GoToday() {
    SetDateTime(SystemClock::now());
}

void TChnCalendar::returnSpinsToDate() {
    if (!dateTime_.isValid())
        return;
    SpinYear->SetPosition(dateTime_.date().year());
    SpinMonth->SetPosition(dateTime_.date().month());
}

void TChnCalendar::StepMonth() {
    if (!dateTime_.isValid()) {
        returnSpinsToDate();
        return;
    }
    const DateStepping::Step step =
        DateStepping::MonthStep(dateTime_.date(), SpinMonth->Position());
    SpinYear->SetPosition(step.YearSpin);
    SpinMonth->SetPosition(step.MonthSpin);
    if (step.Target)
        SetDateTime(QDateTime(*step.Target, QTime(0, 0)));
}

void TChnCalendar::StepYear() {
    const int year = SpinYear->Position();
    if (!DateStepping::YearInRange(year)) {
        returnSpinsToDate();
        return;
    }
    if (const auto target = DateStepping::YearStep(dateTime_.date(), year))
        SetDateTime(QDateTime(*target, QTime(0, 0)));
    else
        SetDateTime(SystemClock::now());
}

// ---- Menus
// ---------------------------------------------------------------------------------------

void TChnCalendar::BuildMenus() {
    for (QMenu* menu : {MenuMonth, MenuYear}) {
        menu->clear();
        for (QMenu* sub : menu->findChildren<QMenu*>(Qt::FindDirectChildrenOnly))
            delete sub;
    }
    auto addToday = [this](QMenu* menu, const char* name) {
        QAction* today = menu->addAction(QStringLiteral("今日"));
        today->setObjectName(QString::fromLatin1(name));
        menu->setDefaultAction(today);
        connect(today, &QAction::triggered, this, guardedSlot(this, &TChnCalendar::GoToday));
    };
    auto addSeparator = [](QMenu* menu, const char* name) {
        QAction* separator = menu->addSeparator();
        separator->setObjectName(QString::fromLatin1(name));
    };
    auto addYear = [this](QMenu* menu, const QString& name, int year) {
        QAction* item = menu->addAction(QString::number(year));
        item->setObjectName(name);
        item->setData(year);
        connect(item, &QAction::triggered, this, [this, year] {
            guarded([this, year] {
                SpinYear->SetPosition(year);
                StepYear();
            });
        });
    };
    auto addSubmenu = [](QMenu* menu, const QString& caption, const QString& name) {
        QMenu* sub = menu->addMenu(caption);
        sub->setObjectName(name);
        sub->menuAction()->setObjectName(name);
        return sub;
    };

    addToday(MenuMonth, "MenuMonth_ToDay");
    addSeparator(MenuMonth, "MenuMonth_ToDay_");
    const QLocale locale;
    for (int i = 0; i < 12; ++i) {
        const int month = i + 1;
        QAction* item = MenuMonth->addAction(locale.monthName(month, QLocale::LongFormat));
        item->setObjectName(QStringLiteral("MenuMonth_%1").arg(i));
        item->setData(month);
        connect(item, &QAction::triggered, this, [this, month] {
            guarded([this, month] {
                SpinMonth->SetPosition(month);
                StepMonth();
            });
        });
    }

    addToday(MenuYear, "MenuYear_ToDay");
    addSeparator(MenuYear, "MenuYear_ToDay_1");
    QMenu* history =
        addSubmenu(MenuYear, QStringLiteral("历史日期"), QStringLiteral("MenuYear_History"));
    for (int century = 0; century <= 1800; century += 100) {
        QMenu* sub = addSubmenu(history, QString::number(century),
                                QStringLiteral("MenuYear_History_%1").arg(century + 10));
        for (int year = century + 10; year <= century + 100; year += 10)
            addYear(sub, QStringLiteral("MenuYear_History_%1").arg(year), year);
    }
    addSeparator(MenuYear, "MenuYear_ToDay_2");
    for (int decade = 1900; decade <= 2090; decade += 10) {
        QMenu* sub = addSubmenu(MenuYear, QString::number(decade),
                                QStringLiteral("MenuYear_%1").arg(decade));
        for (int year = decade; year <= decade + 9; ++year)
            addYear(sub, QStringLiteral("MenuYear_%1").arg(year), year);
    }
    MenuAccelerators::Assign(MenuMonth);
    MenuAccelerators::Assign(MenuYear);

    LayoutGrid();
}

void TChnCalendar::popupMenu(QMenu* menu, QPoint globalPos) {
    menu->popup(globalPos);
}

// ---- Mouse
// ---------------------------------------------------------------------------------------

void TChnCalendar::leaveEvent(QEvent* event) {
    pressed_ = false;
    QWidget::leaveEvent(event);
}

bool TChnCalendar::eventFilter(QObject* watched, QEvent* event) {
    QMenu* menu = nullptr;
    if (watched == LabelMonth || watched == LabelMonthWord)
        menu = MenuMonth;
    else if (watched == LabelYear || watched == LabelYearWord)
        menu = MenuYear;

    if (event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        auto* label = qobject_cast<QWidget*>(watched);
        if (mouse->button() != Qt::LeftButton || label == nullptr ||
            !label->rect().contains(mouse->position().toPoint()))
            return QWidget::eventFilter(watched, event);
        if (watched == LabelToday) {
            guarded([this] { GoToday(); });
            return true;
        }
        if (menu != nullptr) {
            popupMenu(menu, mouse->globalPosition().toPoint());
            return true;
        }
    } else if (event->type() == QEvent::ContextMenu && menu != nullptr) {
        popupMenu(menu, static_cast<QContextMenuEvent*>(event)->globalPos());
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

// ---- Properties
// ----------------------------------------------------------------------------------

void TChnCalendar::SetShowTitle(bool on) {
    if (on == showTitle_)
        return;
    showTitle_ = on;
    applyTitleLayout();
}

void TChnCalendar::SetShowWeekNum(bool on) {
    if (on == showWeekNum_)
        return;
    showWeekNum_ = on;
    LayoutGrid();
    Grid->update();
}

void TChnCalendar::SetShowFrame(bool on) {
    showFrame_ = on;
    rebuildAndRepaint();
}

void TChnCalendar::SetShowBackYearMonth(bool on) {
    showBackYearMonth_ = on;
    rebuildAndRepaint();
}

void TChnCalendar::SetShowWeekNumLine(bool on) {
    showWeekNumLine_ = on;
    Grid->update();
}

void TChnCalendar::SetHideSelection(bool on) {
    hideSelection_ = on;
    Grid->update();
}

void TChnCalendar::SetFontDate(const QFont& font) {
    fontDate_ = font;
    Grid->update();
}

void TChnCalendar::SetFontCnDate(const QFont& font) {
    fontCnDate_ = font;
    Grid->update();
}

void TChnCalendar::SetColorTitleWeekLine(const QColor& c) {
    colorTitleWeekLine_ = c;
    Grid->update();
}

void TChnCalendar::SetColorTitleWeekEnd(const QColor& c) {
    colorTitleWeekEnd_ = c;
    Grid->update();
}

void TChnCalendar::SetColorTitleWeek(const QColor& c) {
    colorTitleWeek_ = c;
    Grid->update();
}

void TChnCalendar::SetColorCnDate(const QColor& c) {
    monthColors_.CnDate = c;
    refillMonth();
}

void TChnCalendar::SetColorDate(const QColor& c) {
    monthColors_.Date = c;
    refillMonth();
}

void TChnCalendar::SetColorHoliday(const QColor& c) {
    monthColors_.Holiday = c;
    refillMonth();
}

void TChnCalendar::SetColorLunarHolDay(const QColor& c) {
    monthColors_.LunarHolDay = c;
    refillMonth();
}

void TChnCalendar::SetColorCnHolDay(const QColor& c) {
    monthColors_.CnHolDay = c;
    refillMonth();
}

void TChnCalendar::SetColorSelectedStart(const QColor& c) {
    colorSelectedStart_ = c;
    Grid->update();
}

void TChnCalendar::SetColorSelectedEnd(const QColor& c) {
    colorSelectedEnd_ = c;
    Grid->update();
}

void TChnCalendar::SetColorSelectedFrame(const QColor& c) {
    colorSelectedFrame_ = c;
    Grid->update();
}

void TChnCalendar::SetColorWeekNum(const QColor& c) {
    colorWeekNum_ = c;
    if (showWeekNum_)
        Grid->update();
}

void TChnCalendar::SetColorShowFrame(const QColor& c) {
    colorShowFrame_ = c;
    if (showFrame_)
        rebuildAndRepaint();
}

void TChnCalendar::SetColorBackYear(const QColor& c) {
    colorBackYear_ = c;
    rebuildAndRepaint();
}

void TChnCalendar::SetColorBackMonth(const QColor& c) {
    colorBackMonth_ = c;
    rebuildAndRepaint();
}

QColor TChnCalendar::ColorTitleToday() const {
    return textColor(LabelToday);
}
void TChnCalendar::SetColorTitleToday(const QColor& c) {
    setTextColor(LabelToday, c);
}
QColor TChnCalendar::ColorTitleMonth() const {
    return textColor(LabelMonth);
}
void TChnCalendar::SetColorTitleMonth(const QColor& c) {
    setTextColor(LabelMonth, c);
}
QColor TChnCalendar::ColorTitleYear() const {
    return textColor(LabelYear);
}
void TChnCalendar::SetColorTitleYear(const QColor& c) {
    setTextColor(LabelYear, c);
}
QColor TChnCalendar::ColorTitleSelected() const {
    return textColor(LabelInfo);
}
void TChnCalendar::SetColorTitleSelected(const QColor& c) {
    setTextColor(LabelInfo, c);
}

void TChnCalendar::SetColorTitleConstellation(const QColor& c) {
    colorTitleConstellation_ = c;
    Grid->update();
}

void TChnCalendar::SetColorTitleAnimalsYear(const QColor& c) {
    colorTitleAnimalsYear_ = c;
    Grid->update();
}

void TChnCalendar::SetBackGround(const QImage& picture) {
    backGround_ = picture;
    rebuildAndRepaint();
}

void TChnCalendar::SetCenter(bool on) {
    center_ = on;
    rebuildAndRepaint();
}

void TChnCalendar::SetStretch(bool on) {
    stretch_ = on;
    rebuildAndRepaint();
}

void TChnCalendar::SetTransparent(bool on) {
    transparent_ = on;
    rebuildAndRepaint();
}

void TChnCalendar::SetAlphaBlend(int value) {
    alphaBlend_ = std::clamp(value, 0, 255);
    rebuildAndRepaint();
}
