#include "calendar_popup.h"
#include "db_date_edit.h"
#include "kit_fixture.h"
#include "mask_edit.h"

#include "host/services/session_state.h"

#include <QtGui/QAction>
#include <QtWidgets/QApplication>
#include <QtWidgets/QCalendarWidget>
#include <QtWidgets/QToolButton>
#include <QtTest/QTest>

using namespace kittest;

namespace {

class CalendarTest : public ItemsFormTest {
protected:
    void TearDown() override {
        if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
        settle();
        KitTest::TearDown();
    }
    static QCalendarWidget* openCalendar() {
        QWidget* popup = QApplication::activePopupWidget();
        return popup ? popup->findChild<QCalendarWidget*>() : nullptr;
    }
    // Picks a day the way a user does: the keyboard on the open calendar.
    static void pickWithKeyboard(QCalendarWidget* calendar, const QDate& day) {
        calendar->setSelectedDate(day);
        press(Qt::Key_Return);
    }
};

// Each way of opening the calendar, on each kind of date box.
TEST_F(CalendarTest, EveryWayOfOpeningShowsTheBoxDayAndTakesThePick) {
    items.ds.edit();
    items.f("DTENTREGA").setAsDateTime(day(2024, 3, 1));
    items.ds.post();
    auto* bound = form.add(new kit::DBDateEdit(&items.source, "DTENTREGA"));
    auto* plain = form.add(new kit::DateBox(&form.window));
    plain->setDate(QDate(2023, 7, 10));
    form.show();

    struct Way {
        const char* name;
        std::function<void(QLineEdit*)> open;
    };
    const Way ways[] = {
        {"F4", [](QLineEdit*) { press(Qt::Key_F4); }},
        {"Alt+Down", [](QLineEdit*) { press(Qt::Key_Down, Qt::AltModifier); }},
        {"icon", [](QLineEdit* box) {
             auto* icon = box->findChild<QToolButton*>();
             ASSERT_NE(icon, nullptr);
             QTest::mouseClick(icon, Qt::LeftButton);
             settle();
         }},
    };
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        showActive(&form.window);  // the offscreen platform does not give it back after a popup on its own
        focus(bound);
        way.open(bound);
        QCalendarWidget* calendar = openCalendar();
        ASSERT_NE(calendar, nullptr);
        EXPECT_EQ(calendar->selectedDate(), QDate(2024, 3, 1));
        pickWithKeyboard(calendar, QDate(2024, 3, 15));
        EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
        EXPECT_TRUE(bound->hasFocus());
        press(Qt::Key_Tab);
        EXPECT_EQ(items.f("DTENTREGA").asDateTime(), day(2024, 3, 15));
        items.ds.edit();
        items.f("DTENTREGA").setAsDateTime(day(2024, 3, 1));
        items.ds.post();

        showActive(&form.window);
        focus(plain);
        way.open(plain);
        calendar = openCalendar();
        ASSERT_NE(calendar, nullptr);
        EXPECT_EQ(calendar->selectedDate(), QDate(2023, 7, 10));
        pickWithKeyboard(calendar, QDate(2023, 8, 1));
        EXPECT_EQ(plain->date(), QDate(2023, 8, 1));
        plain->setDate(QDate(2023, 7, 10));
    }
    EXPECT_EQ(shown().errors, QStringList());
}

TEST_F(CalendarTest, AnEmptyBoxOpensOnTheProcessingDateAndAReadOnlyBoxDoesNotOpen) {
    auto* box = form.add(new kit::DateBox(&form.window));
    form.show();
    focus(box);
    press(Qt::Key_F4);
    QCalendarWidget* calendar = openCalendar();
    ASSERT_NE(calendar, nullptr);
    EXPECT_EQ(calendar->selectedDate(), QDate::currentDate());  // no session: the clock's day
    press(Qt::Key_Escape);

    host::LoginInfo login;
    login.operador = QStringLiteral("ANA");
    login.filiProc = QStringLiteral("0001");
    auto session = std::make_shared<host::SessionState>(login);
    session->setDataProcProvider([](const QString&) { return std::optional<QDate>(QDate(2024, 6, 14)); });
    host::setSession(session);
    focus(box);
    press(Qt::Key_F4);
    calendar = openCalendar();
    ASSERT_NE(calendar, nullptr);
    EXPECT_EQ(calendar->selectedDate(), QDate(2024, 6, 14));
    press(Qt::Key_Escape);
    host::setSession(nullptr);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_TRUE(box->isEmpty());  // dismissing picks nothing

    box->setReadOnly(true);
    focus(box);
    press(Qt::Key_F4);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
}

// A box with other children of its own (the typing control, actions) than
// the calendar's: opening must find the calendar's own hooks.
TEST_F(CalendarTest, APlainLineEditWithOtherChildrenOpensItsCalendar) {
    auto* edit = form.add(new QLineEdit(&form.window));
    new QObject(edit);
    edit->addAction(new QAction(edit), QLineEdit::LeadingPosition);
    std::optional<QDate> picked;
    kit::attachCalendar(edit, {[] { return std::optional<QDate>(QDate(2022, 1, 31)); },
                               [&](const QDate& d) { picked = d; }});
    form.show();
    focus(edit);
    kit::showCalendar(edit);
    QCalendarWidget* calendar = openCalendar();
    ASSERT_NE(calendar, nullptr);
    EXPECT_EQ(calendar->selectedDate(), QDate(2022, 1, 31));
    pickWithKeyboard(calendar, QDate(2022, 2, 2));
    EXPECT_EQ(picked, QDate(2022, 2, 2));
}

}  // namespace
