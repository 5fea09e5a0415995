#pragma once

#include "support/TempStore.h"

#include <QString>
#include <QStringList>
#include <gtest/gtest.h>
#include <sys/types.h>

// The ways a store refuses writes in the field, put on a TempStore for the life of a
// StoreFault. The windows meet them on the session's connection; reads keep working.
enum class StoreFaultKind {
    ReadOnlyFile,   // the store file is 0444: it cannot be written
    ReadOnlyFolder, // the folder is 0555: it takes no new file, so no rollback journal
    FullDisk,       // there is no room for one more page
};

class StoreFault {
public:
    // A test that puts on a read-only fault starts with QX_RUN_WHERE_STORE_FAULT_HOLDS, so that
    // the file modes bind; a fault that does not hold fails the test.
    StoreFault(TempStore& store, StoreFaultKind kind);
    ~StoreFault() { lift(); }
    StoreFault(const StoreFault&) = delete;
    StoreFault& operator=(const StoreFault&) = delete;

    void lift();

    // What the engine answers a write under this fault (one of these, by platform).
    static QStringList reasons(StoreFaultKind kind);
    // Whether a box says `heading` and, on its second line, the engine's answer to this fault.
    static bool reports(const QString& boxText, const QString& heading, StoreFaultKind kind);

    // Where the current test can meet the fault. A process that ignores file modes (root, by
    // CAP_DAC_OVERRIDE and CAP_DAC_READ_SEARCH) runs the same test again in a child process of
    // the same binary without those capabilities, through setpriv, and reports the child's
    // result as the test's own.
    enum class Where {
        Here,      // go on: the fault holds in this process
        Elsewhere, // the child ran the test and its result is recorded: stop
        Nowhere,   // the case cannot run here: skip it, saying `why`
    };
    struct Placement {
        Where where = Where::Here;
        QString why;
    };
    // Under CI=true a case that could have run but cannot is a failure as well as a skip.
    static Placement place(StoreFaultKind kind);

private:
    void reopenSession();
    QVariant pragma(const QString& statement);

    TempStore& store_;
    StoreFaultKind kind_;
    QByteArray file_;
    QByteArray folder_;
    mode_t savedMode_ = 0644;
    qlonglong savedMaxPages_ = 0;
    bool lifted_ = false;
};

// Runs the rest of the test where the fault of `kind` holds: here, in a child process without
// the capabilities that ignore file modes (and then ends the test with the child's result), or
// nowhere (a skip that says why).
#define QX_RUN_WHERE_STORE_FAULT_HOLDS(kind)                                                       \
    if (const StoreFault::Placement placement_ = StoreFault::place(kind);                          \
        placement_.where == StoreFault::Where::Elsewhere)                                          \
        return;                                                                                    \
    else if (placement_.where == StoreFault::Where::Nowhere)                                       \
    GTEST_SKIP() << placement_.why.toStdString()
