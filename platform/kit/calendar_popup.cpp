#include "calendar_popup.h"

#include "guard.h"
#include "host/services/session.h"

#include <QtGui/QAction>
#include <QtGui/QKeyEvent>
#include <QtGui/QPainter>
#include <QtWidgets/QCalendarWidget>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QVBoxLayout>

namespace kit {

namespace {


QIcon calendarIcon() {
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setPen(QColor(60, 60, 60));
    p.setBrush(Qt::white);
    p.drawRect(1, 2, 13, 12);
    p.fillRect(2, 3, 12, 3, QColor(180, 40, 40));
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 4; ++c) p.fillRect(3 + c * 3, 7 + r * 2, 2, 1, QColor(60, 60, 60));
    return QIcon(pm);
}

class CalendarFilter : public QObject {
public:
    CalendarFilter(QLineEdit* edit, CalendarHooks hooks) : QObject(edit), m_edit(edit), m_hooks(std::move(hooks)) {}
    const CalendarHooks& hooks() const { return m_hooks; }

protected:
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (watched == m_edit && e->type() == QEvent::KeyPress) {
            auto* k = static_cast<QKeyEvent*>(e);
            if (k->key() == Qt::Key_F4 || (k->key() == Qt::Key_Down && (k->modifiers() & Qt::AltModifier))) {
                showCalendar(m_edit);
                return true;
            }
        }
        return false;
    }

private:
    QLineEdit* m_edit;
    CalendarHooks m_hooks;
};

// The filter has no meta-object of its own, so findChild<CalendarFilter*> would
// take any child (the box's icon action, an open popup) for it: look by type.
CalendarFilter* filterOf(QLineEdit* edit) {
    for (QObject* child : edit->children())
        if (auto* filter = dynamic_cast<CalendarFilter*>(child)) return filter;
    return nullptr;
}

// An empty box's calendar opens on the session's processing date, the day the
// work is dated by (the machine's clock may be far from it); the clock's day
// only without a session.
QDate startingDay() {
    try {
        const host::Session& s = host::session();
        const QDate processing = s.DataProc(s.FiliProc());
        if (processing.isValid()) return processing;
    } catch (const std::exception&) {
    }
    return QDate::currentDate();
}

}  // namespace

void attachCalendar(QLineEdit* edit, CalendarHooks hooks) {
    auto* filter = new CalendarFilter(edit, std::move(hooks));
    edit->installEventFilter(filter);
    QAction* action = edit->addAction(calendarIcon(), QLineEdit::TrailingPosition);
    action->setToolTip(QStringLiteral("Calendário (F4)"));
    QObject::connect(action, &QAction::triggered, edit, [edit] { showCalendar(edit); });
}

void showCalendar(QLineEdit* edit) {
    CalendarFilter* filter = filterOf(edit);
    if (!filter || edit->isReadOnly() || !edit->isEnabled()) return;
    auto* popup = new QWidget(edit, Qt::Popup);
    popup->setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(popup);
    layout->setContentsMargins(1, 1, 1, 1);
    auto* calendar = new QCalendarWidget(popup);
    calendar->setLocale(QLocale(QLocale::Portuguese, QLocale::Brazil));
    calendar->setGridVisible(true);
    layout->addWidget(calendar);
    std::optional<QDate> day;
    guard(edit, [&] { day = filter->hooks().current ? filter->hooks().current() : std::nullopt; });
    calendar->setSelectedDate(day && day->isValid() ? *day : startingDay());
    auto pick = [edit, popup, calendar, filter] {
        const QDate chosen = calendar->selectedDate();
        popup->close();
        edit->setFocus(Qt::PopupFocusReason);
        if (filter->hooks().picked) guard(edit, [&] { filter->hooks().picked(chosen); });
    };
    QObject::connect(calendar, &QCalendarWidget::activated, popup, pick);
    QObject::connect(calendar, &QCalendarWidget::clicked, popup, pick);
    popup->adjustSize();
    popup->move(edit->mapToGlobal(QPoint(0, edit->height())));
    popup->show();
    calendar->setFocus();
}

}  // namespace kit
