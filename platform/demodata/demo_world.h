#pragma once
// The demo company kept in memory while it is written: the reference data the
// AFs are drawn from (branches, suppliers, products, buyers...). Built once per
// run from the scale and the seed, before anything is written.
#include "demo_data.h"

#include <QtCore/QDate>
#include <QtCore/QString>
#include <QtCore/QStringList>

#include <cstdint>
#include <map>
#include <vector>

namespace afdemo {

enum class BranchRole { Central, Store, LogisticOperator };

struct Branch {
    QString code;
    QString name;
    QString company;
    QString central;           // purchasing central; empty for a central itself
    QString logisticOperator;  // CDFILIOPELOG: the logistic-operator branch serving a store
    QString stateRegistration;
    QString region;
    QString state;
    BranchRole role = BranchRole::Store;
    bool contractRescinded = false;  // IDCNTRRESC 'S': no parameters, receives no AF
    QString note;                    // TXOBSFILIAL
    int centralIndex = 0;
    int ordinal = 0;                 // position among all branches: drives the parameter mix
    QString emitterType;             // PARCMPSUP.IDTIPEMITGER
    QString emitterCompany;          // PARCMPSUP.CDEMPRESA (emitter "2")
    bool audited = false;            // PARCMPSUP.IDAUDALTAF
    bool mainCustomer = false;       // CLIENFILIAL with IDCLIENPRIN 'S'
    std::vector<int> carriers;       // indexes into World::carriers; the first is the main one
    std::vector<QString> companies;  // EMPRCNTRFIL

    // A central serves itself; a franchised store has no central at all.
    bool hasCentral() const { return role == BranchRole::Central || !central.isEmpty(); }
    bool receivesAfs() const { return !contractRescinded && role != BranchRole::LogisticOperator && hasCentral(); }
    bool hasParameters() const { return !contractRescinded; }
};

struct Node {      // a level of the product tree (PRODUTO rows too)
    QString code;  // CDPRODUTO
    QString tree;  // CDARVPROD
    QString name;
    int parent = -1;  // level-2 nodes: index of their level 1
    QString subGroup;  // level-2 nodes: CDSUBGRPROD
};

struct Product {
    QString code;
    QString tree;
    QString name;
    QString unit;
    int level1 = 0;
    int level2 = 0;
    bool web = false;
    int priceCents = 0;
    std::vector<int> brands;  // indexes into World::brands; MARCPROD
};

struct Brand {
    QString code;
    QString name;
};

struct Supplier {
    QString code;
    QString personType;  // "J" CNPJ, "F" CPF
    QString document;
    QString name;
    QString tradeName;
    QString freight;       // IDTPFRETFORN
    QString chargeType;    // CDTIPCOB
    QString paymentForm;   // CDFORMPGTO
    QString paymentKind;   // IDTPFORPGTFO: "V", "F" or empty
    double fixedDay = 0;
    double instalments = 0;
    QString nextMonth;     // IDUTDIAPGTFO
    double discount = 0;   // VRPEDESCFORN
    QString discountKind;  // IDTPDESCFORN: "C" applies to items
    bool active = true;
    bool generatesPayables = false;
    QString qualification;  // CDQUALIF, may be empty
    bool autoSupplier = false;
    QDate qualificationValidUntil;
    bool oneDeliveryDate = false;  // IDGERAFDTENT
    QString dispatch;              // IDTPENVAFFOR: "1" file/e-mail, "2" EDI, "0" none
    QString email;
    QString state;
    int level1 = 0;
    std::vector<int> level2s;
    std::vector<int> products;     // PRODFORN
    std::vector<int> centrals;     // served: every branch of these centrals (FORNFILI)
    QString deliveryDays;          // FORNFILI.DSPERIENTR at each of them: Sunday to Saturday, "S" delivers; empty: every day
    std::vector<std::pair<double, double>> terms;  // PRAZOPGFOR: days, percent

