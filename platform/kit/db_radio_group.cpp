#include "db_radio_group.h"

#include "guard.h"
#include "host/data/field.h"

#include <QtWidgets/QButtonGroup>
#include <QtWidgets/QGridLayout>
#include <QtWidgets/QRadioButton>

namespace kit {

DBRadioGroup::DBRadioGroup(const QString& title, QWidget* parent)
    : QGroupBox(title, parent), FieldControl(this), m_group(new QButtonGroup(this)), m_layout(new QGridLayout(this)) {
    connect(m_group, &QButtonGroup::idClicked, this, [this](int id) { chosen(id); });
}

void DBRadioGroup::setItems(const QStringList& captions, const QStringList& codes) {
    m_captions = captions;
    m_codes = codes.isEmpty() ? captions : codes;
    layoutButtons();
    refresh();
}

void DBRadioGroup::setColumns(int columns) {
    m_columns = std::max(1, columns);
    layoutButtons();
}

QAbstractButton* DBRadioGroup::button(int index) const { return m_group->button(index); }

void DBRadioGroup::layoutButtons() {
    for (QAbstractButton* b : m_group->buttons()) {
        m_group->removeButton(b);
        delete b;
    }
    const int rows = (int(m_captions.size()) + m_columns - 1) / m_columns;
    for (int i = 0; i < m_captions.size(); ++i) {
        auto* b = new QRadioButton(m_captions[i], this);
        m_group->addButton(b, i);
        m_layout->addWidget(b, i % std::max(1, rows), i / std::max(1, rows));
    }
}

int DBRadioGroup::itemIndex() const {
    return indexOfFieldValue(m_codes);
}

void DBRadioGroup::refresh() {
    const int index = itemIndex();
    m_group->setExclusive(false);  // lets every button go off when the value matches none
    for (QAbstractButton* b : m_group->buttons()) b->setChecked(m_group->id(b) == index);
    m_group->setExclusive(true);
}

// Enabling stays the screen's business; a group that cannot change puts the selection back instead.
void DBRadioGroup::updateState() {}

void DBRadioGroup::chosen(int index) {
    bool stored = false;
    guard(this, [&] {
        host::Field* f = field();
        if (!f || !canModify() || index < 0 || index >= m_codes.size()) return;
        if (index == itemIndex()) return;
        ensureEditing();
        f->setText(m_codes[index]);
        stored = true;
    });
    refresh();
    if (stored && onClick) guard(this, onClick);
}

}  // namespace kit
