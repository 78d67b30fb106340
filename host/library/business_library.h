#pragma once
// The host's business library (`_lib`) and its code validation (`Tabvalid`):
// product data and checks, the product lookup's SQL, cost types, password
// confirmation and the validation of coded texts. The shell installs the
// implementation; the screens call it through the unit namespaces of
// library_units.h (`host::Lib00210::Dados_Produto(...)`).
#include <QtCore/QString>
#include <QtCore/QStringList>
#include <QtCore/QVariantList>
#include <memory>

namespace host {

class Dataset;
class LookupQuery;
class RemoteConnection;

// Positions in the array of Dados_Produto. A value the product does not have
// is a null QVariant (reads as an empty text).
struct DadosProduto {
    enum Index {
        NMPRODUTO = 0,     // name
        SGUNIDADE = 1,     // unit
        CDPRODUTO = 2,     // internal product code
        CDARVPROD = 3,     // tree code as stored
        CDNVPRODUTO = 4,   // tree level ("03")
        CDPRODESTO = 5,    // stock product the product is converted into
        VRFATOCONV = 6,    // conversion factor into the stock product (double)
        CDGRUPPROD = 7,    // product group
        CDSUBGRPROD = 8,   // product sub-group
        IDPRODWEB = 9,     // bought via web ("S"/"N")
        TXOBSPRODUTO = 10, // notes
        Count = 11
    };
};

struct ValidExOptions {
    bool required = false;  // an empty text is refused
    bool complete = false;  // every level of the picture must be typed (a full code, not a tree level)
    // With a lookup dataset: the code must be the value of this field in one of
    // its rows; the dataset's cursor is left on that row.
    QString keyField = {};
};

class BusinessLibrary {
public:
    virtual ~BusinessLibrary() = default;

    // --- Lib00210: products --------------------------------------------------------
    // The product of a tree code (typed with or without the picture's literals),
    // indexed by DadosProduto. An empty code gives an array of nulls (nothing to
    // look up: the caller's own "must be informed" check follows); an unknown
    // code raises UserError.
    virtual QVariantList Dados_Produto(const QString& cdArvProd) = 0;
    // Returns when the destination branch may buy the product of the tree code;
    // raises UserError with the reason otherwise (unknown product or branch, a
    // tree level rather than a product, inactive in the branch, and with
    // idBlPrComEst "S" a product outside the branch's mix).
    virtual void Validacao_Produto(const QString& branch, const QString& cdArvProd, const QString& idBlPrComEst) = 0;
    // Put into `query` the SQL listing the products the branch may buy (columns
    // CDPRODUTO, CDARVPROD, CDNVPRODUTO, NMPRODUTO, SGUNIDADE; parameter
    // P_CDFILIAL bound to the branch) and return the pick list's empty-list
    // text. `orderByName` sorts by name, otherwise by tree code. The cache
    // variant is the one used when the general parameter IDCACHPRODFI is "S";
    // both list exactly the products Validacao_Produto accepts, less the tree
    // levels excluded for the branch (PRODNCMP), which the screens refuse.
    virtual QString SQL_Pesquisa_Produto(const QString& branch, const QString& idBlPrComEst, LookupQuery& query,
                                         bool orderByName) = 0;
    virtual QString SQL_Pesquisa_ProdutoCache(const QString& branch, const QString& idBlPrComEst, LookupQuery& query,
                                              bool orderByName) = 0;

    // --- Lib00500: cost types ------------------------------------------------------
    // The cost-type names in the order offered, read from names::custProd::module over
    // the caller's connection (bound with bindToServer). Remembered for
    // NumeroTipoCusto. Raises UserError when the call fails.
    virtual QStringList ListaTipoCusto(RemoteConnection& custos) = 0;
    // The number of the cost type at a combo index of the last list. Index -1
    // (nothing chosen) raises UserError; an index past the list is a DataError.
    virtual int NumeroTipoCusto(int index) const = 0;

    // --- Lib00700: password confirmation -------------------------------------------
    // Asks for the operator's password (dialogs().askPassword(caption, label)) and
    // has the server confirm it (`Sessao.ConfirmaSenha`, on a connection bound
    // with bindToServer). True only when confirmed. A wrong password shows
    // "Senha não confere." (an empty one "Senha deve ser informada.") and
    // returns false; cancelling returns false silently. Trouble reaching the
    // server raises UserError.
    virtual bool CriaConfSenha(const QString& operatorCode, const QString& caption, const QString& label) = 0;

    // --- Tabvalid: coded texts -----------------------------------------------------
    // Checks that `text` is a well-formed code of the picture `session().DBPict(
    // pictureType)` and rewrites it to the stored form; raises UserError
    // otherwise, leaving `text` as it was. A code is the picture's levels (its
    // groups of input positions) filled from the first: "01", "01.02" and
    // "01.02.003" are codes of "!99.99.999;0;_", typed with or without the
    // literals; "01.2" is not. Blanks and literals after the last typed level
    // are dropped; an empty text is accepted unless required.
    virtual void ValidEx(Dataset* lookup, int pictureType, QString& text, const ValidExOptions& options = {}) = 0;
};

// The library in use. Throws DataError when none is installed.
BusinessLibrary& businessLibrary();
void setBusinessLibrary(std::shared_ptr<BusinessLibrary> library);

}  // namespace host