    bool buyable() const;  // active and qualified on the base date
};

struct Buyer {
    QString code;
    QString name;
    double limit = 0;
    std::vector<int> level1s;  // PRODCOMP
    QString manager;
};

struct Carrier {
    QString personType;
    QString document;
    QString name;
    QString tradeName;
};

struct Incidence {
    QString company;
    QString stateRegistration;
    QString tax;
    int level1 = -1;  // -1: every product
    double rate = 0;
};

// A price a supplier agreed for a product and brand at a purchasing central.
struct AgreedPrice {
    QString number;  // NRLISTPREC or NRCOTPREC
    int priceCents = 0;
    QDate validFrom;
    QDate validTo;

    bool validOn(const QDate& date) const { return validFrom <= date && date <= validTo; }
};

struct PriceListItem {
    int product = 0;
    int brand = 0;
    int priceCents = 0;
    QDate validFrom;
    QDate validTo;
    int ranking = 0;
};

struct PriceList {
    QString number;
    int supplier = 0;
    int central = 0;  // index into branches
    QString description;
    QDate date;
    std::vector<PriceListItem> items;
};

struct QuotationItem {
    int supplier = 0;
    int product = 0;
    int brand = 0;
    int priceCents = 0;
    double quantity = 0;
};

struct Quotation {
    QString number;
    int central = 0;
    int buyer = 0;
    QDate date;
    QDate validUntil;
    std::vector<QuotationItem> items;
};

struct SurveyItem {
    int supplier = 0;
    int branch = 0;
    int product = 0;
    int brand = 0;
    QDate delivery;
    double quantity = 0;
    int priceCents = 0;
    bool imported = false;
};

struct Survey {
    QString number;
    int central = 0;
    int buyer = 0;
    QDate start;
    QDate end;
    QString situation;  // "A" open, "F" closed
    std::vector<SurveyItem> items;
};

struct World {
    DemoOptions options;
    DemoCounts counts;
    QDate base;

    std::vector<QString> companies;
    std::vector<QString> companyNames;
    std::vector<Branch> branches;
    std::vector<int> centrals;  // indexes into branches
    std::vector<Node> level1s;
    std::vector<Node> level2s;
    std::vector<Product> products;  // sold by their suppliers first, then the ones without brands
    int unbrandedFrom = 0;          // index of the first product without brands: no AF, list or quotation has them
    std::vector<Brand> brands;
    std::vector<Supplier> suppliers;
    std::vector<Buyer> buyers;
    std::vector<Carrier> carriers;
    std::vector<Incidence> incidences;
    std::map<QString, int> branchByCode;

    // Product rules per branch (PRODFILI 'I', PRODNCMP): what an AF must avoid.
    std::map<std::pair<int, int>, bool> inactive;    // (branch, product)
    std::map<std::pair<int, int>, bool> notBought;   // (branch, level1)

    // Price lists and quotations by (central, supplier, product, brand).
    std::map<std::tuple<int, int, int, int>, AgreedPrice> listPrices;
    std::map<std::tuple<int, int, int, int>, AgreedPrice> quotedPrices;
    std::vector<PriceList> priceLists;
    std::vector<Quotation> quotations;
    std::vector<Survey> surveys;
    std::map<int, std::vector<QString>> surveysByCentral;  // APURPREC numbers by central branch index

    const Branch& branch(const QString& code) const { return branches[std::size_t(branchByCode.at(code))]; }
    bool canBuy(int branch, int product) const;
    // Suppliers by (level 1, buyable) for the AF generator.
    std::vector<int> suppliersOf(int level1, bool webOnly) const;
};

World buildWorld(const DemoOptions& options);

// Codes and dates as stored.
QString code(qint64 number, int width);  // Ajusta: zero-padded to width
QString dateText(const QDate& date);     // 'YYYY-MM-DD 00:00:00'
double cents(int value);                 // cents to money
// The first day, `from` included, a supplier with these delivery weekdays
// (Supplier::deliveryDays) delivers; `from` itself when it delivers every day.
QDate nextDeliveryDay(const QString& deliveryDays, const QDate& from);

}  // namespace afdemo
