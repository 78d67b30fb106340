#pragma once
// The header tab against the real server: the workspace's world plus the rows
// the header's lookups read (suppliers with valid registration numbers and
// their terms, a qualification, carriers of the branch, a payable type), a
// business library whose password check answers from a table, and helpers
// that type into the real boxes and leave them.
#include "afdesk/core/header/header_entry.h"
#include "afdesk/core/workspace/workspace_fixture.h"

#include "host/library/business_library.h"

#include <QtCore/QMap>

namespace kit {
class DBEdit;
}

namespace afdesk::testing {

// CriaConfSenha answers from a table of passwords; the other services are not
// the header's and fail the test when called.
class PasswordLibrary : public host::BusinessLibrary {
public:
    QMap<QString, QString> passwords;  // operator -> password
    QStringList asked;                 // operators whose password was asked

    QVariantList Dados_Produto(const QString&) override;
    void Validacao_Produto(const QString&, const QString&, const QString&) override;
    QString SQL_Pesquisa_Produto(const QString&, const QString&, host::LookupQuery&, bool) override;
    QString SQL_Pesquisa_ProdutoCache(const QString&, const QString&, host::LookupQuery&, bool) override;
    QStringList ListaTipoCusto(host::RemoteConnection&) override;
    int NumeroTipoCusto(int) const override;
    bool CriaConfSenha(const QString& operatorCode, const QString& caption, const QString& label) override;
    void ValidEx(host::Dataset*, int, QString&, const host::ValidExOptions&) override;
};

class HeaderTest : public WorkspaceTest {
protected:
    // Registration numbers of the fixture's suppliers and carriers (valid check digits).
    static QString cnpj(const char* base12);
    QString supplierOk;        // active, no qualification, terms of 60 and 30 days
    QString supplierInactive;  // inactive although qualified
    QString supplierQualified; // qualification "Q1" valid through dtValQualif
    QString carrierMain;       // main carrier of the branch
    QString carrierOther;      // another carrier of the branch

    void SetUp() override;
    void TearDown() override;

    // The workspace open on "Dados da AF" with the list's first AF.
    void openOnHeader();
    // A new AF started on the header tab (the header emptied first, as "Incluir" does).
    void startInsert();
    // Puts the focus in a control without leaving the one that has it (no exit runs),
    // as a click from outside the screen would.
    void placeFocus(const char* objectName);
    // Types into a header box after placing the focus in it; the box keeps the focus.
    void typeInto(const char* objectName, const QString& text);
    // Moves the focus from the box that has it to another one (its exit runs).
    void leaveTo(const char* objectName);
    // Posts the header; true when the post went through, false when a check refused it.
    bool post();

    template <typename T = QWidget>
    T* control(const char* objectName) const {
        T* c = w->findChild<T*>(QString::fromLatin1(objectName));
        EXPECT_NE(c, nullptr) << objectName;
        return c;
    }
    QString value(const char* field) const;
    QWidget* focused() const;

    std::shared_ptr<PasswordLibrary> library;
};

}  // namespace afdesk::testing
