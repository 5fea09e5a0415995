#include "app/HistoryPages.h"

#include "chrome/HandlerGuard.h"
#include "store/Statements.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace {
using Column = ReportList::Column;
} // namespace

HistoryPages::HistoryPages(const Session& session, ReportList& list, QIcon icon, int pageRows)
    : session_(session), list_(list), icon_(std::move(icon)), pageRows_(std::max(pageRows, 1)),
      historyQuery_(session.connectionName) {
    // Scrolling is the user's own doing: a failing read shows the default error box.
    moreWanted_ = QObject::connect(&list_, &ReportList::moreRowsWanted, &list_,
                                   [this] { guarded([this] { fetchMore(); }); });
}

HistoryPages::~HistoryPages() {
    QObject::disconnect(moreWanted_);
}

HistoryPages::Reading HistoryPages::readAgain(const UserNames& names) {
    return read(std::nullopt, std::max(pageRows_, list_.count()), names);
}

void HistoryPages::show(Reading reading) {
    last_ = reading.last;
    names_ = std::move(reading.names);
    list_.setMoreRowsToCome(reading.more);
    list_.replaceRows(std::move(reading.rows), icon_);
}

void HistoryPages::fetchMore() {
    if (list_.hasMoreRowsToCome())
        append(read(last_, pageRows_, names_));
}

void HistoryPages::fetchRest() {
    if (list_.hasMoreRowsToCome())
        append(read(last_, std::numeric_limits<qint64>::max() - 1, names_));
}

void HistoryPages::append(Reading reading) {
    if (reading.last)
        last_ = reading.last;
    list_.setMoreRowsToCome(reading.more);
    list_.appendRows(std::move(reading.rows), icon_);
}

HistoryPages::Reading HistoryPages::read(const std::optional<Position>& after, qint64 count,
                                         const UserNames& names) {
    Reading reading;
    reading.names = names;
    if (!after) {
        take(Statements::kHistoryFirstRows, {}, {}, count, reading);
    } else if (after->unsorted) {
        take(Statements::kHistoryUnsortedRowsAfter, {}, after->key, count, reading);
        if (!reading.more)
            take(Statements::kHistorySortedRows, {}, {}, count, reading);
    } else {
        take(Statements::kHistoryTiedRowsAfter, after->sortKey, after->key, count, reading);
        if (!reading.more)
            take(Statements::kHistoryRowsAfterSortKey, after->sortKey, {}, count, reading);
    }
    return reading;
}

void HistoryPages::take(const char* statement, const std::optional<QString>& sortKey,
                        std::optional<qint64> key, qint64 count, Reading& reading) {
    const qint64 taken = static_cast<qint64>(reading.rows.size());
    historyQuery_.setStatement(QString::fromUtf8(statement));
    historyQuery_.bindInteger(QStringLiteral("p"), session_.currentUserKey);
    // One row more than still wanted tells whether more are to come.
    historyQuery_.bindLargeInt(QStringLiteral("n"), count - taken + 1);
    if (sortKey)
        historyQuery_.bindText(QStringLiteral("t"), *sortKey);
    if (key)
        historyQuery_.bindLargeInt(QStringLiteral("k"), *key);
    historyQuery_.open();
    auto field = [this](const char* column) {
        return historyQuery_.fieldAsString(QString::fromLatin1(column));
    };
    for (; !historyQuery_.atEnd(); historyQuery_.next()) {
        if (static_cast<qint64>(reading.rows.size()) >= count) {
            reading.more = true;
            break;
        }
        reading.rows.push_back(list_.row(
            {{Column::Key, field("KeyID")},
             {Column::Content, field("Redetail")},
             {Column::Publisher,
              reading.names.nameOf(historyQuery_.fieldAsInteger(QStringLiteral("ReDOuserID")))},
             {Column::Time, field("ReDotime")}}));
        reading.last =
            Position{historyQuery_.fieldIsNull(QStringLiteral("TotalTime")), field("TotalTime"),
                     historyQuery_.fieldAsInteger(QStringLiteral("KeyID"))};
    }
    // A result kept open would hold on to every row's values until the next reading.
    historyQuery_.close();
}
