#pragma once

#include "platform/ReportList.h"
#include "store/Query.h"
#include "store/Session.h"
#include "store/UserNames.h"

#include <QIcon>
#include <QMetaObject>
#include <QString>
#include <optional>
#include <vector>

// The history list read a page at a time, in its order (by sort key, rows without one first,
// then by key): the first page whenever the lists are read, the next ones as the user scrolls
// to the end. Reading the lists again takes as many rows as the list shows, so that the rows
// fetched, ticked and selected and the scroll position stay. What a reading costs follows the
// rows the user has fetched, never the length of the history: the history only ever grows,
// and the lists are read again whenever the store changes.
class HistoryPages {
public:
    static constexpr int kPageRows = 100;

    // Fills `list`, whose columns are the key, the content, the publisher and the time; each
    // row gets `icon`.
    HistoryPages(const Session& session, ReportList& list, QIcon icon, int pageRows = kPageRows);
    ~HistoryPages();
    HistoryPages(const HistoryPages&) = delete;
    HistoryPages& operator=(const HistoryPages&) = delete;

    // Rows read and not yet shown: every list is read before any is shown, so that a failing
    // read leaves all of them as they were.
    class Reading {
    private:
        friend class HistoryPages;
        struct Position {
            bool unsorted = false; // the row has no sort key
            QString sortKey;       // as stored, bound back as it was read
            qint64 key = 0;
        };
        std::vector<ReportList::Row> rows;
        std::optional<Position> last; // of the last row read
        bool more = false;
        UserNames names;
    };

    // Reads the first page, or as many rows as the list shows where it shows more, naming the
    // publishers from `names` (kept for the pages to come).
    Reading readAgain(const UserNames& names);
    // Puts a reading in, keeping ticks, selection and scroll position with the rows' keys.
    void show(Reading reading);

    // Reads the next page onto the end of the list; the list asks for it as the user scrolls.
    void fetchMore();
    // Reads every row still to come, for what acts on all of them.
    void fetchRest();

private:
    using Position = Reading::Position;
    // Up to `count` rows after `after` (from the first row when there is none).
    Reading read(const std::optional<Position>& after, qint64 count, const UserNames& names);
    // Runs one statement of the page and takes its rows, up to `count` in all; a row beyond
    // them says that more are to come.
    void take(const char* statement, const std::optional<QString>& sortKey,
              std::optional<qint64> key, qint64 count, Reading& reading);
    void append(Reading reading);

    const Session& session_;
    ReportList& list_;
    QIcon icon_;
    int pageRows_;
    Query historyQuery_;
    // Of the rows shown: the publishers' names as last read, and where the next page starts.
    UserNames names_;
    std::optional<Position> last_;
    QMetaObject::Connection moreWanted_;
};
