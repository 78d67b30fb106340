#include "list_lookups.h"

#include "data_source.h"
#include "host/data/errors.h"
#include "host/services/dialog_service.h"
#include "qt_dialog_service.h"

namespace kit {

namespace {

// Title and empty-list text from "Título|Texto da lista vazia".
void splitTitle(const QString& text, host::PickList& list) {
    const qsizetype bar = text.indexOf(u'|');
    list.title = bar < 0 ? text : text.left(bar);
    list.emptyText = bar < 0 ? QString() : text.mid(bar + 1);
}

// The rows of the dataset as a pick list: codes from keyField, or the row's position.
host::PickList pickListOf(const DataSource& source, const QString& keyField, bool allFields) {
    host::PickList list;
    const host::Dataset* ds = source.isActive() ? source.dataset() : nullptr;
    if (!ds) return list;
    std::vector<const host::Field*> shown;
    for (const host::Field* f : ds->fields())
        if (allFields || f->visible()) {
            shown.push_back(f);
            list.headers << f->displayLabel();
        }
    const host::Field* key = keyField.isEmpty() ? nullptr : &ds->field(keyField);
    for (int r = 0; r < ds->recordCount(); ++r) {
        host::PickRow row;
        row.code = key ? key->formatValue(ds->valueAt(r, key->index()), false).trimmed() : QString::number(r + 1);
        for (const host::Field* f : shown) row.columns << ds->displayTextAt(r, f->index());
        list.rows.push_back(std::move(row));
    }
    return list;
}

}  // namespace

QString listText(const QStringList& codes) {
    if (codes.isEmpty()) return {};
    for (const QString& code : codes) {
        if (code.trimmed().isEmpty())
            throw host::UserError(QStringLiteral("Um registro sem código não pode ser escolhido numa lista."));
        if (code.contains(u'_'))
            throw host::UserError(
                QStringLiteral("O código \"%1\" não pode ser escolhido numa lista: contém \"_\".").arg(code));
    }
    return QStringLiteral("_") + codes.join(u'_') + QStringLiteral("_");
}

QStringList listCodes(const QString& list) {
    QStringList codes;
    for (const QString& part : list.split(u'_')) {
        const QString code = part.trimmed();
        if (!code.isEmpty() && !codes.contains(code)) codes << code;
    }
    return codes;
}

bool PesquisaLista(DataSource& source, const QString& keyField, const QString& title, QString& list,
                   bool addToList) {
    host::PickList pick = pickListOf(source, keyField, false);
    splitTitle(title, pick);
    pick.multiple = true;
    const QStringList chosen = host::dialogs().pick(pick);
    if (chosen.isEmpty()) return false;
    QStringList codes = addToList ? listCodes(list) : QStringList();
    for (const QString& code : chosen)
        if (!codes.contains(code)) codes << code;
    list = listText(codes);  // a refused code leaves the list as it was
    return true;
}

bool Pesquisar(DataSource& source, const QString& titleAndEmptyText, bool emptyIsError, bool allFields) {
    host::PickList pick = pickListOf(source, QString(), allFields);
    splitTitle(titleAndEmptyText, pick);
    if (pick.rows.empty() && emptyIsError) {
        host::dialogs().showError(pick.emptyText.isEmpty() ? kEmptyPickListText : pick.emptyText);
        return false;
    }
    const QStringList chosen = host::dialogs().pick(pick);
    if (chosen.isEmpty()) return false;
    bool ok = false;
    const int recNo = chosen.first().toInt(&ok);
    if (!ok || recNo < 1 || recNo > int(pick.rows.size())) return false;
    source.dataset()->setRecNo(recNo);
    return true;
}

}  // namespace kit
