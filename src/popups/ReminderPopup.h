#pragma once

#include "platform/ReportList.h"
#include "schedule/ReminderPolling.h"
#include "store/Query.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegion>
#include <QSet>
#include <QTimeEdit>
#include <QTimer>
#include <QToolButton>
#include <QWidget>

// The window shape of every popup: rounded top corners (4 by 4 corner ellipses) over square
// bottom corners.
QRegion popupShape(const QSize& size);

// The popup of one kind of reminder (its caption, picture, sound and list come from the kind's
// description): a non-modal window that slides up at the bottom
// right of the screen, lists the user's pending reminders of one kind with tick boxes, and
// lets the user acknowledge the ticked ones or postpone them. It releases itself when closed.
//
// Create it, then showAndSlideIn() loads the list and starts the slide-in; the repeat tick of
// ReminderPolling does both through the popup factory. Public is what the factory and the
// polls call; the controls, named as their members are (reminderList, acknowledgeButton,
// exitButton, slideTimer ...), are the user's.
class ReminderPopup : public ReminderWindow {
    Q_OBJECT
public:
    ~ReminderPopup() override;

    // Built, not shown: refreshReminders() or showAndSlideIn() loads the list.
    explicit ReminderPopup(const PopupContext& context, QWidget* parent = nullptr);

    // Places the window at its starting point, sets the defaults, loads the list (once),
    // shows the window and starts the slide-in (where the window system lets the program
    // place windows; elsewhere the window comes up whole). Showing it again sets the defaults
    // again but keeps the list.
    void showAndSlideIn();
    // The list read again when the store changed since it was read, keeping the rows ticked
    // and the row selected.
    bool refreshReminders() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Defaults of the controls, and the list (loaded once).
    void applyDefaults();
    // The window shape, except while sliding in.
    void updateShape();
    void onClosed();
    void acknowledgeTicked();
    void postponeTicked();
    void onCustomToggled();
    void showSelectedDetails();
    // One step of the slide-in.
    void slideStep();
    // The end of the slide-in: the designed size, resting on the same bottom edge.
    void takeDesignedSize();
    bool isSliding() const { return slideTimer->isActive(); }
    // The fixed postponement chosen, in minutes.
    int chosenMinutes() const;

    void buildCaption(QWidget* content);
    int buildControls(QWidget* content, int top);
    void loadList();
    // Rows of reminderList whose box is ticked, first to last.
    QList<int> tickedRows() const;

    // Controls.
    QRadioButton* threeMinutesButton = nullptr;  // "3分钟"
    QRadioButton* fiveMinutesButton = nullptr;   // "5分钟"
    QRadioButton* tenMinutesButton = nullptr;    // "10分钟"
    QRadioButton* thirtyMinutesButton = nullptr; // "30分钟"
    QRadioButton* sixtyMinutesButton = nullptr;  // "60分钟以后提醒"
    QPushButton* acknowledgeButton = nullptr;
    QPushButton* exitButton = nullptr;
    QCheckBox* customCheckBox = nullptr;
    QDateEdit* startDateEdit = nullptr;
    QTimeEdit* startTimeEdit = nullptr;
    QLineEdit* intervalEdit = nullptr;
    QComboBox* intervalUnitCombo = nullptr;
    QLabel* hintLabel = nullptr;
    ReportList* reminderList = nullptr;
    QTimer* slideTimer = nullptr;
    QLabel* captionLabel = nullptr;
    QToolButton* closeButton = nullptr;

    // Sizes of the design, in pixels.
    static constexpr int kWidth = 620;
    static constexpr int kCaptionHeight = 26;
    static constexpr int kStartHeight = 16;
    static constexpr int kSlideStep = 5;
    static constexpr int kSlideIntervalMs = 10;

    const KindDescription::Popup& style_;
    Session& session_;
    std::function<void()> reloadLists_;
    std::function<void()> closed_;
    Query remindersQuery_; // the list and the writes
    Query namesQuery_;     // the names of the publishers
    QWidget* content_ = nullptr;
    QWidget* customRow_ = nullptr;
    QLabel* picture_ = nullptr;
    QLabel* pictureText_ = nullptr;
    QSize designed_;
    int bottom_ = 0;
    bool listLoaded_ = false;
    // The listed rows that come back every year: acknowledged, they roll over.
    QSet<QString> repeatingKeys_;
    // The store's change counter read just before the list was.
    std::optional<qint64> listReadAt_;
    QPoint dragOffset_;
    bool dragging_ = false;
};
