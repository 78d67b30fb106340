#include "host/services/session_state.h"
#include "mask_edit.h"
#include "standard_dialog_screen.h"
#include "standard_filter_screen.h"
#include "test_support.h"

#include <QtCore/QSettings>
#include <QtCore/QTemporaryDir>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QVBoxLayout>

using namespace kittest;

namespace {

// A dialog with two edit boxes whose confirmation may refuse.
class NameDialog : public kit::StandardDialogScreen {
public:
    QLineEdit* first = new QLineEdit(this);
    QLineEdit* second = new QLineEdit(this);
    std::function<void()> check;
    int cancels = 0;

    NameDialog() : StandardDialogScreen(QStringLiteral("TST00002")) {
        contentLayout()->addWidget(first);
        contentLayout()->addWidget(second);
    }

protected:
    void doConfirm() override {
        if (check) check();
        StandardDialogScreen::doConfirm();
    }
    void doCancel() override {
        ++cancels;
        StandardDialogScreen::doCancel();
    }
};

class DialogScreenTest : public KitTest {};

TEST_F(DialogScreenTest, ARefusedConfirmationKeepsTheDialogOpenWithItsMessageOnce) {
    NameDialog d;
    EXPECT_EQ(d.okButton()->text(), QStringLiteral("OK"));
    EXPECT_EQ(d.cancelButton()->text(), QStringLiteral("Cancelar"));
    d.check = [&] {
        if (d.first->text().isEmpty()) {
            d.first->setFocus();
            throw host::UserError(QStringLiteral("Nome deve ser informado."));
        }
    };
    showActive(&d);
    QTest::mouseClick(d.okButton(), Qt::LeftButton);
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(shown().errors, QStringList{QStringLiteral("Nome deve ser informado.")});
    d.first->setText(QStringLiteral("Ana"));
    QTest::mouseClick(d.okButton(), Qt::LeftButton);
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_EQ(shown().errors.size(), 1);
}

TEST_F(DialogScreenTest, CancelEscAndClosingAllRunTheCancelBehaviour) {
    struct Case {
        const char* how;
        std::function<void(NameDialog&)> act;
    } cases[] = {
        {"botão", [](NameDialog& d) { QTest::mouseClick(d.cancelButton(), Qt::LeftButton); }},
        {"Esc", [](NameDialog& d) {
             focus(d.first);
             press(Qt::Key_Escape);
         }},
        {"fechar a janela", [](NameDialog& d) { d.close(); }},
    };
    for (const Case& c : cases) {
        NameDialog d;
        showActive(&d);
        c.act(d);
        EXPECT_EQ(d.cancels, 1) << c.how;
        EXPECT_FALSE(d.isVisible()) << c.how;
        EXPECT_EQ(d.result(), QDialog::Rejected) << c.how;
    }
}

TEST_F(DialogScreenTest, OpensWithTheFocusOnItsFirstFieldNotOnTheButtons) {
    NameDialog d;
    d.first->setEnabled(false);  // a field that cannot be typed in is passed over
    showActive(&d);
    EXPECT_TRUE(d.second->hasFocus());
    // Shown again, the dialog keeps the field the user left it in.
    d.first->setEnabled(true);
    d.first->setFocus();
    d.hide();
    showActive(&d);
    EXPECT_TRUE(d.first->hasFocus());

    // A screen that places the focus itself keeps its choice.
    NameDialog chosen;
    chosen.second->setFocus();
    showActive(&chosen);
    EXPECT_TRUE(chosen.second->hasFocus());
}

TEST_F(DialogScreenTest, EnterMovesOnButPressesAFocusedButton) {
    NameDialog d;
    showActive(&d);
    focus(d.first);
    press(Qt::Key_Return);
    EXPECT_TRUE(d.second->hasFocus());
    EXPECT_TRUE(d.isVisible());
    d.okButton()->setFocus();
    press(Qt::Key_Return);
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(d.result(), QDialog::Accepted);
}

// A filter with one control of each kind it remembers and a list kept as a single option.
class CriteriaScreen : public kit::StandardFilterScreen {
public:
    QCheckBox* parcial = named(new QCheckBox(QStringLiteral("Baixa Parcial"), this), "chbParcial");
    QRadioButton* todos = named(new QRadioButton(QStringLiteral("Todos"), this), "rbtTodos");
    QRadioButton* lista = named(new QRadioButton(QStringLiteral("Lista"), this), "rbtLista");
    kit::DateBox* inicio = named(new kit::DateBox(this), "depEmisIni");
    kit::MaskEdit* grupo = named(new kit::MaskEdit(QStringLiteral("9999999999;0; "), this), "medAgrupFilial");
    QComboBox* ordem = named(new QComboBox(this), "cbxOrdem");
    QString fornecedores;

