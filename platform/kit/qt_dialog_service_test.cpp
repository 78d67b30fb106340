#include "pick_dialog.h"
#include "qt_dialog_service.h"
#include "test_modal.h"
#include "test_support.h"

#include <QtCore/QTimer>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QMessageBox>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QTableView>

using namespace kittest;

namespace {

QStringList buttonTexts(QMessageBox* box) {
    QStringList out;
    for (QAbstractButton* b : box->buttons()) out << b->text();
    out.sort();
    return out;
}

QAbstractButton* buttonNamed(QMessageBox* box, const QString& text) {
    for (QAbstractButton* b : box->buttons())
        if (b->text() == text) return b;
    return nullptr;
}

host::PickList suppliers(bool multiple = false) {
    host::PickList list;
    list.title = QStringLiteral("Fornecedor");
    list.headers = QStringList{"Código", "Razão Social"};
    list.rows = {{"001", {"001", "João Parafusos Ltda"}}, {"002", {"002", "Bolt Comércio"}}, {"003", {"003", "Ferragens São Jorge"}}};
    list.multiple = multiple;
    return list;
}

class QtDialogsTest : public KitTest {
protected:
    kit::QtDialogService service;
};

TEST_F(QtDialogsTest, QuestionsHavePortugueseButtonsAndAnswerSixOrSeven) {
    struct Case {
        host::QuestionButtons buttons;
        const char* click;  // nullptr: Esc
        int answer;
        QStringList texts;
    } cases[] = {
        {host::QuestionButtons::YesNo, "&Sim", host::kYes, {"&Não", "&Sim"}},
        {host::QuestionButtons::YesNo, "&Não", host::kNo, {"&Não", "&Sim"}},
        {host::QuestionButtons::YesNo, nullptr, host::kNo, {"&Não", "&Sim"}},
        {host::QuestionButtons::OkCancel, "OK", host::kYes, {"Cancelar", "OK"}},
        {host::QuestionButtons::OkCancel, "Cancelar", host::kNo, {"Cancelar", "OK"}},
        {host::QuestionButtons::Ok, "OK", host::kYes, {"OK"}},
    };
    EXPECT_EQ(host::kYes, 6);
    EXPECT_EQ(host::kNo, 7);
    for (const Case& c : cases) {
        QStringList texts;
        QString title, body;
        whenModal<QMessageBox>([&](QMessageBox* box) {
            texts = buttonTexts(box);
            title = box->windowTitle();
            body = box->text();
            if (c.click) buttonNamed(box, QString::fromUtf8(c.click))->click();
            else QTest::keyClick(box, Qt::Key_Escape);
        });
        const int answer = service.ask(host::MessageKind::Confirmation, QStringLiteral("Confirma exclusão?"), c.buttons);
        EXPECT_EQ(answer, c.answer) << (c.click ? c.click : "Esc");
        EXPECT_EQ(texts, c.texts);
        EXPECT_EQ(title, QStringLiteral("Confirmação"));
        EXPECT_EQ(body, QStringLiteral("Confirma exclusão?"));
    }
}

TEST_F(QtDialogsTest, ChoiceQuestionsShowTheirOwnButtonsAndEscPressesTheLast) {
    const QStringList buttons = {"&Todas", "&Não informadas", "&Cancelar"};
    struct Case {
        const char* click;  // nullptr: Esc
        int answer;
    } cases[] = {{"&Todas", 0}, {"&Não informadas", 1}, {"&Cancelar", 2}, {nullptr, 2}};
    for (const Case& c : cases) {
        QStringList texts;
        whenModal<QMessageBox>([&](QMessageBox* box) {
            texts = buttonTexts(box);
            if (c.click) buttonNamed(box, QString::fromUtf8(c.click))->click();
            else QTest::keyClick(box, Qt::Key_Escape);
        });
        EXPECT_EQ(service.askChoice(host::MessageKind::Confirmation, QStringLiteral("Quais?"), buttons), c.answer)
            << (c.click ? c.click : "Esc");
        EXPECT_EQ(texts, (QStringList{"&Cancelar", "&Não informadas", "&Todas"}));
    }
}

TEST_F(QtDialogsTest, PasswordDialogHidesTheTextAndCancelGivesNothing) {
    QLineEdit::EchoMode echo = QLineEdit::Normal;
    QString title;
    int width = 0, titleWidth = 0;
    whenModal<QDialog>([&](QDialog* d) {
        title = d->windowTitle();
        width = d->width();
        titleWidth = d->fontMetrics().horizontalAdvance(title);
        auto* edit = d->findChild<QLineEdit*>(QStringLiteral("edtSenha"));
        echo = edit->echoMode();
        QTest::keyClicks(edit, QStringLiteral("s3nh@"));
        QTest::keyClick(edit, Qt::Key_Return);
    });
    EXPECT_EQ(service.askPassword(QStringLiteral("Confirmação de senha"), QStringLiteral("Senha:")),
              std::optional<QString>(QStringLiteral("s3nh@")));
    EXPECT_EQ(title, QStringLiteral("Confirmação de senha"));
    EXPECT_GT(width, titleWidth + 100);  // the window's buttons beside the whole title
    EXPECT_EQ(echo, QLineEdit::Password);

    whenModal<QDialog>([&](QDialog* d) { QTest::keyClick(d, Qt::Key_Escape); });
    EXPECT_EQ(service.askPassword(QStringLiteral("Confirmação de senha"), QStringLiteral("Senha:")), std::nullopt);
}

TEST_F(QtDialogsTest, ErrorsAndNoticesAreMessageBoxes) {
    QString title, body;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QStringList texts;
    whenModal<QMessageBox>([&](QMessageBox* box) {
        title = box->windowTitle();
        body = box->text();
        icon = box->icon();
        texts = buttonTexts(box);
        QTest::keyClick(box, Qt::Key_Return);
    });
    service.showError(QStringLiteral("Fornecedor não cadastrado."));
    EXPECT_EQ(title, QStringLiteral("Erro"));
    EXPECT_EQ(body, QStringLiteral("Fornecedor não cadastrado."));
    EXPECT_EQ(icon, QMessageBox::Critical);
    EXPECT_EQ(texts, QStringList{"OK"});

    whenModal<QMessageBox>([&](QMessageBox* box) {
        title = box->windowTitle();
        icon = box->icon();
        box->accept();
    });
    service.showMessage(host::MessageKind::Information, QStringLiteral("Tipo de lançamento manual."));
    EXPECT_EQ(title, QStringLiteral("Informação"));
    EXPECT_EQ(icon, QMessageBox::Information);
}

TEST_F(QtDialogsTest, PickListSearchesAsYouTypeAndEnterPicks) {
    int shownRows = -1;
    whenModal<kit::PickDialog>([&](kit::PickDialog* d) {
        QTest::keyClicks(d->searchBox(), QStringLiteral("sao"));  // accents and case do not matter
        shownRows = d->visibleRowCount();
        QTest::keyClick(d->searchBox(), Qt::Key_Return);
    });
    EXPECT_EQ(service.pick(suppliers()), QStringList{"003"});
    EXPECT_EQ(shownRows, 1);

    whenModal<kit::PickDialog>([&](kit::PickDialog* d) {
        QTest::keyClick(d->searchBox(), Qt::Key_Down);  // the search box steers the list
        QTest::keyClick(d->searchBox(), Qt::Key_Return);
    });
    EXPECT_EQ(service.pick(suppliers()), QStringList{"002"});

    whenModal<kit::PickDialog>([&](kit::PickDialog* d) { QTest::keyClick(d->searchBox(), Qt::Key_Escape); });
    EXPECT_EQ(service.pick(suppliers()), QStringList());
}

TEST_F(QtDialogsTest, AnEmptyPickListShowsItsText) {
    host::PickList empty = suppliers();
    empty.rows.clear();
    empty.emptyText = QStringLiteral("Não há fornecedor cadastrado.");
    QString body;
    whenModal<QMessageBox>([&](QMessageBox* box) {
        body = box->text();
        box->accept();
    });
    EXPECT_EQ(service.pick(empty), QStringList());
    EXPECT_EQ(body, QStringLiteral("Não há fornecedor cadastrado."));
}

TEST_F(QtDialogsTest, PickDialogDoubleClickAndSeveralTickedRows) {
    {
        kit::PickDialog dialog(suppliers());
        showActive(&dialog);
        QTableView* table = dialog.table();
        const QRect r = table->visualRect(table->model()->index(1, 1));
        doubleClick(table->viewport(), r.center());
        EXPECT_EQ(dialog.result(), int(QDialog::Accepted));
        EXPECT_EQ(dialog.chosenCodes(), QStringList{"002"});
    }
    {
        kit::PickDialog dialog(suppliers(true));
        showActive(&dialog);
        QTableView* table = dialog.table();
        table->setFocus();
        table->setCurrentIndex(table->model()->index(2, 1));
        QTest::keyClick(table, Qt::Key_Space);
        table->setCurrentIndex(table->model()->index(0, 1));
        QTest::keyClick(table, Qt::Key_Space);
        QTest::keyClick(table, Qt::Key_Return);
        EXPECT_EQ(dialog.chosenCodes(), (QStringList{"001", "003"}));  // in the list's order
    }
    {
        // From the search box: Space ticks before anything is typed and after an
        // arrow moved along the list; while typing it is part of the search text.
        kit::PickDialog dialog(suppliers(true));
        showActive(&dialog);
        QLineEdit* search = dialog.searchBox();
        ASSERT_TRUE(search->hasFocus());
        QTest::keyClick(search, Qt::Key_Space);
        EXPECT_EQ(search->text(), QString());
        QTest::keyClicks(search, QStringLiteral("sao"));
        QTest::keyClick(search, Qt::Key_Space);
        QTest::keyClicks(search, QStringLiteral("jo"));
        EXPECT_EQ(search->text(), QStringLiteral("sao jo"));
        ASSERT_EQ(dialog.visibleRowCount(), 1);
        QTest::keyClick(search, Qt::Key_Down);
        QTest::keyClick(search, Qt::Key_Space);
        EXPECT_EQ(search->text(), QStringLiteral("sao jo"));
        QTest::keyClick(search, Qt::Key_Return);
        EXPECT_EQ(dialog.chosenCodes(), (QStringList{"001", "003"}));
    }
    {
        kit::PickDialog dialog(suppliers(true));
        showActive(&dialog);
        QTest::keyClicks(dialog.searchBox(), QStringLiteral("bolt"));
        QTest::keyClick(dialog.searchBox(), Qt::Key_Return);  // nothing ticked: the current row
        EXPECT_EQ(dialog.chosenCodes(), QStringList{"002"});
    }
}

}  // namespace
