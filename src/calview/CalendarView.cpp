#include "calview/CalendarView.h"

#include "calview/CalendarBackground.h"
#include "calview/CalendarFonts.h"
#include "calview/CalendarGrid.h"
#include "calview/DateStepping.h"
#include "calview/MenuAccelerators.h"
#include "calview/SpinButtons.h"
#include "chrome/HandlerGuard.h"
#include "platform/Clock.h"

#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
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
const QColor kMarkColor(230, 80, 30);

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

CalendarView::CalendarView(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFont(CalendarFonts::make(kSongTi, 9));
    dayFont_ = CalendarFonts::make(kHeiTi, 9, true);
    lunarFont_ = CalendarFonts::make(kSongTi, 9);
    resize(CalendarLayout::kCreatedSize);
    createChildren();
    applyTitleLayout();

    // What the window's creation does: menus, today, and the title on.
    buildMenus();
    setDateTime(SystemClock::now());
    setTitleVisible(true);
}

CalendarView::~CalendarView() = default;

QSize CalendarView::sizeHint() const {
    return CalendarLayout::kCreatedSize;
}

void CalendarView::createChildren() {
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
    infoLabel = makeLabel("infoLabel", QString(), CalendarFonts::make(kSongTi, 9),
                          QColor(128, 128, 128), {10, 236}, false);
    todayLabel =
        makeLabel("todayLabel", QStringLiteral("今天"),
                  CalendarFonts::make(kSongTi, 9, false, true), QColor(0, 0, 255), {272, 18}, true);
    monthLabel = makeLabel("monthLabel", QStringLiteral("1"), CalendarFonts::make(kArial, 24, true),
                           QColor(128, 128, 192), {34, kMonthNumberTop}, true);
    monthLabel->setAlignment(Qt::AlignRight | Qt::AlignTop);
    monthWordLabel = makeLabel("monthWordLabel", QStringLiteral("月"),
                               CalendarFonts::make(kSongTi, 9), Qt::black, {45, 20}, true);
    yearLabel = makeLabel("yearLabel", QStringLiteral("2000"), CalendarFonts::make(kArialBlack, 22),
                          QColor(0, 0, 255), {120, 0}, true);
    yearWordLabel = makeLabel("yearWordLabel", QStringLiteral("年"),
                              CalendarFonts::make(kSongTi, 9), Qt::black, {205, 18}, true);

    grid = new CalendarGrid(this);
    grid->setObjectName(QStringLiteral("grid"));
    grid->setAccessibleName(QStringLiteral("万年历"));
    grid->canSelectCell = [this](int column, int row) {
        try {
            return selectCell(column, row);
        } catch (const std::exception&) {
            return false;
        }
    };
    grid->cellPainter = [this](QPainter& painter, int column, int row, const QRect& rect,
                               bool selected, bool focused) {
        drawCell(painter, column, row, rect, selected, focused);
    };
    grid->onPressed = [this] { pressed_ = true; };
    grid->onCurrentCellClicked = [this] { emit dateSelected(); };
    grid->onCellDoubleClicked = [this](int column, int row) {
        guarded([&] { onCellDoubleClicked(column, row); });
    };
    grid->installEventFilter(this);
    grid->onContextMenu = [this](QPoint globalPos) {
        if (!titleVisible_)
            popupMenu(yearMenu, globalPos);
    };
    setFocusProxy(grid);

    monthSpin = new SpinButtons(0, 13, this);
    monthSpin->setObjectName(QStringLiteral("monthSpin"));
    monthSpin->setAccessibleName(QStringLiteral("月"));
    monthSpin->setGeometry(60, 10, 16, 24);
    connect(monthSpin, &SpinButtons::clicked, this, guardedSlot(this, &CalendarView::stepMonth));
    yearSpin = new SpinButtons(DateStepping::kFirstYear, DateStepping::kLastYear, this);
    yearSpin->setObjectName(QStringLiteral("yearSpin"));
    yearSpin->setAccessibleName(QStringLiteral("年"));
    yearSpin->setGeometry(220, 10, 16, 24);
    connect(yearSpin, &SpinButtons::clicked, this, guardedSlot(this, &CalendarView::stepYear));

    monthMenu = new QMenu(this);
    monthMenu->setObjectName(QStringLiteral("monthMenu"));
    yearMenu = new QMenu(this);
    yearMenu->setObjectName(QStringLiteral("yearMenu"));
}

