#include "alt_af_verify.h"

#include "alt_af_fields.h"

#include "platform/db/sql_exec.h"
#include "platform/db/sql_values.h"
#include "platform/server/resolver/delta_resolver.h"

#include "host/data/text_format.h"

#include <QtCore/QDateTime>
#include <QtCore/QHash>
#include <QtCore/QSet>
#include <algorithm>
#include <cmath>

namespace platform::server::modules::altaf {

namespace {

QDateTime at(const host::DateTime& d) { return QDateTime::fromMSecsSinceEpoch(d.msecs, Qt::UTC); }

QString qtyText(double v) { return host::formatFloat(v, QStringLiteral("###,##0.000")); }

std::optional<double> optNumber(const QVariant& v) {
    if (v.isNull()) return std::nullopt;
    return v.toDouble();
}

// The item as the database holds it now.
struct CurrentItem {
    bool exists = false;
    std::optional<double> qty, delivered;
    QString settlement, afSettlement, expired, consolidatedInto;
    bool automaticAf = false;  // IDTIPOLANCAF = "A"
    QDate processingDate;  // of the destination branch
};

class Checker {
public:
    Checker(const QSqlDatabase& db, const OperatorRights& rights) : m_db(db), m_rights(rights) {}

    void check(const ItemChange& c, Verification& out, QSet<QString>& movedTo) {
        QStringList why;
        const CurrentItem now = current(c);
        if (!now.exists) {
            out.problems << QStringLiteral("%1, marca %2: o item não existe mais.").arg(describeItem(c), c.oldBrand);
            return;
        }
        if (!isOpen(now)) {
            out.problems << QStringLiteral("%1: o item não está mais em aberto.").arg(describeItem(c));
            return;
        }
        if (now.qty != c.oldQty || now.settlement != c.settlement || now.delivered != c.delivered) {
            out.problems << QStringLiteral("%1: o item foi alterado por outro usuário desde a leitura. Recarregue a lista.")
                                .arg(describeItem(c));
            return;
        }
        if (now.automaticAf && !m_rights.ALAF) {
            out.problems << QStringLiteral("%1: %2").arg(describeItem(c), missingRightRefusal(QStringLiteral("ALAF")));
            return;
        }
        const bool partial = now.settlement == QLatin1String("1");
        checkQuantity(c, now, partial, why);
        if (c.qtyChanged() && c.newQty && *c.newQty == 0 && !m_rights.EXAF)
            why << missingRightRefusal(QStringLiteral("EXAF"));
        if (c.brandChanged()) checkBrand(c, now, partial, movedTo, why, out.findings);
        for (const QString& reason : why) out.problems << QStringLiteral("%1: %2").arg(describeItem(c), reason);
    }

private:
    static bool isOpen(const CurrentItem& now) {
        const bool itemOpen = now.settlement.isEmpty() || now.settlement == QLatin1String("1");
        const bool afOpen = now.afSettlement.isEmpty() || now.afSettlement == QLatin1String("1");
        return itemOpen && afOpen && now.expired != QLatin1String("S") && now.consolidatedInto.isEmpty();
    }

    static void checkQuantity(const ItemChange& c, const CurrentItem& now, bool partial, QStringList& why) {
        if (!c.newQty || std::isnan(*c.newQty)) {
            why << QStringLiteral("a quantidade deve ser informada.");
            return;
        }
        const double q = *c.newQty;
        if (!afresolver::isStorableNumber(q))
            why << QStringLiteral("a quantidade %1 está fora do limite de %2.")
                       .arg(host::defaultFloatText(q),
                            host::formatFloat(afresolver::kStoredNumberLimit, QStringLiteral("###,##0.00000")));
        else if (q < 0) why << QStringLiteral("a quantidade deve ser igual ou maior que 0.");
        else if (q == 0 && partial) why << QStringLiteral("o item está com baixa parcial e a quantidade não pode ser zerada.");
        else if (now.delivered && q < *now.delivered)
            why << QStringLiteral("a quantidade %1 é menor que a já entregue (%2).").arg(qtyText(q), qtyText(*now.delivered));
    }

    void checkBrand(const ItemChange& c, const CurrentItem& now, bool partial, QSet<QString>& movedTo,
                    QStringList& why, std::vector<Finding>& findings) {
        if (partial) {
            why << QStringLiteral("o item está com baixa parcial e sua marca não pode ser alterada.");
            return;
        }
        if (c.newBrand.isEmpty()) {
            why << QStringLiteral("a marca deve ser informada.");
            return;
        }
        if (!brandExists(c.newBrand)) {
            why << QStringLiteral("marca %1 não cadastrada.").arg(c.newBrand);
            return;
        }
        const QString target = c.dest + c.lanc + c.af + c.product + QString::number(c.delivery.msecs) + c.newBrand;
        if (movedTo.contains(target) || itemExists(c, c.newBrand))
            why << QStringLiteral("a AF já tem um item deste produto com a marca %1 nesta entrega.").arg(c.newBrand);
        movedTo.insert(target);
        const QString code = brandCode(c.product, c.newBrand, now.processingDate);
        if (code.isEmpty()) return;
        const Finding f{c.product + c.newBrand, code};
        if (std::find(findings.begin(), findings.end(), f) == findings.end()) findings.push_back(f);
    }

