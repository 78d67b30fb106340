#pragma once
// The fixed vocabulary of the demo company: places, product tree, brands, names,
// messages. Generated records draw from these pools, so every text reads like a
// real Brazilian retailer's data.
#include <QtCore/QString>
#include <QtCore/QStringList>

#include <vector>

namespace afdemo::catalogue {

struct Region {
    const char* name;
};

struct CentralPlace {
    const char* city;     // name of the purchasing central ("Central de Compras <city>")
    const char* state;    // UF
    int region;           // index into regions()
    const char* logisticCity;
    std::vector<const char*> storeCities;
};

struct ProductBase {
    const char* name;
    const char* unit;
    int priceCents;  // of the first size
    std::vector<std::pair<const char*, double>> sizes;  // size text and price factor
};

struct Level2 {
    const char* name;
    std::vector<ProductBase> bases;
};

struct Level1 {
    const char* name;
    int group;       // 1 goods for resale, 2 supplies for own use
    bool web;        // bought through the web marketplace
    double ipiRate;  // 0: no IPI on this level
    std::vector<const char*> brands;
    std::vector<Level2> children;
};

const std::vector<Region>& regions();
const std::vector<CentralPlace>& centralPlaces();
const std::vector<Level1>& productTree();

const QStringList& supplierPrefixes();
const QStringList& supplierNames();
const QStringList& supplierSuffixes();
const QStringList& firstNames();
const QStringList& lastNames();
const QStringList& streets();
const QStringList& carrierNames();

const QStringList& purchaseMessages();   // MENSCOMP
const QStringList& justifications();     // JUSTSOLI, at most 40 characters each
const QStringList& inconsistencies();    // texts of DSINCONSAF / DSINCONSITAF

}  // namespace afdemo::catalogue
