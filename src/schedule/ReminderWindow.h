#pragma once

#include <QWidget>

// What the polls need of a popup beyond being a window.
class ReminderWindow : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

    // Brings the list of reminders up to date: reads it the first time, and again only when
    // the store has changed since, keeping the rows the user ticked and selected. Returns
    // whether any reminder is left to show.
    virtual bool refreshReminders() = 0;

    // Shows the window and brings it to the front without taking the keyboard from another
    // window of the program that has it: a reminder popping up must not swallow what the user
    // is typing elsewhere. With no window of the program active it takes the focus.
    void present();
};
