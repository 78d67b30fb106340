#include "afdesk/core/header/header_entry.h"

#include "afdesk/core/workspace/lanca_autof.h"

#include "platform/kit/db_date_edit.h"
#include "platform/kit/db_edit.h"

#include <QtWidgets/QGridLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLayout>

namespace afdesk {

struct HeaderEntry::Impl {
    LancaAutoF& w;
    explicit Impl(LancaAutoF& screen) : w(screen) {}
};

namespace {

// The header's fields as plain boxes until the header entry has its own.
void headerBoxes(QWidget* parent, kit::DataSource* src) {
    struct Box {
        const char* caption;
        const char* code;
        const char* name;  // may be null
    };
    static constexpr Box kBoxes[] = {
        {"Número", "NRAUTOFORN", nullptr},           {"Filial Destino", "CDFILDEST", "NMFILDEST"},
        {"Filial Lançamento", "CDFILLANC", "NMFILIAL"}, {"Fornecedor", "CDFORNECED", "NMRAZSOCFORN"},
        {"Comprador", "CDOPERADOR", "NMOPERADOR"},    {"Empresa", "CDEMPRESA", "NMEMPRESA"},
        {"Tipo de Cobrança", "CDTIPCOB", "NMTIPOCOBR"}, {"Forma de Pagamento", "CDFORMPGTO", "NMFORMPGTO"},
        {"Total", "VRTOTALAF", nullptr},
    };
    auto* form = new QWidget(parent);
    auto* grid = new QGridLayout(form);
    int row = 0;
    grid->addWidget(new QLabel(QStringLiteral("Data"), form), row, 0);
    auto* date = new kit::DBDateEdit(src, QStringLiteral("DTAUTOFORN"), form);
    date->setObjectName(QStringLiteral("dbdDTAUTOFORN"));
    grid->addWidget(date, row++, 1);
    for (const Box& b : kBoxes) {
        grid->addWidget(new QLabel(QString::fromUtf8(b.caption), form), row, 0);
        auto* code = new kit::DBEdit(src, QString::fromLatin1(b.code), form);
        code->setObjectName(QStringLiteral("dbe") + QLatin1String(b.code));
        grid->addWidget(code, row, 1);
        if (b.name) {
            auto* name = new kit::DBEdit(src, QString::fromLatin1(b.name), form);
            name->setObjectName(QStringLiteral("dbe") + QLatin1String(b.name));
            grid->addWidget(name, row, 2);
        }
        ++row;
    }
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(row, 1);
    parent->layout()->addWidget(form);
}

}  // namespace

HeaderEntry::HeaderEntry(LancaAutoF& w, QWidget* page) : d(std::make_unique<Impl>(w)) {
    headerBoxes(page, &w.dtsAutoForne);
}

HeaderEntry::~HeaderEntry() = default;

void HeaderEntry::bindEvents() {}

void HeaderEntry::enableEntryControls() {}

Emitente HeaderEntry::emitente() const { return Emitente::Nothing; }

void HeaderEntry::Vd_OperRelac() {}

void HeaderEntry::syncCheckBoxes() {}

}  // namespace afdesk
