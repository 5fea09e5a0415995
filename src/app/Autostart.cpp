#include "app/Autostart.h"

#include "platform/AppInfo.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>
#include <stdexcept>

#ifdef Q_OS_WIN
#include <QSettings>
#endif

namespace {
const QString kEntryName = QStringLiteral("QxReminder");

#ifdef Q_OS_WIN
class RegistryAutostart final : public Autostart {
public:
    void writeEntry(const QString& executablePath) override {
        QSettings run(kRunKey, QSettings::NativeFormat);
        run.setValue(kEntryName, QDir::toNativeSeparators(executablePath));
        run.sync();
        if (run.status() != QSettings::NoError)
            throw std::runtime_error("无法写入注册表启动项");
    }
    void removeEntry() override {
        QSettings run(kRunKey, QSettings::NativeFormat);
        run.remove(kEntryName);
    }

private:
    const QString kRunKey =
        QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\windows\\CurrentVersion\\Run");
};
#endif
} // namespace

std::unique_ptr<Autostart> Autostart::forPlatform() {
#ifdef Q_OS_WIN
    return std::make_unique<RegistryAutostart>();
#else
    return std::make_unique<XdgAutostart>();
#endif
}

XdgAutostart::XdgAutostart(QString folder) : folder_(std::move(folder)) {}

QString XdgAutostart::defaultFolder() {
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (config.isEmpty())
        config = QDir::homePath() + QStringLiteral("/.config");
    return config + QStringLiteral("/autostart");
}

QString XdgAutostart::entryPath() const {
    return folder_ + QLatin1Char('/') + kEntryName + QStringLiteral(".desktop");
}

QString XdgAutostart::execValue(const QString& executablePath) {
    // Field codes start with "%"; a literal one is doubled.
    QString path = executablePath;
    path.replace(QLatin1Char('%'), QStringLiteral("%%"));
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    bool needsQuotes = false;
    for (const QChar c : path)
        needsQuotes = needsQuotes || reserved.contains(c);
    if (!needsQuotes)
        return path;
    QString quoted;
    for (const QChar c : path) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') ||
            c == QLatin1Char('\\'))
            quoted += QLatin1Char('\\');
        quoted += c;
    }
    // Inside the desktop file's string value a backslash must itself be escaped.
    quoted.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

void XdgAutostart::writeEntry(const QString& executablePath) {
    if (!QDir().mkpath(folder_))
        throw std::runtime_error(
            QStringLiteral("无法创建自启动目录 %1").arg(folder_).toUtf8().toStdString());
    QSaveFile file(entryPath());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw std::runtime_error(
            QStringLiteral("无法写入自启动项 %1").arg(entryPath()).toUtf8().toStdString());
    const QString text = QStringLiteral("[Desktop Entry]\n"
                                        "Type=Application\n"
                                        "Name=%1\n"
                                        "Exec=%2\n"
                                        "Terminal=false\n"
                                        "X-GNOME-Autostart-enabled=true\n")
                             .arg(AppInfo::kApplicationTitle, execValue(executablePath));
    file.write(text.toUtf8());
    if (!file.commit())
        throw std::runtime_error(
            QStringLiteral("无法写入自启动项 %1").arg(entryPath()).toUtf8().toStdString());
}

void XdgAutostart::removeEntry() {
    QFile::remove(entryPath());
}
