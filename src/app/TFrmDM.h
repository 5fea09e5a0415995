#pragma once

#include "store/Session.h"

#include <QObject>
#include <QString>

// The data module: owns the one connection "ADOCon" to the store beside the executable,
// for the whole run.
class TFrmDM : public QObject {
    Q_OBJECT
public:
    explicit TFrmDM(Session& session, QObject* parent = nullptr);
    ~TFrmDM() override;

    // Connection set-up and the start-up decision; shows the failure boxes itself.
    void DataModuleCreate();
    bool StartupFailed() const { return startupFailed_; }
    QString DatabasePath() const;

    static QString StartupFailureText();
    static QString ConnectionFailureText();

private:
    void ConnectionSetup();

    Session& session_;
    bool startupFailed_ = false;
    bool connected_ = false;
};
