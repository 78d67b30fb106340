#include "lookup_button.h"

#include "data_source.h"
#include "guard.h"
#include "host/data/field.h"
#include "host/services/dialog_service.h"

#include <QtCore/QHash>
#include <QtGui/QKeyEvent>
#include <QtWidgets/QLineEdit>

namespace kit {

TBtnPesquisa::TBtnPesquisa(QWidget* parent) : QToolButton(parent) {
    setText(QStringLiteral("..."));
    setToolTip(QStringLiteral("Pesquisar (F9)"));
    setFocusPolicy(Qt::NoFocus);
    connect(this, &QToolButton::clicked, this, [this] { execute(); });
}

void TBtnPesquisa::setEdit(QLineEdit* edit) {
    if (m_edit && m_f9) m_edit->removeEventFilter(this);
    m_edit = edit;
    if (m_edit && m_f9) m_edit->installEventFilter(this);
}

void TBtnPesquisa::setTitle(const QString& title) {
    const int bar = int(title.indexOf(u'|'));
    if (bar >= 0) {
        m_title = title.left(bar);
        m_emptyText = title.mid(bar + 1);
    } else {
        m_title = title;
    }
}

void TBtnPesquisa::setF9OnEdit(bool on) {
    if (on == m_f9) return;
    m_f9 = on;
    if (!m_edit) return;
    if (on) m_edit->installEventFilter(this);
    else m_edit->removeEventFilter(this);
}

bool TBtnPesquisa::handleKey(const QKeyEvent* e) {
    if (e->key() != Qt::Key_F9) return false;
    if (!isEnabled() || !isVisible()) return false;
    execute();
    return true;
}

bool TBtnPesquisa::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_edit && event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F9)
        return handleKey(static_cast<QKeyEvent*>(event));
    return false;
}

bool TBtnPesquisa::execute() {
    bool picked = false;
    guard(this, [&] { lookup(&picked); });
    return picked;
}

void TBtnPesquisa::lookup(bool* picked) {
    m_picked.clear();
    if (onBeforeLookup) onBeforeLookup(*this);  // may redirect m_source

    host::PickList list;
    list.title = m_title;
    list.emptyText = m_emptyText;
    list.multiple = m_multiple;
    host::Dataset* ds = m_source && m_source->isActive() ? m_source->dataset() : nullptr;

    std::vector<const host::Field*> shown;
    if (ds) {
        if (m_columns.empty()) {
            for (const host::Field* f : ds->fields())
                if (f->visible()) {
                    shown.push_back(f);
                    list.headers << f->displayLabel();
                }
        } else {
            for (const LookupColumn& c : m_columns) {
                const host::Field& f = ds->field(c.fieldName);
                shown.push_back(&f);
                list.headers << (c.title.isEmpty() ? f.displayLabel() : c.title);
            }
        }
    }
    const host::Field* key = ds && !m_keyField.isEmpty() ? &ds->field(m_keyField) : nullptr;
    QHash<QString, int> rowOfCode;
    const int rows = ds ? ds->recordCount() : 0;
    list.rows.reserve(size_t(rows));
    for (int r = 0; r < rows; ++r) {
        host::PickRow row;
        row.code = key ? key->formatValue(ds->valueAt(r, key->index()), false) : QString::number(r + 1);
        for (const host::Field* f : shown) row.columns << ds->displayTextAt(r, f->index());
        if (!rowOfCode.contains(row.code)) rowOfCode.insert(row.code, r);
        list.rows.push_back(std::move(row));
    }

    const QStringList codes = host::dialogs().pick(list, window());
    if (codes.isEmpty() || !ds) return;
    const auto at = rowOfCode.constFind(codes.first());
    if (at == rowOfCode.constEnd()) return;
    ds->setRecNo(*at + 1);
    m_picked = codes;
    if (m_edit && m_edit->isVisible() && m_edit->isEnabled()) m_edit->setFocus(Qt::OtherFocusReason);
    if (onAfterLookup) onAfterLookup(*this);
    *picked = true;
}

}  // namespace kit