// ---- Layout and background ---------------------------------------------------------------------

void CalendarView::applyTitleLayout() {
    grid->setGeometry(CalendarLayout::gridPlacement(size(), titleVisible_));
    monthSpin->setVisible(titleVisible_);
    yearSpin->setVisible(titleVisible_);
    layoutGrid();
    renderBackground();
    repaintAll();
}

void CalendarView::layoutGrid() {
    grid->setMetrics(CalendarLayout::layoutGrid(grid->size(), weekNumbersVisible_));
}

void CalendarView::renderBackground() {
    CalendarBackground::Options options;
    options.size = size();
    options.gridBounds = grid->geometry();
    options.showFrame = frameVisible_;
    options.frameColor = frameColor_;
    options.showWatermark = watermarkVisible_;
    if (dateTime_.isValid()) {
        options.year = dateTime_.date().year();
        options.month = dateTime_.date().month();
    }
    options.yearColor = watermarkYearColor_;
    options.monthColor = watermarkMonthColor_;
    options.picture = backgroundPicture_;
    options.center = center_;
    options.stretch = stretch_;
    options.alphaBlend = alphaBlend_;
    CalendarBackground::render(options, background_, pictureLayer_);
}

void CalendarView::repaintAll() {
    grid->update();
    update();
}

void CalendarView::rebuildAndRepaint() {
    renderBackground();
    repaintAll();
}

void CalendarView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, background_);
}

void CalendarView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    applyTitleLayout();
}

void CalendarView::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange && grid != nullptr)
        repaintAll();
}

// ---- Cells
// ---------------------------------------------------------------------------------------

void CalendarView::drawCell(QPainter& target, int column, int row, const QRect& rect, bool selected,
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
        p.drawImage(QPoint(0, 0), background_, QRect(grid->pos() + rect.topLeft(), QSize(w, h)));
        p.setFont(font());
        p.setBrush(Qt::NoBrush);
        const bool showSelected = selected && (!hideSelection_ || grid->hasFocus());
        try {
            drawCellContent(p, column, row, w, h, selected, showSelected);
        } catch (...) {
            // A failing drawing handler costs its own cell's content, never the repaint.
        }
    }
    target.drawImage(rect.topLeft(), scratch_);
}

