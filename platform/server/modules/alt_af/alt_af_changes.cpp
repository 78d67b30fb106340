#include "alt_af_changes.h"

#include "host/data/errors.h"
#include "host/data/text_format.h"

#include <QtCore/QSet>

namespace platform::server::modules::altaf {

namespace {

using host::UserError;
using host::Value;

// Fields the screen may change; NMMARCA is the brand's name, shown, never stored.
const QSet<QString> kEditable = {QStringLiteral("CDMARCA"), QStringLiteral("NMMARCA"), QStringLiteral("QTPROGENTAF")};
// Fields the screen only shows (joined from other tables): a change to them writes nothing.
const QSet<QString> kShownOnly = {QStringLiteral("NMPRODUTO"),  QStringLiteral("CDARVPROD"),
                                  QStringLiteral("IDTPIJURFORN"), QStringLiteral("NRINSJURFORN"),
                                  QStringLiteral("NMFANTFORN"),  QStringLiteral("CDFILCENTCMP"),
                                  QStringLiteral("DTAUTOFORN"),  QStringLiteral("CDOPERADOR"),
                                  QStringLiteral("DSINCONSAF")};

class Layout {
public:
    explicit Layout(const host::Packet& p) : m_packet(p) {}

    int required(const char* name) const {
        const int i = find(QLatin1String(name));
        if (i < 0) throw UserError(QStringLiteral("O pacote de itens não tem o campo %1.").arg(QLatin1String(name)));
        return i;
    }
    int find(QLatin1String name) const {
        for (int i = 0; i < int(m_packet.fields.size()); ++i)
            if (m_packet.fields[size_t(i)].name.compare(name, Qt::CaseInsensitive) == 0) return i;
        return -1;
    }

private:
    const host::Packet& m_packet;
};

QString textOf(const Value& v) {
    if (const QString* s = std::get_if<QString>(&v)) return *s;
    return {};
}

std::optional<double> numberOf(const Value& v) {
    if (const double* d = std::get_if<double>(&v)) return *d;
    if (const qint64* i = std::get_if<qint64>(&v)) return double(*i);
    return std::nullopt;
}

QString keyText(const host::PacketRow& r, int dest, int lanc, int af) {
    const std::vector<Value>& v = r.values.empty() ? r.original : r.values;
    return QStringLiteral("AF %1 (%2/%3)").arg(textOf(v[size_t(af)]), textOf(v[size_t(dest)]), textOf(v[size_t(lanc)]));
}

}  // namespace

std::vector<ItemChange> readChanges(const host::Packet& packet) {
    const Layout l(packet);
    const int dest = l.required("CDFILDEST"), lanc = l.required("CDFILLANC"), af = l.required("NRAUTOFORN");
    const int product = l.required("CDPRODUTO"), delivery = l.required("DTPROGENTAF");
    const int brand = l.required("CDMARCA"), qty = l.required("QTPROGENTAF");
    const int settlement = l.find(QLatin1String("IDBAIXITMAF")), delivered = l.find(QLatin1String("QTEFETENTRAF"));
    const int tree = l.find(QLatin1String("CDARVPROD"));

    std::vector<ItemChange> changes;
    for (int r = 0; r < int(packet.rows.size()); ++r) {
        const host::PacketRow& row = packet.rows[size_t(r)];
        if (row.state == host::RowState::Unchanged) continue;
        if (row.state == host::RowState::Inserted)
            throw UserError(QStringLiteral("A alteração de AF em lote não inclui itens (%1).").arg(keyText(row, dest, lanc, af)));
        if (row.state == host::RowState::Deleted)
            throw UserError(QStringLiteral("A alteração de AF em lote não exclui itens (%1).").arg(keyText(row, dest, lanc, af)));
        for (size_t f = 0; f < packet.fields.size(); ++f) {
            const QString name = packet.fields[f].name.toUpper();
            if (kEditable.contains(name) || kShownOnly.contains(name) || row.values[f] == row.original[f]) continue;
            throw UserError(QStringLiteral("Só a marca e a quantidade dos itens podem ser alteradas; %1 alterou %2.")
                                .arg(keyText(row, dest, lanc, af), name));
        }
        ItemChange c;
        c.row = r;
        const std::vector<Value>& o = row.original;
        c.dest = textOf(o[size_t(dest)]);
        c.lanc = textOf(o[size_t(lanc)]);
        c.af = textOf(o[size_t(af)]);
        c.product = textOf(o[size_t(product)]);
        const host::DateTime* when = std::get_if<host::DateTime>(&o[size_t(delivery)]);
        if (c.dest.isEmpty() || c.lanc.isEmpty() || c.af.isEmpty() || c.product.isEmpty() || !when)
            throw UserError(QStringLiteral("Item sem a chave completa na linha %1 do pacote.").arg(r + 1));
        c.delivery = *when;
        c.oldBrand = textOf(o[size_t(brand)]);
        c.newBrand = textOf(row.values[size_t(brand)]);
        c.oldQty = numberOf(o[size_t(qty)]);
        c.newQty = numberOf(row.values[size_t(qty)]);
        if (settlement >= 0) c.settlement = textOf(o[size_t(settlement)]);
        if (delivered >= 0) c.delivered = numberOf(o[size_t(delivered)]);
        if (tree >= 0) c.productTree = textOf(o[size_t(tree)]);
        if (!c.brandChanged() && !c.qtyChanged()) continue;  // only a shown text changed
        changes.push_back(std::move(c));
    }
    return changes;
}

QString describeItem(const ItemChange& c) {
    return QStringLiteral("AF %1 (%2/%3), produto %4, entrega %5")
        .arg(c.af, c.dest, c.lanc, c.productTree.isEmpty() ? c.product : c.productTree,
             host::formatDateTime(c.delivery, QStringLiteral("dd/mm/yyyy")));
}

}  // namespace platform::server::modules::altaf
