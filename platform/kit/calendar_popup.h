#pragma once
// The calendar of date boxes: a small button inside the edit (and F4 or
// Alt+Down) drops a month calendar; picking a day hands it to the box. An
// empty box's calendar shows the session's processing date.
#include <QtCore/QDate>
#include <functional>
#include <optional>

class QLineEdit;

namespace kit {

struct CalendarHooks {
    std::function<std::optional<QDate>()> current;  // the day to show first
    std::function<void(const QDate&)> picked;
};

// Adds the button and the keys to the edit. The edit must outlive nothing: the
// popup is a child of it.
void attachCalendar(QLineEdit* edit, CalendarHooks hooks);
// Drops the calendar now (what the button does).
void showCalendar(QLineEdit* edit);

}  // namespace kit