void CalendarView::drawCellContent(QPainter& p, int column, int row, int w, int h, bool selected,
                                   bool showSelected) {
    if (row == 0) {
        const QRect textRect(0, 0, w - 2, h);
        const QString text = CalendarLayout::weekdayHeaderText(column, textRect.width(),
                                                               weekNumbersVisible_, QLocale());
        if (column == 0)
            p.setPen(weekNumberColor_);
        else if (column == 1 || column == 7)
            p.setPen(weekendHeaderColor_);
        else
            p.setPen(weekdayHeaderColor_);
        drawElided(p, textRect, Qt::AlignHCenter | Qt::AlignTop, text);
        p.setPen(headerLineColor_);
        p.drawLine(0, h - 4, w - 1, h - 4);
        if (column == 0 && weekNumbersVisible_ && weekNumberLineVisible_)
            p.drawLine(w - 1, 0, w - 1, h - 1);
        return;
    }
    if (column == 0) {
        const QString& week = cells_.weekText(row);
        if (!weekNumbersVisible_ || week.isEmpty())
            return;
        p.setFont(CalendarFonts::make(kSongTi, 9));
        p.setPen(weekNumberColor_);
        p.drawText(QRect(0, 0, w, h), Qt::AlignCenter | Qt::TextSingleLine, week);
        if (weekNumberLineVisible_) {
            p.setPen(headerLineColor_);
            p.drawLine(w - 1, 0, w - 1, h - 1);
        }
        return;
    }
    if (column >= 8)
        return;

    if (showSelected) {
        for (int k = 1; k <= CalendarLayout::kGradientBands; ++k) {
            const auto band =
                CalendarLayout::selectionBand(k, h, selectionStartColor_, selectionEndColor_);
            if (band.bottom > band.top)
                p.fillRect(0, band.top, w, band.bottom - band.top, band.color);
        }
    }

    const int n = CalendarLayout::cellNumber(column, row);
    const MonthCells::DayCell& cell = cells_.cell(n);
    if (!cell.filled)
        return;

    if (n < CalendarLayout::kFirstTitleCell) {
        const QRect whole(0, 0, w, h);
        QString text = cell.dayText;
        bool defaultDraw = true;
        p.setFont(dayFont_);
        p.setPen(cell.dayColor);
        if (dayNumberDrawHandler)
            dayNumberDrawHandler(this, cell.dayText.toInt(), p, whole, selected, text, defaultDraw);
        if (defaultDraw)
            drawElided(p, QRect(2, 0, w - 4, h / 2), Qt::AlignHCenter | Qt::AlignBottom, text);

        text = cell.lunarLine;
        defaultDraw = true;
        p.setFont(lunarFont_);
        p.setPen(cell.lunarColor);
        if (lunarLineDrawHandler)
            lunarLineDrawHandler(this, cell.day, p, whole, selected, text, defaultDraw);
        if (marks_.count(cell.day) > 0) {
            // A dot just after the day number: the day carries one of the user's reminders.
            const QFontMetrics metrics(dayFont_);
            const int size = std::clamp(metrics.height() / 3, 4, 8);
            const int numberRight = w / 2 + metrics.horizontalAdvance(cell.dayText) / 2;
            const int numberMiddle = h / 2 - metrics.height() / 2;
            p.save();
            p.setRenderHint(QPainter::Antialiasing);
            p.setPen(Qt::NoPen);
            p.setBrush(kMarkColor);
            p.drawEllipse(QRect(std::min(numberRight + 2, w - size - 1), numberMiddle - size / 2,
                                size, size));
            p.restore();
        }
        if (defaultDraw) {
            drawElided(p, QRect(2, h / 2, w - 4, h - h / 2), Qt::AlignHCenter | Qt::AlignTop, text);
            if (showSelected) {
                p.setPen(selectionFrameColor_);
                p.setBrush(Qt::NoBrush);
                p.drawRect(0, 0, w - 1, h - 1);
            }
        }
        return;
    }

    if (cell.dayText.isEmpty())
        return;
    p.setFont(CalendarFonts::make(kSongTi, 9));
    int alignment = Qt::AlignHCenter;
    if (n == CalendarLayout::kFirstTitleCell) {
        p.setPen(starSignColor_);
    } else {
        p.setPen(lunarYearColor_);
        alignment = n == 41 ? Qt::AlignRight : Qt::AlignLeft;
    }
    drawElided(p, QRect(0, 8, w, h - 8), alignment | Qt::AlignTop, cell.dayText);
}

bool CalendarView::selectCell(int column, int row) {
    const int n = CalendarLayout::cellNumber(column, row);
    if (n < 1 || n >= CalendarLayout::kFirstTitleCell)
        return false;
    const MonthCells::DayCell& cell = cells_.cell(n);
    if (!cell.filled || !dateTime_.isValid())
        return false;
    const QDate shown = dateTime_.date();
    setDateTime(QDateTime(QDate(shown.year(), shown.month(), cell.day), QTime(0, 0)));
    if (pressed_)
        emit dateClicked();
    return true;
}

// ---- The date
// ------------------------------------------------------------------------------------

void CalendarView::setDateTime(const QDateTime& value) {
    if (dateTime_.isValid() && value == dateTime_)
        return;
    if (!value.isValid() || !DateStepping::yearInRange(value.date().year()))
        return;
    dateTime_ = value;
    const QDate date = value.date();
    yearSpin->setPosition(date.year());
    monthSpin->setPosition(date.month());

    dateTexts_.Calculate(date.year(), date.month(), date.day());
    lunarMonthText_ = fromUtf8(dateTexts_.LunarMonthText());
    lunarDayText_ = fromUtf8(dateTexts_.LunarDayText());
    lunarDateText_ = lunarMonthText_ + lunarDayText_;

    setTitleNumbers(date.year(), date.month());
    infoLabel->setText(MonthCells::infoLine(date, fromUtf8(dateTexts_.EraText()), lunarDateText_));
    infoLabel->adjustSize();
    fillCells(true);
}

