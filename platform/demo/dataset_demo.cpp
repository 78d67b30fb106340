// Builds a small AF item table, edits it the way a buyer would, prints the
// pending changes, and sends the content through a data packet and back.
#include "host/data/dataset.h"
#include "host/data/text_format.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QTextStream>

using namespace host;

namespace {

QTextStream out(stdout);

void printTable(Dataset& ds, const QString& title) {
    out << "\n== " << title << " (" << ds.recordCount() << " linhas, " << ds.changeCount()
        << " alterações pendentes)\n";
    const auto fields = ds.fields();
    auto cell = [](const Field* f, const QString& text) {
        const int width = f->type() == FieldType::String ? std::max(f->size(), 10) : 12;
        return f->alignment() & Qt::AlignRight ? text.rightJustified(width) : text.leftJustified(width);
    };
    for (const Field* f : fields) out << cell(f, f->displayLabel()) << "  ";
    out << "\n";
    for (int row = 0; row < ds.recordCount(); ++row) {
        for (const Field* f : fields) out << cell(f, ds.displayTextAt(row, f->index())) << "  ";
        out << "\n";
    }
}

QString valueText(const Value& v) {
    switch (v.index()) {
    case 0: return QStringLiteral("NULL");
    case 1: return QStringLiteral("'%1'").arg(std::get<QString>(v));
    case 2: return defaultFloatText(std::get<double>(v));
    case 3: return QString::number(std::get<qint64>(v));
    case 4: return std::get<bool>(v) ? QStringLiteral("true") : QStringLiteral("false");
    case 5: return defaultDateTimeText(std::get<DateTime>(v));
    }
    return {};
}

void printDelta(const QByteArray& bytes) {
    const Packet delta = decodePacket(bytes);
    out << "\n== Delta (" << bytes.size() << " bytes)\n";
    static const char* kinds[] = {"inalterada", "incluída", "alterada", "excluída"};
    for (const PacketRow& r : delta.rows) {
        out << "- linha " << kinds[int(r.state)];
        if (r.state == RowState::Modified) {
            for (int i : r.changed)
                out << "  " << delta.fields[size_t(i)].name << ": " << valueText(r.original[size_t(i)]) << " -> "
                    << valueText(r.values[size_t(i)]);
        } else {
            const auto& vals = r.state == RowState::Deleted ? r.original : r.values;
            out << "  " << delta.fields[0].name << " = " << valueText(vals[0]);
        }
        out << "\n";
    }
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    Dataset items(QStringLiteral("cdsItemAutF"));
    items.addField(FieldDef::string("CDPRODUTO", 10, "Produto")).setRequired(true);
    items.addField(FieldDef::string("NMPRODUTO", 30, "Descrição"));
    items.addField(FieldDef::dateTime("DTPROGENTAF", "Entrega"));
    items.addField(FieldDef::floating("QTPROGENTAF", "Qtde", "###,##0.000"));
    items.addField(FieldDef::floating("VRPREUNIAF", "Preço", "#,##0.00"));
    items.addField(FieldDef::floating("TOTAL", "Total", "####,##0.00").asCalculated());
    items.onCalcFields.add([](Dataset& d) {
        d.field("TOTAL").setAsFloat(d.field("QTPROGENTAF").asFloat() * d.field("VRPREUNIAF").asFloat());
    });
    items.createDataset();

    struct Line {
        const char* code;
        const char* name;
        const char* date;
        const char* qty;
        const char* price;
    } lines[] = {
        {"0000012345", "Parafuso sextavado 1/4", "10/12/2026", "1.500", "0,35"},
        {"0000012346", "Porca sextavada 1/4", "10/12/2026", "1.500", "0,12"},
        {"0000077001", "Chapa aço 2mm", "", "12,5", "289,90"},
    };
    for (const Line& l : lines) {
        items.append();
        items.field("CDPRODUTO").setText(l.code);
        items.field("NMPRODUTO").setText(l.name);
        items.field("DTPROGENTAF").setText(l.date);
        items.field("QTPROGENTAF").setText(l.qty);
        items.field("VRPREUNIAF").setText(l.price);
        items.post();
    }
    items.mergeChangeLog();  // as if just loaded from the server
    printTable(items, "Itens carregados");

    items.locate("CDPRODUTO", "0000012346");
    items.edit();
    items.field("QTPROGENTAF").setText("2.000");
    items.field("DTPROGENTAF").clear();
    items.post();
    items.last();
    items.deleteRecord();
    items.append();
    items.field("CDPRODUTO").setText("0000090000");
    items.field("NMPRODUTO").setText("Arruela lisa");
    items.field("QTPROGENTAF").setText("300");
    items.field("VRPREUNIAF").setText("0,05");
    items.post();
    try {
        items.append();
        items.field("NMPRODUTO").setText("sem código");
        items.post();
    } catch (const UserError& e) {
        out << "\nRecusado: " << e.message() << "\n";
        items.cancel();
    }
    printTable(items, "Após editar");
    printDelta(items.delta());

    items.setFilter(QStringLiteral("[DTPROGENTAF]= NULL"));
    items.setFiltered(true);
    printTable(items, "Filtro [DTPROGENTAF]= NULL");
    items.setFiltered(false);

    const QByteArray packet = items.data();
    Dataset copy(QStringLiteral("cdsCopia"));
    copy.setData(packet);
    out << "\nPacote completo: " << packet.size() << " bytes; cópia com " << copy.recordCount() << " linhas e "
        << copy.changeCount() << " alterações pendentes.\n";
    copy.cancelUpdates();
    printTable(copy, "Cópia após desfazer todas as alterações");
    out.flush();
    return 0;
}