    // The reads below run once per changed item: their statements stay prepared.
    CurrentItem current(const ItemChange& c) {
        QSqlQuery& q = afdb::execKept(
            m_db,
            QStringLiteral("SELECT I.QTPROGENTAF, I.IDBAIXITMAF, I.QTEFETENTRAF, A.IDBAIXAAF, A.IDAFEXPIRADA, "
                           "A.CDFILDESTCON, F.DTPROCFILI, A.IDTIPOLANCAF FROM ITEMAUTF I "
                           "JOIN AUTOFORNE A ON A.CDFILDEST = I.CDFILDEST AND A.CDFILLANC = I.CDFILLANC "
                           "AND A.NRAUTOFORN = I.NRAUTOFORN JOIN FILIAL F ON F.CDFILIAL = I.CDFILDEST "
                           "WHERE I.CDFILDEST = :D AND I.CDFILLANC = :L AND I.NRAUTOFORN = :N AND I.CDPRODUTO = :P "
                           "AND I.DTPROGENTAF = :T AND I.CDMARCA = :M"),
            {{"D", c.dest}, {"L", c.lanc}, {"N", c.af}, {"P", c.product}, {"T", at(c.delivery)}, {"M", c.oldBrand}});
        CurrentItem now;
        if (!q.next()) {
            q.finish();
            return now;
        }
        now.exists = true;
        now.qty = optNumber(q.value(0));
        now.settlement = q.value(1).toString();
        now.delivered = optNumber(q.value(2));
        now.afSettlement = q.value(3).toString();
        now.expired = q.value(4).toString();
        now.consolidatedInto = q.value(5).toString();
        const QDateTime processing = afdb::readDateTime(q.value(6));
        now.processingDate = processing.isValid() ? processing.date() : QDate::currentDate();
        now.automaticAf = q.value(7).toString() == QLatin1String("A");
        q.finish();
        return now;
    }

    bool itemExists(const ItemChange& c, const QString& brand) {
        return afdb::scalar(m_db,
                            QStringLiteral("SELECT COUNT(*) FROM ITEMAUTF WHERE CDFILDEST = :D AND CDFILLANC = :L "
                                           "AND NRAUTOFORN = :N AND CDPRODUTO = :P AND DTPROGENTAF = :T AND CDMARCA = :M"),
                            {{"D", c.dest}, {"L", c.lanc}, {"N", c.af}, {"P", c.product}, {"T", at(c.delivery)},
                             {"M", brand}})
                   .toInt() > 0;
    }

    bool brandExists(const QString& brand) {
        const auto it = m_brands.constFind(brand);
        if (it != m_brands.constEnd()) return *it;
        const bool exists =
            afdb::scalar(m_db, QStringLiteral("SELECT COUNT(*) FROM MARCA WHERE CDMARCA = :M"), {{"M", brand}}).toInt() > 0;
        m_brands.insert(brand, exists);
        return exists;
    }

    // Empty when the brand is registered and qualified for the product on that date.
    QString brandCode(const QString& product, const QString& brand, const QDate& on) {
        QSqlQuery& q = afdb::execKept(m_db,
                                      QStringLiteral("SELECT IDQUALIMARC, DTVALQUALMARC FROM MARCPROD "
                                                     "WHERE CDPRODUTO = :P AND CDMARCA = :M"),
                                      {{"P", product}, {"M", brand}});
        const bool registered = q.next();
        const QString qualification = registered ? q.value(0).toString() : QString();
        const QDateTime valid = registered ? afdb::readDateTime(q.value(1)) : QDateTime();
        q.finish();
        if (!registered) return QString::fromLatin1(kBrandNotRegistered);
        const bool qualified = qualification == QLatin1String("S") && (!valid.isValid() || valid.date() >= on);
        return qualified ? QString() : QString::fromLatin1(kBrandNotQualified);
    }

    const QSqlDatabase& m_db;
    const OperatorRights& m_rights;
    QHash<QString, bool> m_brands;
};

}  // namespace

Verification verifyChanges(const QSqlDatabase& db, const std::vector<ItemChange>& changes,
                           const OperatorRights& rights) {
    Verification out;
    Checker checker(db, rights);
    QSet<QString> movedTo;
    for (const ItemChange& c : changes) checker.check(c, out, movedTo);
    return out;
}

QStringList findingTexts(const std::vector<Finding>& findings) {
    QStringList lines;
    for (const Finding& f : findings) {
        const QString what = f.code == QLatin1String(kBrandNotRegistered)
                                 ? QStringLiteral("marca não cadastrada para o produto.")
                                 : QStringLiteral("marca não qualificada para o produto.");
        lines << QStringLiteral("Produto %1, marca %2: %3").arg(f.key.left(10), f.key.mid(10), what);
    }
    return lines;
}

}  // namespace platform::server::modules::altaf