void CalendarView::setTitleNumbers(int year, int month) {
    yearLabel->setText(QString::number(year));
    yearLabel->adjustSize();
    monthLabel->setText(QString::number(month));
    monthLabel->adjustSize();
    monthLabel->move(kMonthNumberRight - monthLabel->width(), kMonthNumberTop);
}

void CalendarView::fillMonth() {
    if (dateTime_.isValid()) {
        const QDate date = dateTime_.date();
        dateTexts_.Calculate(date.year(), date.month(), date.day());
    }
    fillCells(true);
}

void CalendarView::refillMonth() {
    if (!dateTime_.isValid())
        return;
    const QDate date = dateTime_.date();
    dateTexts_.Calculate(date.year(), date.month(), date.day());
    fillCells(false);
}

void CalendarView::fillCells(bool notify) {
    const int selectedCell = cells_.fill(dateTime_.date(), dateTexts_, monthColors_);
    updateMarks();
    if (selectedCell > 0) {
        const QPoint position = CalendarLayout::cellPosition(selectedCell);
        grid->moveCurrent(position.x(), position.y(), false);
    }
    renderBackground();
    repaintAll();
    if (notify)
        emit changed();
}

void CalendarView::setMonthMarks(MonthMarks marks) {
    monthMarks_ = std::move(marks);
    refreshMarks();
}

void CalendarView::refreshMarks() {
    marksMonth_ = QDate();
    updateMarks();
    grid->update();
}

void CalendarView::updateMarks() {
    if (!dateTime_.isValid())
        return;
    // Another day of the same month keeps the month's marks.
    const QDate month(dateTime_.date().year(), dateTime_.date().month(), 1);
    if (month == marksMonth_)
        return;
    marksMonth_ = month;
    marks_.clear();
    if (monthMarks_)
        marks_ = monthMarks_(month.year(), month.month());
}

QString CalendarView::markText(int day) const {
    const auto found = marks_.find(day);
    return found == marks_.end() ? QString() : found->second;
}

bool CalendarView::showMarkTip(QHelpEvent* event) {
    const auto position = grid->metrics().cellAt(event->pos());
    QString text;
    if (position) {
        const int n = CalendarLayout::cellNumber(position->x(), position->y());
        if (n >= 1 && n < CalendarLayout::kFirstTitleCell && cells_.cell(n).filled)
            text = markText(cells_.cell(n).day);
    }
    if (text.isEmpty()) {
        QToolTip::hideText();
        event->ignore();
        return true;
    }
    QToolTip::showText(event->globalPos(), text, grid,
                       grid->cellRect(position->x(), position->y()));
    return true;
}

void CalendarView::onCellDoubleClicked(int column, int row) {
    const int n = CalendarLayout::cellNumber(column, row);
    if (n < 1 || n >= CalendarLayout::kFirstTitleCell || !dateTime_.isValid())
        return;
    const MonthCells::DayCell& cell = cells_.cell(n);
    if (!cell.filled)
        return;
    const QDate shown = dateTime_.date();
    emit dayDoubleClicked(QDate(shown.year(), shown.month(), cell.day));
}

void CalendarView::goToday() {
    setDateTime(SystemClock::now());
}

void CalendarView::returnSpinsToDate() {
    if (!dateTime_.isValid())
        return;
    yearSpin->setPosition(dateTime_.date().year());
    monthSpin->setPosition(dateTime_.date().month());
}

void CalendarView::stepMonth() {
    if (!dateTime_.isValid()) {
        returnSpinsToDate();
        return;
    }
    const DateStepping::Step step =
        DateStepping::monthStep(dateTime_.date(), monthSpin->position());
    yearSpin->setPosition(step.yearSpin);
    monthSpin->setPosition(step.monthSpin);
    if (step.target)
        setDateTime(QDateTime(*step.target, QTime(0, 0)));
}

void CalendarView::stepYear() {
    const int year = yearSpin->position();
    if (!DateStepping::yearInRange(year)) {
        returnSpinsToDate();
        return;
    }
    if (const auto target = DateStepping::yearStep(dateTime_.date(), year))
        setDateTime(QDateTime(*target, QTime(0, 0)));
    else
        setDateTime(SystemClock::now());
}

