#include "support/StoreFault.h"

#include "store/Connection.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <fcntl.h>
#include <iostream>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Set in the child process that runs a fault case without the capabilities.
constexpr char kChildMark[] = "QX_STORE_FAULT_CHILD";
constexpr char kDroppedCapabilities[] = "dac_override,dac_read_search";

bool canWrite(const QByteArray& file) {
    const int fd = ::open(file.constData(), O_WRONLY);
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
}

bool canCreateIn(const QByteArray& folder) {
    const QByteArray probe = folder + "/write-probe";
    const int fd = ::open(probe.constData(), O_CREAT | O_EXCL | O_WRONLY, 0644);
    if (fd < 0)
        return false;
    ::close(fd);
    ::unlink(probe.constData());
    return true;
}

mode_t modeOf(const QByteArray& path) {
    struct stat info {};
    ::stat(path.constData(), &info);
    return info.st_mode & 07777;
}

// Whether a 0444 file and a 0555 folder refuse this process as they refuse a user.
bool fileModesBind() {
    static const bool bind = [] {
        QTemporaryDir dir;
        const QByteArray folder = QFile::encodeName(dir.path());
        const QByteArray file = folder + "/probe";
        {
            QFile probe(dir.filePath(QStringLiteral("probe")));
            if (!probe.open(QIODevice::WriteOnly))
                return false;
        }
        ::chmod(file.constData(), 0444);
        ::chmod(folder.constData(), 0555);
        const bool refused = !canWrite(file) && !canCreateIn(folder);
        ::chmod(folder.constData(), 0700);
        return refused;
    }();
    return bind;
}

bool underCi() {
    return qgetenv("CI") == "true";
}

StoreFault::Placement cannotRun(const QString& why, bool couldHaveRun) {
    if (couldHaveRun && underCi())
        ADD_FAILURE() << "under CI=true this case must run: " << why.toStdString();
    return {StoreFault::Where::Nowhere, why};
}

// The same test, alone, in a child process of this binary that lacks the capabilities.
StoreFault::Placement runInChild() {
    const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
    if (setpriv.isEmpty())
        return cannotRun(QStringLiteral("this user ignores file modes, and setpriv (util-linux) "
                                        "is missing to run the case without that power"),
                         true);
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const QString name =
        QString::fromStdString(std::string(test->test_suite_name()) + '.' + test->name());

    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(kChildMark), QStringLiteral("1"));
    environment.remove(QStringLiteral("GTEST_OUTPUT")); // the parent's report is its own
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::MergedChannels);
    const QString dropped = QString::fromLatin1(kDroppedCapabilities);
    const QString without = QStringLiteral("-") + dropped.split(',').join(QStringLiteral(",-"));
    child.start(setpriv,
                {QStringLiteral("--inh-caps=") + without,
                 QStringLiteral("--bounding-set=") + without, QStringLiteral("--"),
                 QCoreApplication::applicationFilePath(), QStringLiteral("--gtest_filter=") + name,
                 QStringLiteral("--gtest_color=no")});
    // Bounded only so that a child that hangs fails the test instead of holding the suite.
    const bool finished = child.waitForStarted() && child.waitForFinished(10 * 60 * 1000);
    if (!finished)
        child.kill();
    child.waitForFinished();
    const QString output = QString::fromUtf8(child.readAll());
    const bool exited = finished && child.exitStatus() == QProcess::NormalExit;

    if (!output.contains(QStringLiteral("[ RUN      ] ") + name))
        return cannotRun(QStringLiteral("this user ignores file modes, and the case could not "
                                        "be started without CAP_DAC_OVERRIDE: ") +
                             (output.isEmpty() ? child.errorString() : output.trimmed()),
                         true);
    const QString run = QStringLiteral("[ RUN      ] ") + name;
    const QString skipped = QStringLiteral("[  SKIPPED ] ") + name;
    if (output.contains(skipped) && exited && child.exitCode() == 0) {
        const qsizetype from = output.indexOf(run) + run.size();
        return {StoreFault::Where::Nowhere,
                QStringLiteral("skipped without CAP_DAC_OVERRIDE: ") +
                    output.mid(from, output.indexOf(skipped) - from).trimmed()};
    }
    if (exited && child.exitCode() == 0 && output.contains(QStringLiteral("[       OK ] ") + name))
        std::cout << "  ran without CAP_DAC_OVERRIDE and CAP_DAC_READ_SEARCH, in a child process\n";
    else
        ADD_FAILURE() << "without CAP_DAC_OVERRIDE and CAP_DAC_READ_SEARCH, in a child process ("
                      << (exited ? "exit code " + std::to_string(child.exitCode())
                                 : std::string("crashed or hung"))
                      << "):\n"
                      << output.toStdString();
    return {StoreFault::Where::Elsewhere, {}};
}

} // namespace