    explicit CriteriaScreen(QSettings* settings = nullptr) : StandardFilterScreen(QStringLiteral("TST03901")) {
        if (settings) setOptionSettings(settings);
        parcial->setChecked(true);
        todos->setChecked(true);
        ordem->addItems({QStringLiteral("Número"), QStringLiteral("Data"), QStringLiteral("Fornecedor")});
        for (QWidget* w : std::initializer_list<QWidget*>{parcial, todos, lista, inicio, grupo, ordem}) {
            contentLayout()->addWidget(w);
            rememberControl(w);
        }
    }
    void saveOptions() override {
        saveOption(QStringLiteral("stPesqForn"), fornecedores);
        StandardFilterScreen::saveOptions();
    }
    void loadOptions() override {
        StandardFilterScreen::loadOptions();
        fornecedores = loadOption(QStringLiteral("stPesqForn")).toString();
    }
    QString state() const {
        return QStringLiteral("%1 %2 [%3] [%4] %5 %6 %7")
            .arg(parcial->isChecked())
            .arg(todos->isChecked() ? QStringLiteral("Todos") : QStringLiteral("Lista"))
            .arg(inicio->date() ? inicio->date()->toString(QStringLiteral("dd/MM/yyyy")) : QString())
            .arg(grupo->value(), ordem->currentText(), fornecedores)
            .arg(lista->isChecked());
    }

private:
    template <class W>
    static W* named(W* w, const char* name) {
        w->setObjectName(QLatin1String(name));
        return w;
    }
};

class FilterScreenTest : public KitTest {
protected:
    QTemporaryDir home;
    void SetUp() override {
        KitTest::SetUp();
        ASSERT_TRUE(home.isValid());
        // Never the user's real options: the operator's options file lives in the test's directory.
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, home.path());
        loginAs(QStringLiteral("ANA"));
    }
    void TearDown() override {
        host::setSession(nullptr);
        KitTest::TearDown();
    }
    static void loginAs(const QString& operador) {
        host::LoginInfo login;
        login.operador = operador;
        login.filiProc = QStringLiteral("0001");
        host::setSession(std::make_shared<host::SessionState>(login));
    }
    // Sets every criterion away from its default and confirms.
    static void changeAndConfirm(CriteriaScreen& f) {
        showActive(&f);
        f.parcial->setChecked(false);
        f.lista->setChecked(true);
        f.inicio->setDate(QDate(2024, 3, 1));
        f.grupo->setValue(QStringLiteral("0000000012"));
        f.ordem->setCurrentIndex(2);
        f.fornecedores = QStringLiteral("_001_002_");
        QTest::mouseClick(f.confirmButton(), Qt::LeftButton);
    }
    static QString reopened() {
        CriteriaScreen f;
        showActive(&f);
        return f.state();
    }
};

const QString kDefaults = QStringLiteral("1 Todos [] [] Número  0");
const QString kChanged = QStringLiteral("0 Lista [01/03/2024] [0000000012] Fornecedor _001_002_ 1");

TEST_F(FilterScreenTest, ButtonsAreConfirmarAndCancelar) {
    CriteriaScreen f;
    EXPECT_EQ(f.confirmButton()->text(), QStringLiteral("Confirmar"));
    EXPECT_EQ(f.confirmButton()->objectName(), QStringLiteral("sbtConfirma"));
    EXPECT_EQ(f.cancelButton()->text(), QStringLiteral("Cancelar"));
    EXPECT_EQ(f.cancelButton()->objectName(), QStringLiteral("sbtCancela"));
}