// ---- Menus
// ---------------------------------------------------------------------------------------

void CalendarView::buildMenus() {
    for (QMenu* menu : {monthMenu, yearMenu}) {
        menu->clear();
        for (QMenu* sub : menu->findChildren<QMenu*>(Qt::FindDirectChildrenOnly))
            delete sub;
    }
    auto addToday = [this](QMenu* menu, const char* name) {
        QAction* today = menu->addAction(QStringLiteral("今日"));
        today->setObjectName(QString::fromLatin1(name));
        menu->setDefaultAction(today);
        connect(today, &QAction::triggered, this, guardedSlot(this, &CalendarView::goToday));
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
                yearSpin->setPosition(year);
                stepYear();
            });
        });
    };
    auto addSubmenu = [](QMenu* menu, const QString& caption, const QString& name) {
        QMenu* sub = menu->addMenu(caption);
        sub->setObjectName(name);
        sub->menuAction()->setObjectName(name);
        return sub;
    };

    addToday(monthMenu, "monthMenu_today");
    addSeparator(monthMenu, "monthMenu_separator");
    const QLocale locale;
    for (int i = 0; i < 12; ++i) {
        const int month = i + 1;
        QAction* item = monthMenu->addAction(locale.monthName(month, QLocale::LongFormat));
        item->setObjectName(QStringLiteral("monthMenu_%1").arg(i));
        item->setData(month);
        connect(item, &QAction::triggered, this, [this, month] {
            guarded([this, month] {
                monthSpin->setPosition(month);
                stepMonth();
            });
        });
    }

    addToday(yearMenu, "yearMenu_today");
    addSeparator(yearMenu, "yearMenu_separator1");
    QMenu* history =
        addSubmenu(yearMenu, QStringLiteral("历史日期"), QStringLiteral("yearMenu_history"));
    for (int century = 0; century <= 1800; century += 100) {
        QMenu* sub = addSubmenu(history, QString::number(century),
                                QStringLiteral("yearMenu_history_%1").arg(century + 10));
        for (int year = century + 10; year <= century + 100; year += 10)
            addYear(sub, QStringLiteral("yearMenu_history_%1").arg(year), year);
    }
    addSeparator(yearMenu, "yearMenu_separator2");
    for (int decade = 1900; decade <= 2090; decade += 10) {
        QMenu* sub = addSubmenu(yearMenu, QString::number(decade),
                                QStringLiteral("yearMenu_%1").arg(decade));
        for (int year = decade; year <= decade + 9; ++year)
            addYear(sub, QStringLiteral("yearMenu_%1").arg(year), year);
    }
    MenuAccelerators::assign(monthMenu);
    MenuAccelerators::assign(yearMenu);

    layoutGrid();
}

void CalendarView::popupMenu(QMenu* menu, QPoint globalPos) {
    menu->popup(globalPos);
}

// ---- Mouse
// ---------------------------------------------------------------------------------------

void CalendarView::leaveEvent(QEvent* event) {
    pressed_ = false;
    QWidget::leaveEvent(event);
}