StoreFault::Placement StoreFault::place(StoreFaultKind kind) {
    if (kind == StoreFaultKind::FullDisk || fileModesBind())
        return {};
    if (qEnvironmentVariableIsSet(kChildMark))
        return cannotRun(QStringLiteral("file modes do not bind even without CAP_DAC_OVERRIDE "
                                        "and CAP_DAC_READ_SEARCH (a file system that ignores "
                                        "them?)"),
                         true);
#ifdef __linux__
    return runInChild();
#else
    return cannotRun(QStringLiteral("this user ignores file modes"), false);
#endif
}

StoreFault::StoreFault(TempStore& store, StoreFaultKind kind)
    : store_(store), kind_(kind), file_(QFile::encodeName(store.filePath())),
      folder_(QFile::encodeName(QFileInfo(store.filePath()).absolutePath())) {
    switch (kind_) {
    case StoreFaultKind::ReadOnlyFile:
        savedMode_ = modeOf(file_);
        ::chmod(file_.constData(), savedMode_ & ~0222);
        reopenSession(); // the open connection would keep the write access it had
        EXPECT_FALSE(canWrite(file_)) << "the store file stays writable";
        break;
    case StoreFaultKind::ReadOnlyFolder:
        savedMode_ = modeOf(folder_);
        ::chmod(folder_.constData(), savedMode_ & ~0222);
        EXPECT_FALSE(canCreateIn(folder_)) << "the store's folder still takes new files";
        break;
    case StoreFaultKind::FullDisk:
        savedMaxPages_ = pragma(QStringLiteral("PRAGMA max_page_count")).toLongLong();
        pragma(QStringLiteral("PRAGMA max_page_count = %1")
                   .arg(pragma(QStringLiteral("PRAGMA page_count")).toLongLong()));
        break;
    }
}

void StoreFault::lift() {
    if (lifted_)
        return;
    lifted_ = true;
    switch (kind_) {
    case StoreFaultKind::ReadOnlyFile:
        ::chmod(file_.constData(), savedMode_);
        reopenSession();
        break;
    case StoreFaultKind::ReadOnlyFolder:
        ::chmod(folder_.constData(), savedMode_);
        break;
    case StoreFaultKind::FullDisk:
        pragma(QStringLiteral("PRAGMA max_page_count = %1").arg(savedMaxPages_));
        break;
    }
}

QStringList StoreFault::reasons(StoreFaultKind kind) {
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

bool StoreFault::reports(const QString& boxText, const QString& heading, StoreFaultKind kind) {
    const QStringList lines = boxText.split(QLatin1Char('\n'));
    return lines.size() == 2 && lines[0] == heading && reasons(kind).contains(lines[1]);
}

void StoreFault::reopenSession() {
    const QString name = store_.session().connectionName;
    Connection::close(name);
    Connection::open(store_.filePath(), name);
}

QVariant StoreFault::pragma(const QString& statement) {
    QSqlQuery query(QSqlDatabase::database(store_.session().connectionName));
    query.exec(statement);
    const QVariant value = query.next() ? query.value(0) : QVariant();
    query.finish();
    return value;
}
