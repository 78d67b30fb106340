#include "fixture_rows.h"

#include "platform/db/db_error.h"

#include <QtCore/QDateTime>
#include <QtCore/QRegularExpression>

namespace afdb::testing {

namespace {

QString checkedIdentifier(const QString& name) {
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    if (!plain.match(name).hasMatch()) throw DbError(QStringLiteral("Identificador inválido: \"%1\".").arg(name));
    return name;
}

QDateTime at(int y, int m, int d) { return QDateTime(QDate(y, m, d), QTime(0, 0), Qt::UTC); }

}  // namespace

void insertRow(const QSqlDatabase& db, const QString& table, const Params& values) {
    QStringList columns;
    QStringList holders;
    Params bound;
    for (const Param& p : values) {
        const QString column = checkedIdentifier(p.name);
        columns << column;
        holders << QLatin1Char(':') + column;
        bound.push_back({column, p.value});
    }
    exec(db,
         QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
             .arg(checkedIdentifier(table), columns.join(QStringLiteral(", ")), holders.join(QStringLiteral(", "))),
         bound);
}

MinimalWorld seedMinimalWorld(const QSqlDatabase& db) {
    const MinimalWorld w;
    insertRow(db, "EMPRESA", {{"CDEMPRESA", w.company}, {"NMEMPRESA", "Empresa Teste"}});
    insertRow(db, "FILIAL", {{"CDFILIAL", w.central}, {"NMFILIAL", "Central"}, {"CDEMPRESA", w.company},
                             {"CDINSCESTA", "111"}, {"IDCNTRRESC", "N"},
                             {"DTPROCFILI", QDateTime(QDate(2024, 6, 14), QTime(0, 0))}});
    insertRow(db, "FILIAL", {{"CDFILIAL", w.branch}, {"NMFILIAL", "Loja"}, {"CDEMPRESA", w.company},
                             {"CDFILCENTCMP", w.central}, {"CDINSCESTA", "222"}, {"IDCNTRRESC", "N"},
                             {"DTPROCFILI", QDateTime(QDate(2024, 6, 14), QTime(0, 0))}});
    insertRow(db, "EMPRCNTRFIL", {{"CDEMPRESA", w.company}, {"CDFILIAL", w.branch}});
    insertRow(db, "PARAMGERAL", {{"CDPARAMGERAL", "1"}, {"IDSISDOS", "1"}, {"IDCACHPRODFI", "N"}});

    insertRow(db, "OPERADOR", {{"CDOPERADOR", w.buyer}, {"NMOPERADOR", "Comprador Um"}, {"IDOPERATIVO", "A"}});
    insertRow(db, "OPERADOR", {{"CDOPERADOR", w.operatorCode}, {"NMOPERADOR", "Operador Um"}, {"IDOPERATIVO", "A"}});
    insertRow(db, "COMPRADOR", {{"CDOPERADOR", w.buyer}, {"VRLIMITECOMP", 100000.0}});
    insertRow(db, "COMPROPER", {{"CDCOMPRADOR", w.buyer}, {"CDOPERADOR", w.operatorCode},
                                {"IDEXSENHCMPOPER", "N"}, {"IDAFCMPOPER", "S"}});
    insertRow(db, "GRUPOPER", {{"CDGRUPOPER", "01"}, {"NMGRUPOPER", "Compras"}});
    insertRow(db, "OPERGRUPOP", {{"CDGRUPOPER", "01"}, {"CDOPERADOR", w.buyer}});
    insertRow(db, "AUTGRUPOP", {{"CDGRUPOPER", "01"}, {"IDAUTGRUPOP", "ENAF"}});

    insertRow(db, "PARASUPRI", {{"CDFILIAL", w.branch}, {"IDVALDTAF", "M"}, {"IDULTIDTVALQ", "D"}});
    insertRow(db, "PARCMPSUP", {{"CDFILIAL", w.branch}, {"IDTIPEMITGER", "1"}, {"IDAUDALTAF", "N"}});

    insertRow(db, "FORMPGTO", {{"CDFORMPGTO", "01"}, {"NMFORMPGTO", "Boleto"}});
    insertRow(db, "TIPOCOBR", {{"CDTIPCOB", "01"}, {"NMTIPOCOBR", "Carteira"}});
    insertRow(db, "FORNECEDOR", {{"CDFORNECED", w.supplier}, {"IDTPIJURFORN", "J"},
                                 {"NRINSJURFORN", w.supplierDocument}, {"NMRAZSOCFORN", "Fornecedor Teste Ltda"},
                                 {"NMFANTFORN", "Fornecedor Teste"}, {"CDTIPCOB", "01"}, {"CDFORMPGTO", "01"},
                                 {"IDSITUCADA", "A"}, {"IDTPENVAFFOR", "1"}});
    insertRow(db, "ENDEFORN", {{"CDFORNECED", w.supplier}, {"IDTPENDEFORN", "P"}, {"SGESTADO", "SP"}});
    insertRow(db, "PRAZOPGFOR", {{"CDFORNECED", w.supplier}, {"NRDIASPGTOFO", 30.0}, {"VRPERCPGTOFO", 100.0}});

    insertRow(db, "MARCA", {{"CDMARCA", w.brand}, {"NMMARCA", "Marca Um"}});
    insertRow(db, "PRODUTO", {{"CDPRODUTO", w.productLevel}, {"CDARVPROD", "01"}, {"NMPRODUTO", "Alimentos"}});
    insertRow(db, "PRODUTO", {{"CDPRODUTO", w.product}, {"CDARVPROD", w.productTree}, {"NMPRODUTO", "Arroz 5 kg"},
                              {"SGUNIDADE", "PCT"}, {"VRFATOCONV", 1.0}});
    insertRow(db, "PRODCOMP", {{"CDOPERADOR", w.buyer}, {"CDPRODUTO", w.productLevel}});
    insertRow(db, "TIPOOPER", {{"CDTIPOOPER", "01"}, {"NMTIPOOPER", "Compra"}});
    insertRow(db, "IMPOSTO", {{"CDIMPOSTO", "01"}, {"NMIMPOSTO", "ICMS"}});
    insertRow(db, "INCIDENCIA", {{"CDEMPRESA", w.company}, {"CDTIPOOPER", "01"}, {"CDINSCESTA", "222"},
                                 {"CDIMPOSTO", "01"}, {"CDPRODUTO", w.productLevel}, {"IDENTRSAIDIN", "E"},
                                 {"CDFISCAL", "1102"}});
    insertRow(db, "ENCARGO", {{"CDENCARGO", "01"}, {"NMENCARGO", "Frete"}});

    const Params afKey = {{"CDFILDEST", w.branch}, {"CDFILLANC", w.central}, {"NRAUTOFORN", w.afNumber}};
    auto withKey = [&](Params more) {
        Params all = afKey;
        all.insert(all.end(), more.begin(), more.end());
        return all;
    };
    insertRow(db, "AUTOFORNE", withKey({{"CDFORNECED", w.supplier}, {"DTAUTOFORN", at(2024, 3, 5)},
                                        {"CDOPERADOR", w.buyer}, {"IDTIPOEMITAF", "1"}, {"CDEMPRESA", w.company},
                                        {"IDTIPOLANCAF", "M"}, {"VRTOTALAF", 125.0}, {"DTPROGENTAF", at(2024, 3, 20)}}));
    const Params itemKey = {{"CDPRODUTO", w.product}, {"DTPROGENTAF", at(2024, 3, 20)}, {"CDMARCA", w.brand}};
    Params item = withKey(itemKey);
    item.push_back({"QTPROGENTAF", 10.0});
    item.push_back({"VRPREUNIAF", 12.5});
    insertRow(db, "ITEMAUTF", item);
    Params tax = withKey(itemKey);
    tax.push_back({"CDIMPOSTO", "01"});
    tax.push_back({"VRALIQITMAF", 18.0});
    tax.push_back({"VRIMPITMAF", 22.5});
    insertRow(db, "IMPITMAF", tax);
    insertRow(db, "PRAZOPGTAF", withKey({{"NRDIASPGTOAF", 30.0}, {"VRPERCPGTOAF", 100.0}}));
    insertRow(db, "MENSAUTF", withKey({{"NRMENSAUTFOR", "01"}, {"DSMENSAF", "Entregar pela manhã"}}));
    insertRow(db, "ENCARGOAF", withKey({{"DTENTRENCAF", at(2024, 3, 20)}, {"CDENCARGO", "01"}, {"VRENCARGOAF", 7.5}}));
    return w;
}

}  // namespace afdb::testing