bool CalendarView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == grid && event->type() == QEvent::ToolTip)
        return showMarkTip(static_cast<QHelpEvent*>(event));
    QMenu* menu = nullptr;
    if (watched == monthLabel || watched == monthWordLabel)
        menu = monthMenu;
    else if (watched == yearLabel || watched == yearWordLabel)
        menu = yearMenu;

    if (event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        auto* label = qobject_cast<QWidget*>(watched);
        if (mouse->button() != Qt::LeftButton || label == nullptr ||
            !label->rect().contains(mouse->position().toPoint()))
            return QWidget::eventFilter(watched, event);
        if (watched == todayLabel) {
            guarded([this] { goToday(); });
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

void CalendarView::setTitleVisible(bool on) {
    if (on == titleVisible_)
        return;
    titleVisible_ = on;
    applyTitleLayout();
}

void CalendarView::setWeekNumbersVisible(bool on) {
    if (on == weekNumbersVisible_)
        return;
    weekNumbersVisible_ = on;
    layoutGrid();
    grid->update();
}

void CalendarView::setFrameVisible(bool on) {
    frameVisible_ = on;
    rebuildAndRepaint();
}

void CalendarView::setWatermarkVisible(bool on) {
    watermarkVisible_ = on;
    rebuildAndRepaint();
}

void CalendarView::setWeekNumberLineVisible(bool on) {
    weekNumberLineVisible_ = on;
    grid->update();
}

void CalendarView::setHideSelection(bool on) {
    hideSelection_ = on;
    grid->update();
}

void CalendarView::setDayFont(const QFont& font) {
    dayFont_ = font;
    grid->update();
}

void CalendarView::setLunarFont(const QFont& font) {
    lunarFont_ = font;
    grid->update();
}

void CalendarView::setHeaderLineColor(const QColor& c) {
    headerLineColor_ = c;
    grid->update();
}

void CalendarView::setWeekendHeaderColor(const QColor& c) {
    weekendHeaderColor_ = c;
    grid->update();
}

void CalendarView::setWeekdayHeaderColor(const QColor& c) {
    weekdayHeaderColor_ = c;
    grid->update();
}

void CalendarView::setLunarDayColor(const QColor& c) {
    monthColors_.lunarDay = c;
    refillMonth();
}

void CalendarView::setDayColor(const QColor& c) {
    monthColors_.day = c;
    refillMonth();
}

void CalendarView::setSolarFestivalColor(const QColor& c) {
    monthColors_.solarFestival = c;
    refillMonth();
}

void CalendarView::setSolarTermColor(const QColor& c) {
    monthColors_.solarTerm = c;
    refillMonth();
}

void CalendarView::setLunarFestivalColor(const QColor& c) {
    monthColors_.lunarFestival = c;
    refillMonth();
}

void CalendarView::setSelectionStartColor(const QColor& c) {
    selectionStartColor_ = c;
    grid->update();
}

void CalendarView::setSelectionEndColor(const QColor& c) {
    selectionEndColor_ = c;
    grid->update();
}

void CalendarView::setSelectionFrameColor(const QColor& c) {
    selectionFrameColor_ = c;
    grid->update();
}

void CalendarView::setWeekNumberColor(const QColor& c) {
    weekNumberColor_ = c;
    if (weekNumbersVisible_)
        grid->update();
}

void CalendarView::setFrameColor(const QColor& c) {
    frameColor_ = c;
    if (frameVisible_)
        rebuildAndRepaint();
}

void CalendarView::setWatermarkYearColor(const QColor& c) {
    watermarkYearColor_ = c;
    rebuildAndRepaint();
}

void CalendarView::setWatermarkMonthColor(const QColor& c) {
    watermarkMonthColor_ = c;
    rebuildAndRepaint();
}

QColor CalendarView::todayLinkColor() const {
    return textColor(todayLabel);
}
void CalendarView::setTodayLinkColor(const QColor& c) {
    setTextColor(todayLabel, c);
}
QColor CalendarView::monthNumberColor() const {
    return textColor(monthLabel);
}
void CalendarView::setMonthNumberColor(const QColor& c) {
    setTextColor(monthLabel, c);
}
QColor CalendarView::yearNumberColor() const {
    return textColor(yearLabel);
}
void CalendarView::setYearNumberColor(const QColor& c) {
    setTextColor(yearLabel, c);
}
QColor CalendarView::infoLineColor() const {
    return textColor(infoLabel);
}
void CalendarView::setInfoLineColor(const QColor& c) {
    setTextColor(infoLabel, c);
}

void CalendarView::setStarSignColor(const QColor& c) {
    starSignColor_ = c;
    grid->update();
}

void CalendarView::setLunarYearColor(const QColor& c) {
    lunarYearColor_ = c;
    grid->update();
}

void CalendarView::setBackgroundPicture(const QImage& picture) {
    backgroundPicture_ = picture;
    rebuildAndRepaint();
}

void CalendarView::setCenter(bool on) {
    center_ = on;
    rebuildAndRepaint();
}

void CalendarView::setStretch(bool on) {
    stretch_ = on;
    rebuildAndRepaint();
}

void CalendarView::setTransparent(bool on) {
    transparent_ = on;
    rebuildAndRepaint();
}

void CalendarView::setAlphaBlend(int value) {
    alphaBlend_ = std::clamp(value, 0, 255);
    rebuildAndRepaint();
}