TEST_F(FilterScreenTest, ConfirmedCriteriaSurviveClosingAndRecreatingTheScreen) {
    EXPECT_EQ(reopened(), kDefaults);
    {
        CriteriaScreen f;
        changeAndConfirm(f);
        EXPECT_EQ(f.result(), QDialog::Accepted);
    }
    EXPECT_EQ(reopened(), kChanged);
    // They are on disk, in the operator's options file, not only in this process's cache.
    const QString file = home.filePath(QStringLiteral("VEXMOOR/Opcoes.ini"));
    ASSERT_TRUE(QFile::exists(file));
    QSettings disk(file, QSettings::IniFormat);
    EXPECT_EQ(disk.value(kit::OptionStore(QStringLiteral("TST03901")).group() + QStringLiteral("/stPesqForn")).toString(),
              QStringLiteral("_001_002_"));
}

TEST_F(FilterScreenTest, CancellingSavesNothing) {
    CriteriaScreen f;
    showActive(&f);
    f.parcial->setChecked(false);
    f.fornecedores = QStringLiteral("_009_");
    QTest::mouseClick(f.cancelButton(), Qt::LeftButton);
    EXPECT_EQ(f.result(), QDialog::Rejected);
    EXPECT_EQ(reopened(), kDefaults);
}

TEST_F(FilterScreenTest, EachOperatorFindsOnlyHisOwnCriteria) {
    {
        CriteriaScreen f;
        changeAndConfirm(f);
    }
    loginAs(QStringLiteral("BIA"));
    EXPECT_EQ(reopened(), kDefaults);
    {
        CriteriaScreen f;
        showActive(&f);
        f.fornecedores = QStringLiteral("_777_");
        QTest::mouseClick(f.confirmButton(), Qt::LeftButton);
    }
    loginAs(QStringLiteral("ANA"));
    EXPECT_EQ(reopened(), kChanged);
    loginAs(QStringLiteral("BIA"));
    EXPECT_EQ(reopened(), QStringLiteral("1 Todos [] [] Número _777_ 0"));
}

TEST_F(FilterScreenTest, OptionsOfOneScreenAreNotAnothers) {
    kit::OptionStore mine(QStringLiteral("TST03901"));
    kit::OptionStore other(QStringLiteral("TST03902"));
    mine.save(QStringLiteral("stPesqComp"), QStringLiteral("_000000000ANA_"));
    EXPECT_EQ(mine.load(QStringLiteral("stPesqComp")).toString(), QStringLiteral("_000000000ANA_"));
    EXPECT_FALSE(other.contains(QStringLiteral("stPesqComp")));
    EXPECT_EQ(other.load(QStringLiteral("stPesqComp"), QStringLiteral("T")).toString(), QStringLiteral("T"));
    mine.remove(QStringLiteral("stPesqComp"));
    EXPECT_FALSE(mine.contains(QStringLiteral("stPesqComp")));
}

TEST_F(FilterScreenTest, GivenSettingsAreUsedInsteadOfTheOptionsFile) {
    QSettings own(home.filePath(QStringLiteral("proprias.ini")), QSettings::IniFormat);
    {
        CriteriaScreen f(&own);
        changeAndConfirm(f);
    }
    EXPECT_FALSE(QFile::exists(home.filePath(QStringLiteral("VEXMOOR/Opcoes.ini"))));
    EXPECT_EQ(reopened(), kDefaults);  // the operator's file knows nothing
    CriteriaScreen again(&own);
    showActive(&again);
    EXPECT_EQ(again.state(), kChanged);
}

TEST_F(FilterScreenTest, AControlWithoutNameOrOfAnUnknownKindIsRefused) {
    CriteriaScreen f;
    EXPECT_THROW(f.rememberControl(new QCheckBox(&f)), host::DataError);
    auto* frame = new QWidget(&f);
    frame->setObjectName(QStringLiteral("panFiltro"));
    EXPECT_THROW(f.rememberControl(frame), host::DataError);
}

}  // namespace
