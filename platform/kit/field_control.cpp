#include "field_control.h"

#include "guard.h"

namespace kit {

void FieldControl::bind(DataSource* source, const QString& fieldName) {
    m_fieldName = fieldName;
    if (dataSource() == source) sourceChanged();
    else setDataSource(source);
}

void FieldControl::setFieldName(const QString& name) {
    m_fieldName = name;
    sourceChanged();
}

host::Field* FieldControl::field() const {
    return dataSource() ? dataSource()->findField(m_fieldName) : nullptr;
}

void FieldControl::setControlReadOnly(bool on) {
    m_readOnly = on;
    updateState();
}

bool FieldControl::canModify() const {
    const host::Field* f = field();
    if (!f || m_readOnly || f->readOnly() || f->isCalculated()) return false;
    return dataSource()->editing() || dataSource()->autoEdit();
}

bool FieldControl::beginChange() {
    if (!canModify()) return false;
    if (dataSource()->editing()) return true;
    return guard(m_self, [this] { dataSource()->edit(); }) && dataSource()->editing();
}

void FieldControl::ensureEditing() {
    if (!dataSource() || !dataSource()->isActive()) return;
    if (!dataSource()->editing()) dataSource()->edit();
}

void FieldControl::dataEvent(const host::DataEvent& event) {
    switch (event.kind) {
    case host::DataEvent::StateChanged:
        updateState();
        break;
    case host::DataEvent::RecordChanged:
        if (event.field && event.field != field()) break;
        refresh();
        break;
    case host::DataEvent::DataSetChanged:
    case host::DataEvent::Scrolled:
        refresh();
        updateState();
        break;    case host::DataEvent::UpdateRecord:  // the data source writes pending text itself
        break;
    }
}

void FieldControl::sourceChanged() {
    refresh();
    updateState();
}

int FieldControl::indexOfFieldValue(const QStringList& codes) const {
    const host::Field* f = field();
    if (!f) return -1;
    QString value;
    try {
        value = f->asString().trimmed();
    } catch (const std::exception&) {
        return -1;
    }
    for (int i = 0; i < codes.size(); ++i)
        if (codes[i].trimmed() == value) return i;
    return -1;
}

}  // namespace kit
