// SetAF: writes the brand and quantity changes of the bulk alteration in one
// transaction, with its history, settlements, purchase requests and the AFs'
// totals. It decides from what it reads (which items are still open, whether
// a product is still bought) and writes on that: on PostgreSQL it runs
// serializable, so two batches deciding on the same AF cannot both miss each
// other's change; the loser is run again by transact().
#include "alt_af_changes.h"
#include "alt_af_fields.h"
#include "alt_af_history.h"
#include "alt_af_methods.h"
#include "alt_af_verify.h"

#include "platform/db/sql_exec.h"
#include "platform/db/transaction.h"
#include "platform/server/call_context.h"
#include "platform/server/modules/common/af_tables.h"
#include "platform/server/modules/common/af_totals.h"
#include "platform/server/modules/common/authorisation.h"
#include "platform/server/resolver/delta_resolver.h"

#include "host/data/errors.h"
#include "host/remote/remote_names.h"

#include <QtCore/QDateTime>
#include <QtCore/QSet>

namespace platform::server::modules::altaf {

namespace {

using host::RemoteValue;
using host::UserError;
using host::Value;

// The server's clock as naive wall time to the second, as every date is stored.
QDateTime wallClockNow() {
    const QDateTime local = QDateTime::currentDateTime();
    const QTime t = local.time();
    return QDateTime(local.date(), QTime(t.hour(), t.minute(), t.second()), Qt::UTC);
}

QDateTime at(const host::DateTime& d) { return QDateTime::fromMSecsSinceEpoch(d.msecs, Qt::UTC); }

afdb::Params afKey(const QString& dest, const QString& lanc, const QString& af) {
    return {{"D", dest}, {"L", lanc}, {"N", af}};
}

// Only the key, the brand and the quantity reach ITEMAUTF: the resolver
// updates "where unchanged", so an item changed meanwhile is a conflict.
host::Packet itemDelta(const std::vector<ItemChange>& changes) {
    const QStringList columns = itemDeltaColumns();
    const int brand = int(columns.indexOf(QStringLiteral("CDMARCA")));
    const int quantity = int(columns.indexOf(QStringLiteral("QTPROGENTAF")));
    host::Packet p;
    p.kind = host::PacketKind::Delta;
    p.fields = tables::itemAutF().fields(columns);
    for (const ItemChange& c : changes) {
        auto qty = [](const std::optional<double>& q) { return q ? Value(*q) : Value(); };
        host::PacketRow row;
        row.state = host::RowState::Modified;
        row.original = {c.dest, c.lanc, c.af, c.product, c.delivery, c.oldBrand, qty(c.oldQty)};
        row.values = {c.dest, c.lanc, c.af, c.product, c.delivery, c.newBrand, qty(c.newQty)};
        if (c.brandChanged()) row.changed.push_back(brand);
        if (c.qtyChanged()) row.changed.push_back(quantity);
        p.rows.push_back(std::move(row));
    }
    return p;
}

QString refusal(const Verification& v) {
    QStringList lines{QStringLiteral("Alteração de AF recusada. Nada foi gravado.")};
    lines += v.problems;
    lines += findingTexts(v.findings);
    return lines.join(QLatin1Char('\n'));
}

class Save {
public:
    Save(CallContext& ctx, const QSqlDatabase& db, const std::vector<ItemChange>& changes, const HistoryTexts& texts,
         bool updateRequests)
        : m_db(db), m_changes(changes), m_updateRequests(updateRequests), m_now(wallClockNow()),
          m_history(db, texts, ctx.operatorCode(), ctx.operatorName(), m_now), m_operator(ctx.operatorCode()) {}

    void run() {
        const Verification v = verifyChanges(m_db, m_changes, operatorRights(m_db, m_operator));
        if (!v.clean()) throw UserError(refusal(v));
        afresolver::applyDelta(m_db, itemDelta(m_changes), tables::itemAutF().mapping());
        QSet<QString> settledAfs;
        for (const ItemChange& c : m_changes) {
            if (c.brandChanged()) m_history.brandChanged(c);
            if (c.qtyChanged()) m_history.quantityChanged(c);
            if (settlesItem(c)) {
                settleItem(c);
                settledAfs.insert(afText(c));
            }
            if (m_updateRequests) updateRequests(c);
        }
        for (const ItemChange& c : m_changes) {
            const QString key = afText(c);
            if (m_stamped.contains(key)) continue;
            m_stamped.insert(key);
            if (settledAfs.contains(key)) settleAfWhenDone(c);
            recomputeAfTotal(m_db, c.dest, c.lanc, c.af);
            stampAf(c);
        }
    }

private:
    static QString afText(const ItemChange& c) { return c.dest + QLatin1Char('/') + c.lanc + QLatin1Char('/') + c.af; }

    // A partly settled item whose quantity falls to what was delivered is settled.
    static bool settlesItem(const ItemChange& c) {
        return c.settlement == QLatin1String("1") && c.qtyChanged() && c.newQty && c.delivered && *c.delivered > 0 &&
               *c.newQty == *c.delivered;
    }

    void settleItem(const ItemChange& c) {
        afdb::Params p = afKey(c.dest, c.lanc, c.af);
        p.insert(p.end(), {{"P", c.product}, {"T", at(c.delivery)}, {"M", c.newBrand}, {"W", m_now}, {"OP", m_operator}});
        afdb::exec(m_db,
                   QStringLiteral("UPDATE ITEMAUTF SET IDBAIXITMAF = '2', DTBAIXITMAF = :W, CDOPERBAIXA = :OP "
                                  "WHERE CDFILDEST = :D AND CDFILLANC = :L AND NRAUTOFORN = :N AND CDPRODUTO = :P "
                                  "AND DTPROGENTAF = :T AND CDMARCA = :M"),
                   p);
        m_history.itemSettled(c);
    }

