#pragma once

#include "store/Connection.h"
#include "support/TempStore.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#ifdef __linux__
#include <linux/fs.h>
#include <sys/ioctl.h>
#endif

// The ways a store refuses writes in the field, put on a TempStore for the life of a
// StoreFault. The windows meet them on the session's connection; reads keep working.
enum class StoreFaultKind {
    ReadOnlyFile,   // the store file cannot be written
    ReadOnlyFolder, // the folder takes no new file, so the rollback journal cannot be created
    FullDisk,       // there is no room for one more page
};

class StoreFault {
public:
    StoreFault(TempStore& store, StoreFaultKind kind)
        : store_(store), kind_(kind), file_(QFile::encodeName(store.filePath())),
          folder_(QFile::encodeName(QFileInfo(store.filePath()).absolutePath())) {
        switch (kind_) {
        case StoreFaultKind::ReadOnlyFile:
            denyWrites(file_, [this] { return fileWritable(); });
            // Permission bits and flags do not stop every user (root): the engine's own read-only
            // switch then refuses the writes with the same answer.
            if (fileWritable()) {
                restore(file_);
                pragma(QStringLiteral("PRAGMA query_only = ON"));
                queryOnly_ = true;
            } else {
                reopenSession(); // the open connection would keep the write access it had
            }
            break;
        case StoreFaultKind::ReadOnlyFolder:
            denyWrites(folder_, [this] { return folderWritable(); });
            if (folderWritable()) {
                restore(folder_);
                unavailable_ = QStringLiteral(
                    "this user can create files in a read-only folder and the file system "
                    "offers no immutable flag");
            }
            break;
        case StoreFaultKind::FullDisk:
            savedMaxPages_ = pragma(QStringLiteral("PRAGMA max_page_count")).toLongLong();
            pragma(QStringLiteral("PRAGMA max_page_count = %1")
                       .arg(pragma(QStringLiteral("PRAGMA page_count")).toLongLong()));
            break;
        }
    }
    ~StoreFault() { lift(); }
    StoreFault(const StoreFault&) = delete;
    StoreFault& operator=(const StoreFault&) = delete;

    // Empty when the fault holds; otherwise why this machine cannot produce it.
    const QString& unavailable() const { return unavailable_; }

    // What the engine answers a write under this fault (one of these, by platform and user).
    static QStringList reasons(StoreFaultKind kind) {
        switch (kind) {
        case StoreFaultKind::ReadOnlyFile:
            return {QStringLiteral("attempt to write a readonly database")};
        case StoreFaultKind::ReadOnlyFolder:
            return {QStringLiteral("attempt to write a readonly database"),
                    QStringLiteral("unable to open database file")};
        case StoreFaultKind::FullDisk:
            return {QStringLiteral("database or disk is full")};
        }
        return {};
    }

    // Whether a box says `heading` and, on its second line, the engine's answer to this fault.
    static bool reports(const QString& boxText, const QString& heading, StoreFaultKind kind) {
        const QStringList lines = boxText.split(QLatin1Char('\n'));
        return lines.size() == 2 && lines[0] == heading && reasons(kind).contains(lines[1]);
    }

    void lift() {
        if (lifted_)
            return;
        lifted_ = true;
        switch (kind_) {
        case StoreFaultKind::ReadOnlyFile:
            if (queryOnly_) {
                pragma(QStringLiteral("PRAGMA query_only = OFF"));
            } else {
                restore(file_);
                reopenSession();
            }
            break;
        case StoreFaultKind::ReadOnlyFolder:
            restore(folder_);
            break;
        case StoreFaultKind::FullDisk:
            pragma(QStringLiteral("PRAGMA max_page_count = %1").arg(savedMaxPages_));
            break;
        }
    }

private:
    // Clears the write bits, and where they do not bind sets the immutable flag as well.
    template <class Writable> void denyWrites(const QByteArray& path, Writable writable) {
        struct stat info {};
        ::stat(path.constData(), &info);
        savedMode_ = info.st_mode & 07777;
        ::chmod(path.constData(), savedMode_ & ~0222);
        if (writable())
            immutable_ = setImmutable(path, true);
    }
    void restore(const QByteArray& path) {
        if (immutable_)
            setImmutable(path, false);
        immutable_ = false;
        ::chmod(path.constData(), savedMode_);
    }
    static bool setImmutable(const QByteArray& path, bool on) {
#ifdef __linux__
        const int fd = ::open(path.constData(), O_RDONLY | O_NONBLOCK);
        if (fd < 0)
            return false;
        int flags = 0;
        bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        if (done) {
            flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
            done = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        }
        ::close(fd);
        return done;
#else
        (void)path;
        (void)on;
        return false;
#endif
    }
    bool fileWritable() const {
        const int fd = ::open(file_.constData(), O_WRONLY);
        if (fd < 0)
            return false;
        ::close(fd);
        return true;
    }
    bool folderWritable() const {
        const QByteArray probe = folder_ + "/write-probe";
        const int fd = ::open(probe.constData(), O_CREAT | O_EXCL | O_WRONLY, 0644);
        if (fd < 0)
            return false;
        ::close(fd);
        ::unlink(probe.constData());
        return true;
    }
    void reopenSession() {
        const QString name = store_.session().connectionName;
        Connection::close(name);
        Connection::open(store_.filePath(), name);
    }
    QVariant pragma(const QString& statement) {
        QSqlQuery query(QSqlDatabase::database(store_.session().connectionName));
        query.exec(statement);
        const QVariant value = query.next() ? query.value(0) : QVariant();
        query.finish();
        return value;
    }

    TempStore& store_;
    StoreFaultKind kind_;
    QByteArray file_;
    QByteArray folder_;
    mode_t savedMode_ = 0644;
    bool immutable_ = false;
    bool queryOnly_ = false;
    qlonglong savedMaxPages_ = 0;
    bool lifted_ = false;
    QString unavailable_;
};
