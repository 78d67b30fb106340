#pragma once
// The alteration log (MOVOPAF) entries SetAF writes for each changed item,
// worded with the texts the screen sends so the log reads in its language:
//   quantity   "A" (or "E" when it becomes 0): "<AlteracaoQuantidade>: 10,000 <Para> 12,000"
//   brand      the item leaves its old brand and enters the new one, as the
//              item key holds the brand: "E" <Exclusao> (old brand), "I" <Inclusao> (new brand)
//   settlement "A" "<AlteracaoBaixa>: <BParcial> <Para> <BTotal>" when a partly settled
//              item's quantity falls to what was delivered, and "<AlterBaixaAF>: ..." at AF
//              level when that settles the whole AF
// DSMETUSUMOVAF names the operation ("Alteração de AF-Alter. da Quant." ...).
#include "alt_af_changes.h"

#include "platform/server/method_signature.h"

#include <QtCore/QDateTime>
#include <QtSql/QSqlDatabase>
#include <vector>

namespace platform::server {
class CallContext;
}

namespace platform::server::modules::altaf {

struct HistoryTexts {
    QString afManual, inclusao, exclusao, inclusaoAlteracao, exclusaoAlteracao, alteracaoBaixa, alterBaixaAlter, para,
        alteracaoQuantidade, alterQuantAlter, emAberto, bParcial, bTotal, bManual, alterBaixaAF, alterBaixaAFAlter;

    // The name of a settlement code ("" "1" "2" "3").
    QString settlementName(const QString& code) const;
};

// The seventeen texts SetAF takes for the log, declared in their order: "AF
// Manual", the operator (not read: the session says who works), then the
// fifteen texts from "Inclusão" to "Alter. Baixa AF (alteração)".
class HistoryParams {
public:
    explicit HistoryParams(Params& params);
    HistoryTexts read(const CallContext& c) const;

private:
    std::vector<Arg<QString>> m_texts;  // the operator's left out
};

class HistoryWriter {
public:
    HistoryWriter(const QSqlDatabase& db, const HistoryTexts& texts, QString operatorCode, QString operatorName,
                  QDateTime now);

    void quantityChanged(const ItemChange& c);
    void brandChanged(const ItemChange& c);
    void itemSettled(const ItemChange& c);
    void afSettled(const QString& dest, const QString& lanc, const QString& af, const QString& oldSettlement);

private:
    struct Entry {
        QString dest, lanc, af, product, brand;
        std::optional<host::DateTime> delivery;
        QString operation, description, method;
    };
    static Entry itemEntry(const ItemChange& c, const QString& brand);
    void write(const Entry& e);

    const QSqlDatabase& m_db;
    const HistoryTexts& m_texts;
    QString m_operator, m_operatorName;
    QDateTime m_now;
};

}  // namespace platform::server::modules::altaf