    void settleAfWhenDone(const ItemChange& c) {
        const afdb::Params key = afKey(c.dest, c.lanc, c.af);
        const int open = afdb::scalar(m_db,
                                      QStringLiteral("SELECT COUNT(*) FROM ITEMAUTF WHERE CDFILDEST = :D AND "
                                                     "CDFILLANC = :L AND NRAUTOFORN = :N AND "
                                                     "(IDBAIXITMAF IS NULL OR IDBAIXITMAF NOT IN ('2', '3'))"),
                                      key)
                             .toInt();
        if (open > 0) return;
        const QString old = afdb::scalar(m_db,
                                         QStringLiteral("SELECT IDBAIXAAF FROM AUTOFORNE WHERE CDFILDEST = :D AND "
                                                        "CDFILLANC = :L AND NRAUTOFORN = :N"),
                                         key)
                                .toString();
        afdb::exec(m_db,
                   QStringLiteral("UPDATE AUTOFORNE SET IDBAIXAAF = '2' WHERE CDFILDEST = :D AND CDFILLANC = :L "
                                  "AND NRAUTOFORN = :N"),
                   key);
        m_history.afSettled(c.dest, c.lanc, c.af, old);
    }

    void stampAf(const ItemChange& c) {
        afdb::Params p = afKey(c.dest, c.lanc, c.af);
        p.insert(p.end(), {{"W", m_now}, {"OP", m_operator}});
        afdb::exec(m_db,
                   QStringLiteral("UPDATE AUTOFORNE SET DTULTALTAF = :W, CDOPERULTALT = :OP WHERE CDFILDEST = :D "
                                  "AND CDFILLANC = :L AND NRAUTOFORN = :N"),
                   p);
    }

    // Imported requests follow the item: its new brand, and when the AF no
    // longer buys the product at all (every item of it at 0) they are released
    // to be bought again.
    void updateRequests(const ItemChange& c) {
        afdb::Params p = afKey(c.dest, c.lanc, c.af);
        p.push_back({"P", c.product});
        if (c.brandChanged()) {
            afdb::Params b = p;
            b.insert(b.end(), {{"NEW", c.newBrand}, {"OLD", c.oldBrand}});
            afdb::exec(m_db,
                       QStringLiteral("UPDATE ITEMSOLICMP SET CDMARCA = :NEW WHERE CDFILDEST = :D AND CDFILLANC = :L "
                                      "AND NRAUTOFORN = :N AND CDPRODUTO = :P AND IDSITUITSOL = 'I' AND CDMARCA = :OLD"),
                       b);
        }
        if (!c.qtyChanged() || !c.newQty || *c.newQty != 0) return;
        const int buying = afdb::scalar(m_db,
                                        QStringLiteral("SELECT COUNT(*) FROM ITEMAUTF WHERE CDFILDEST = :D AND "
                                                       "CDFILLANC = :L AND NRAUTOFORN = :N AND CDPRODUTO = :P AND "
                                                       "QTPROGENTAF > 0"),
                                        p)
                               .toInt();
        if (buying > 0) return;
        afdb::exec(m_db,
                   QStringLiteral("UPDATE ITEMSOLICMP SET IDSITUITSOL = 'A', CDFILDEST = NULL, CDFILLANC = NULL, "
                                  "NRAUTOFORN = NULL, DTIMPORTACAO = NULL WHERE CDFILDEST = :D AND CDFILLANC = :L "
                                  "AND NRAUTOFORN = :N AND CDPRODUTO = :P AND IDSITUITSOL = 'I'"),
                   p);
    }

    const QSqlDatabase& m_db;
    const std::vector<ItemChange>& m_changes;
    bool m_updateRequests;
    QDateTime m_now;
    HistoryWriter m_history;
    QString m_operator;
    QSet<QString> m_stamped;
};

RemoteValue setAF(CallContext& ctx, const QByteArray& items, bool updateRequests, const HistoryTexts& texts) {
    const host::Packet delta = decodeItems(items);
    if (delta.kind != host::PacketKind::Delta)
        throw UserError(QStringLiteral("SetAF espera as alterações pendentes da lista (pacote delta)."));
    const std::vector<ItemChange> changes = readChanges(delta);
    if (changes.empty()) return RemoteValue(true);
    const QSqlDatabase db = ctx.database();
    afdb::transact(db, [&] { Save(ctx, db, changes, texts, updateRequests).run(); },
                   afdb::TxOptions{.isolation = afdb::Isolation::Serializable});
    return RemoteValue(true);
}

}  // namespace

void addSaveMethods(ServerModule& module) {
    Params p;
    const auto items = p.packet("delta");
    const auto updateRequests = p.boolean("atualizaSolicitacoes");
    const HistoryParams history(p);
    const WriteRule rule{.rights = {},
                         .writersOnly = true,
                         .rowChecks = QStringLiteral("ALAF para itens de AF automática (IDTIPOLANCAF = \"A\"); "
                                                     "EXAF para zerar a quantidade de um item")};
    module.writeMethod(host::names::altAF::SetAF, p, ResultKind::Boolean, rule, [=](CallContext& c) {
        return setAF(c, c[items], c[updateRequests], history.read(c));
    });
}

}  // namespace platform::server::modules::altaf
