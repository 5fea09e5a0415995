#pragma once

#include "store/Session.h"

#include <QWidget>

// The main window. For now the frame that start-up creates and shows.
class TFrmMainT : public QWidget {
    Q_OBJECT
public:
    explicit TFrmMainT(Session& session, QWidget* parent = nullptr);

    void FormCreate();

private:
    Session& session_;
};
