#pragma once

#include <QString>
#include <memory>

// The platform's list of programs started with the user's session. On Linux an XDG autostart
// entry "QxReminder.desktop"; on Windows the value "QxReminder" under the machine's Run key.
class Autostart {
public:
    virtual ~Autostart() = default;
    // Writes the entry that starts the executable at that path. Throws std::runtime_error
    // when it cannot be written.
    virtual void writeEntry(const QString& executablePath) = 0;
    // Removes the entry; a missing entry, or one that cannot be removed, is silently left.
    virtual void removeEntry() = 0;

    // The implementation of the running platform.
    static std::unique_ptr<Autostart> forPlatform();
};

// The XDG autostart entry in `folder` (by default $XDG_CONFIG_HOME/autostart, or
// ~/.config/autostart when that variable is unset).
class XdgAutostart final : public Autostart {
public:
    explicit XdgAutostart(QString folder = defaultFolder());
    void writeEntry(const QString& executablePath) override;
    void removeEntry() override;

    QString entryPath() const;
    static QString defaultFolder();
    // The Exec= value for a path: quoted and escaped where the path needs it.
    static QString execValue(const QString& executablePath);

private:
    QString folder_;
};
