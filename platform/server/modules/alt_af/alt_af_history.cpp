#include "alt_af_history.h"

#include "platform/db/sql_exec.h"
#include "platform/server/call_context.h"

#include "host/data/text_format.h"
#include "host/remote/remote_names.h"

#include <iterator>

namespace platform::server::modules::altaf {

namespace {

QString qtyText(const std::optional<double>& v) {
    return v ? host::formatFloat(*v, QStringLiteral("###,##0.000")) : QStringLiteral("\" \"");
}

}  // namespace

HistoryParams::HistoryParams(Params& params) {
    m_texts.push_back(params.text("AFManual"));
    params.text("CDOPERADOR");
    for (const char* name : {"Inclusao", "Exclusao", "InclusaoAlteracao", "ExclusaoAlteracao", "AlteracaoBaixa",
                             "AlterBaixaAlter", "Para", "AlteracaoQuantidade", "AlterQuantAlter", "EmAberto",
                             "BParcial", "BTotal", "BManual", "AlterBaixaAF", "AlterBaixaAFAlter"})
        m_texts.push_back(params.text(name));
}

HistoryTexts HistoryParams::read(const CallContext& c) const {
    HistoryTexts t;
    QString* const fields[] = {&t.afManual,          &t.inclusao,       &t.exclusao,       &t.inclusaoAlteracao,
                               &t.exclusaoAlteracao, &t.alteracaoBaixa, &t.alterBaixaAlter, &t.para,
                               &t.alteracaoQuantidade, &t.alterQuantAlter, &t.emAberto,   &t.bParcial,
                               &t.bTotal,            &t.bManual,        &t.alterBaixaAF,   &t.alterBaixaAFAlter};
    static_assert(std::size(fields) == 16);
    for (size_t i = 0; i < m_texts.size(); ++i) *fields[i] = c[m_texts[i]];
    return t;
}

QString HistoryTexts::settlementName(const QString& code) const {
    if (code.isEmpty()) return emAberto;
    if (code == QLatin1String("1")) return bParcial;
    if (code == QLatin1String("2")) return bTotal;
    if (code == QLatin1String("3")) return bManual;
    return code;
}

HistoryWriter::HistoryWriter(const QSqlDatabase& db, const HistoryTexts& texts, QString operatorCode,
                             QString operatorName, QDateTime now)
    : m_db(db), m_texts(texts), m_operator(std::move(operatorCode)), m_operatorName(std::move(operatorName)),
      m_now(std::move(now)) {}

HistoryWriter::Entry HistoryWriter::itemEntry(const ItemChange& c, const QString& brand) {
    Entry e;
    e.dest = c.dest;
    e.lanc = c.lanc;
    e.af = c.af;
    e.product = c.product;
    e.brand = brand;
    e.delivery = c.delivery;
    return e;
}

void HistoryWriter::quantityChanged(const ItemChange& c) {
    Entry e = itemEntry(c, c.newBrand);
    e.operation = c.newQty && *c.newQty == 0 ? QStringLiteral("E") : QStringLiteral("A");
    e.description = QStringLiteral("%1: %2 %3 %4").arg(m_texts.alteracaoQuantidade, qtyText(c.oldQty), m_texts.para,
                                                         qtyText(c.newQty));
    e.method = m_texts.alterQuantAlter;
    write(e);
}

void HistoryWriter::brandChanged(const ItemChange& c) {
    Entry out = itemEntry(c, c.oldBrand);
    out.operation = QStringLiteral("E");
    out.description = m_texts.exclusao;
    out.method = m_texts.exclusaoAlteracao;
    write(out);
    Entry in = itemEntry(c, c.newBrand);
    in.operation = QStringLiteral("I");
    in.description = m_texts.inclusao;
    in.method = m_texts.inclusaoAlteracao;
    write(in);
}

void HistoryWriter::itemSettled(const ItemChange& c) {
    Entry e = itemEntry(c, c.newBrand);
    e.operation = QStringLiteral("A");
    e.description = QStringLiteral("%1: %2 %3 %4").arg(m_texts.alteracaoBaixa, m_texts.settlementName(c.settlement),
                                                         m_texts.para, m_texts.bTotal);
    e.method = m_texts.alterBaixaAlter;
    write(e);
}

void HistoryWriter::afSettled(const QString& dest, const QString& lanc, const QString& af,
                              const QString& oldSettlement) {
    Entry e;
    e.dest = dest;
    e.lanc = lanc;
    e.af = af;
    e.operation = QStringLiteral("A");
    e.description = QStringLiteral("%1: %2 %3 %4").arg(m_texts.alterBaixaAF, m_texts.settlementName(oldSettlement),
                                                         m_texts.para, m_texts.bTotal);
    e.method = m_texts.alterBaixaAFAlter;
    write(e);
}

void HistoryWriter::write(const Entry& e) {
    QVariant delivery;
    if (e.delivery) delivery = QDateTime::fromMSecsSinceEpoch(e.delivery->msecs, Qt::UTC);
    afdb::exec(m_db,
               QStringLiteral("INSERT INTO MOVOPAF (CDFILDESMOV, CDFILLANMOV, NRAUTOMOV, CDPRODMOV, CDMARCMOV, "
                              "DTPROGENTMOV, DTOPERAF, DSALTERAF, CDOPERADOR, IDOPERAMOVAF, DSRDMUSUMOVAF, "
                              "DSNMUSUMOVAF, DSMETUSUMOVAF) VALUES (:D, :L, :N, :P, :M, :T, :W, :DS, :OP, :ID, :RDM, "
                              ":NM, :MET)"),
               {{"D", e.dest},
                {"L", e.lanc},
                {"N", e.af},
                {"P", e.product},
                {"M", e.brand},
                {"T", delivery},
                {"W", m_now},
                {"DS", e.description.left(500)},
                {"OP", m_operator},
                {"ID", e.operation},
                {"RDM", QString(host::names::altAF::module)},
                {"NM", m_operatorName.left(50)},
                {"MET", e.method.left(250)}});
}

}  // namespace platform::server::modules::altaf
