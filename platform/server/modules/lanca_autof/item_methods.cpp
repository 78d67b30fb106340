// What the item entry ("Produtos") asks the server while a product, a brand
// and a delivery date are typed: whether the buyer may buy the product for a
// logistic-operator branch, the supplier's next delivery day at the branch,
// and the product's registered brands.
#include "lanca_autof_layouts.h"
#include "lanca_autof_methods.h"

#include "platform/server/call_context.h"
#include "platform/server/modules/common/packet_query.h"

#include "host/data/errors.h"
#include "host/remote/remote_names.h"

namespace platform::server::modules {

namespace {

namespace names = host::names::lancaAutoF;
using host::RemoteValue;

void require(const QString& value, const char* message) {
    if (value.trimmed().isEmpty()) throw host::UserError(QString::fromUtf8(message));
}

// Both rules compare tree codes by prefix, as the client's own check of an
// ordinary branch does (:tree LIKE CDARVPROD || '%'), so a row naming a tree
// level covers every product under it.
// - COMPRA: a PRODCOMP level of the buyer.
// - RELACIONADO: a PRODOPERLOG product of a branch that is a logistic operator
//   (IDFUNCAOFILI 'O'). The call names no branch, so any operator's relation
//   counts; rows left at a branch that is no longer an operator do not.
QString prodCompSql() {
    return QStringLiteral(
        "SELECT "
        "CASE WHEN EXISTS (SELECT 1 FROM PRODCOMP C JOIN PRODUTO L ON L.CDPRODUTO = C.CDPRODUTO "
        "WHERE C.CDOPERADOR = :OP AND P.CDARVPROD LIKE L.CDARVPROD || '%') THEN 1 ELSE 0 END AS COMPRA, "
        "CASE WHEN EXISTS (SELECT 1 FROM PRODOPERLOG R JOIN FILIAL F ON F.CDFILIAL = R.CDFILIAL "
        "JOIN PRODUTO L ON L.CDPRODUTO = R.CDPRODUTO "
        "WHERE F.IDFUNCAOFILI = 'O' AND P.CDARVPROD LIKE L.CDARVPROD || '%') THEN 1 ELSE 0 END AS RELACIONADO "
        "FROM PRODUTO P WHERE P.CDPRODUTO = :PR");
}

// GetVer_ProdComp(CDOPERADOR, CDPRODUTO): "" the buyer may buy the product;
// "C" the product is under none of the buyer's tree levels ("Produto não
// cadastrado para o comprador informado."); "R" it is, but no logistic
// operator relates it to its products ("Produto sem relacionamento de
// produtos do OL."). "C" is answered first: the buyer is the first thing the
// client checks on an ordinary branch too.
RemoteValue verProdComp(CallContext& ctx, const QString& buyer, const QString& product) {
    require(buyer, "Comprador deve ser informado.");
    require(product, "Produto deve ser informado.");
    const QSqlDatabase& db = ctx.database();
    if (!afdb::scalar(db, QStringLiteral("SELECT 1 FROM COMPRADOR WHERE CDOPERADOR = :OP"), {{"OP", buyer}}).isValid())
        throw host::UserError(QStringLiteral("Comprador %1 não cadastrado.").arg(buyer.trimmed()));
    QSqlQuery q = afdb::exec(db, prodCompSql(), {{"OP", buyer}, {"PR", product}});
    if (!q.next()) throw host::UserError(QStringLiteral("Produto %1 não cadastrado.").arg(product.trimmed()));
    if (q.value(0).toInt() == 0) return RemoteValue(QStringLiteral("C"));
    if (q.value(1).toInt() == 0) return RemoteValue(QStringLiteral("R"));
    return RemoteValue(QString());
}

// FORNFILI.DSPERIENTR: seven positions, Sunday to Saturday, "S" the supplier
// delivers at the branch that weekday, "N" it does not.
constexpr int kWeekDays = 7;

// Days from `day` to the first day, that one included, the pattern serves;
// -1 when it serves none. The pattern is already checked.
int daysToServedDay(const QString& pattern, const QDate& day) {
    const int first = day.dayOfWeek() % kWeekDays;  // Qt counts Monday 1 ... Sunday 7; the pattern starts on Sunday
    for (int n = 0; n < kWeekDays; ++n)
        if (pattern[(first + n) % kWeekDays] == QLatin1Char('S')) return n;
    return -1;
}

bool wellFormed(const QString& pattern) {
    if (pattern.size() != kWeekDays) return false;
    for (const QChar c : pattern)
        if (c != QLatin1Char('S') && c != QLatin1Char('N')) return false;
    return true;
}

// One row: whether the branch and the supplier exist, and the pattern (null
// without a FORNFILI row).
QString periFornSql() {
    return QStringLiteral(
        "SELECT (SELECT COUNT(*) FROM FILIAL WHERE CDFILIAL = :F) AS FILIAL, "
        "(SELECT COUNT(*) FROM FORNECEDOR WHERE CDFORNECED = :S) AS FORNECEDOR, "
        "(SELECT DSPERIENTR FROM FORNFILI WHERE CDFORNECED = :S AND CDFILIAL = :F) AS DSPERIENTR");
}

// Carrega_PeriForn(CDFILDEST, CDFORNECED, date): the date itself when the
// supplier delivers at the branch on its weekday, else the next day it does,
// at the same time of day (the client compares the answer with what was
// typed). No restriction, hence the date itself: no FORNFILI row for the
// pair (whether the supplier serves the branch is not this check's to say) or
// an empty pattern. Refused, nothing guessed: a pattern that is not seven
// "S"/"N" positions, or one without any "S" (no date could ever pass).
RemoteValue periForn(CallContext& ctx, const QString& branch, const QString& supplier,
                     const OptionalDateTime& date) {
    require(branch, "Filial destino deve ser informada.");
    require(supplier, "Fornecedor deve ser informado.");
    if (!date) throw host::UserError(QStringLiteral("Data de entrega deve ser informada."));
    QSqlQuery q = afdb::exec(ctx.database(), periFornSql(), {{"S", supplier}, {"F", branch}});
    q.next();
    if (q.value(0).toInt() == 0)
        throw host::UserError(QStringLiteral("Filial %1 não cadastrada.").arg(branch.trimmed()));
    if (q.value(1).toInt() == 0)
        throw host::UserError(QStringLiteral("Fornecedor %1 não cadastrado.").arg(supplier.trimmed()));
    const QString pattern = q.value(2).toString();
    if (pattern.trimmed().isEmpty()) return RemoteValue(*date);
    if (!wellFormed(pattern))
        throw host::UserError(QStringLiteral("A periodicidade de entrega \"%1\" do fornecedor %2 na filial %3 é inválida: "
                                             "deve ter 7 posições, de domingo a sábado, cada uma \"S\" (entrega) ou "
                                             "\"N\". Corrija o cadastro do fornecedor.")
                                  .arg(pattern, supplier.trimmed(), branch.trimmed()));
    const int days = daysToServedDay(pattern, date->date());
    if (days < 0)
        throw host::UserError(QStringLiteral("O fornecedor %1 não entrega em nenhum dia da semana na filial %2 "
                                             "(periodicidade de entrega \"%3\"). Corrija o cadastro do fornecedor.")
                                  .arg(supplier.trimmed(), branch.trimmed(), pattern));
    return RemoteValue(host::DateTime::fromDate(date->date().addDays(days), date->time()));
}

// GetPesqMarca(CDARVPROD): the brands registered for the product (MARCPROD),
// qualified or not: the brand checks of the item come after the choice. A
// product unknown or without brands answers an empty packet.
RemoteValue pesqMarca(CallContext& ctx, const QString& tree) {
    require(tree, "Produto deve ser informado.");
    const PacketLayout layout = layouts::pesqMarca();
    return RemoteValue::packet(queryPacket(
        ctx.database(), layout,
        QStringLiteral("SELECT ") + layout.columnList() +
            QStringLiteral(" FROM PRODUTO P JOIN MARCPROD MP ON MP.CDPRODUTO = P.CDPRODUTO "
                           "JOIN MARCA M ON M.CDMARCA = MP.CDMARCA WHERE P.CDARVPROD = :A ORDER BY M.CDMARCA"),
        {{"A", tree}}));
}

}  // namespace

void addItemMethods(ServerModule& module) {
    Params prodComp;
    const auto buyer = prodComp.text("CDOPERADOR");
    const auto product = prodComp.text("CDPRODUTO");
    module.method(names::GetVer_ProdComp, prodComp, ResultKind::Text,
                  [=](CallContext& c) { return verProdComp(c, c[buyer], c[product]); });

    Params periFornParams;
    const auto branch = periFornParams.text("CDFILDEST");
    const auto supplier = periFornParams.text("CDFORNECED");
    const auto date = periFornParams.dateTime("DTPROGENTAF");
    module.method(names::Carrega_PeriForn, periFornParams, ResultKind::DateTime,
                  [=](CallContext& c) { return periForn(c, c[branch], c[supplier], c[date]); });

    Params marca;
    const auto tree = marca.text("CDARVPROD");
    module.method(names::GetPesqMarca, marca, ResultKind::Packet, [=](CallContext& c) { return pesqMarca(c, c[tree]); });
}

}  // namespace platform::server::modules
