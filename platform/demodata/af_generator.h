#pragma once
// Draws the AFs, four at a time (a "slot": two pairs whose item counts add up to
// 20, so the whole set averages exactly 10 items per AF), and turns each into
// its rows: header, items, taxes, payment terms, charges, messages, alteration
// log, migrations, payables and the invoices that received it. A slot is either
// four independent AFs or a logistic consolidation (one consolidating AF at the
// logistic operator and three store AFs consolidated into it). The first AFs
// cover every situation once; the rest follow fixed weights.
#include "af_model.h"
#include "demo_world.h"
#include "prng.h"
#include "row_buffer.h"

#include <map>
#include <vector>

namespace afdemo {

// An open AF item a purchase request may point at as imported.
struct ImportedSample {
    int dest = 0;
    AfKey key;
    int supplier = 0;
    int product = 0;
    int brand = 0;
    QDate date;    // the item's delivery
    QDate afDate;
};

class AfGenerator {
public:
    explicit AfGenerator(const World& world);

    // Declares the AF and receipt tables in insertion order.
    static void declareTables(RowBuffer& out);

    // Draws the four AFs of one slot and adds their rows.
    void slot(int slotIndex, RowBuffer& out);

    // NUMAUTOFORN: the last number used by each launching branch.
    void numberingRows(RowBuffer& out) const;

    const std::vector<ImportedSample>& importedSamples() const { return m_samples; }
    qint64 itemCount() const { return m_items; }

private:
    AfKind kindFor(Prng& rng);
    bool consolidation(int slotIndex, int itemCount, Prng& rng, RowBuffer& out);
    void independent(int afIndex, int itemCount, RowBuffer& out);

    bool choosePartners(AfDraft& af, Prng& rng) const;
    // The first store of the world (-1 when none), favoured as a destination.
    int flagshipStore() const;
    // How often the flagship takes an AF it may take, so that it receives about
    // a tenth of all AFs whatever the number of centrals (set at construction).
    int m_flagshipPercent = 0;
    AfKey nextKey(int dest, int lanc);
    QDate dateFor(AfKind kind, Prng& rng) const;
    std::vector<QDate> deliveryDates(const AfDraft& af, Prng& rng) const;
    std::vector<int> productsFor(const AfDraft& af, const std::vector<int>& dests) const;
    bool drawLines(AfDraft& af, int count, Prng& rng, const std::vector<int>& dests) const;
    void price(AfDraft& af, Prng& rng) const;
    void settle(AfDraft& af, Prng& rng) const;
    void finish(AfDraft& af);

    void writeAf(const AfDraft& af, Prng& rng, RowBuffer& out);
    void headerRow(const AfDraft& af, Prng& rng, RowBuffer& out) const;
    void itemRows(const AfDraft& af, RowBuffer& out) const;
    void taxRows(const AfDraft& af, Prng& rng, RowBuffer& out) const;
    void termRows(const AfDraft& af, RowBuffer& out) const;
    void chargeRows(const AfDraft& af, Prng& rng, RowBuffer& out) const;
    void messageRows(const AfDraft& af, Prng& rng, RowBuffer& out) const;
    void logRows(const AfDraft& af, Prng& rng, RowBuffer& out) const;
    void migrationRows(const AfDraft& af, RowBuffer& out) const;
    void payableRows(const AfDraft& af, RowBuffer& out) const;
    void invoiceRows(AfDraft& af, Prng& rng, RowBuffer& out);

    const World& w;
    std::vector<int> m_nonWeb, m_web, m_edi, m_logistic;  // supplier pools
    std::vector<std::vector<int>> m_buyersByLevel;
    std::map<std::pair<QString, QString>, std::vector<const Incidence*>> m_incidences;  // (company, IE)
    std::map<QString, int> m_lastNumber;      // by launching branch
    std::map<QString, int> m_lastEntry;       // invoice entries by branch
    std::map<int, int> m_lastInvoice;         // invoice numbers by supplier
    std::vector<int> m_coverage;              // kinds still to show once
    int m_logisticCount = 0;
    AfKey m_previous;
    std::vector<ImportedSample> m_samples;
    qint64 m_items = 0;
};

}  // namespace afdemo
