#include "record_navigator.h"

#include "db_text.h"
#include "guard.h"

namespace kit {

RecordNavigator::RecordNavigator(QWidget* parent) : QToolBar(QStringLiteral("Navegação"), parent) {
    setObjectName(QStringLiteral("navPadrao"));
    setToolButtonStyle(Qt::ToolButtonTextOnly);
    struct ButtonDef {
        const char* text;
        QString glyph;
        const char* hint;
        const char* name;
    };
    const ButtonDef defs[] = {
        {"&Primeiro", QStringLiteral("|\u25C0"), "Primeiro registro", "actPrimeiro"},
        {"&Anterior", QStringLiteral("\u25C0"), "Registro anterior", "actAnterior"},
        {"Pró&ximo", QStringLiteral("\u25B6"), "Próximo registro", "actProximo"},
        {"Ú&ltimo", QStringLiteral("\u25B6|"), "Último registro", "actUltimo"},
    };
    for (size_t i = 0; i < m_actions.size(); ++i) {
        QAction* a = addAction(QString::fromUtf8(defs[i].text));
        a->setIconText(defs[i].glyph);
        a->setToolTip(QString::fromUtf8(defs[i].hint));
        a->setObjectName(QString::fromLatin1(defs[i].name));
        if (QWidget* b = widgetForAction(a)) b->setFocusPolicy(Qt::NoFocus);
        connect(a, &QAction::triggered, this, [this, i] { move(Button(i)); });
        m_actions[i] = a;
    }
    m_label = new DBText(this);
    m_label->setObjectName(QStringLiteral("dbtNavegador"));
    m_label->setContentsMargins(6, 0, 6, 0);
    m_labelAction = addWidget(m_label);
    m_labelAction->setVisible(false);
    updateButtons();
}

void RecordNavigator::setDisplayField(const QString& fieldName) {
    m_field = fieldName;
    m_label->bind(dataSource(), m_field);
    m_labelAction->setVisible(!m_field.isEmpty());
}

void RecordNavigator::setAllowed(bool on) {
    m_allowed = on;
    updateButtons();
}

bool RecordNavigator::press(Button button) { return action(button)->isEnabled() && move(button); }

bool RecordNavigator::move(Button button) {
    const bool done = guard(this, [&] {
        DataSource* source = dataSource();
        if (!source) return;
        switch (button) {
        case First: source->first(); break;
        case Prior: source->prior(); break;
        case Next: source->next(); break;
        case Last: source->last(); break;
        }
    }, dataSource());
    updateButtons();
    return done;
}

void RecordNavigator::dataEvent(const host::DataEvent& event) {
    if (event.kind != host::DataEvent::RecordChanged && event.kind != host::DataEvent::UpdateRecord) updateButtons();
}

void RecordNavigator::sourceChanged() {
    if (m_label->dataSource() != dataSource() || !dataSource()) m_label->bind(dataSource(), m_field);
    updateButtons();
}

void RecordNavigator::updateButtons() {
    const DataSource* source = dataSource();
    const host::Dataset* ds = source && source->isActive() ? source->dataset() : nullptr;
    const bool usable = m_allowed && ds && !ds->isEmpty();
    const int at = usable ? ds->recNo() : 0;
    const int count = usable ? ds->recordCount() : 0;
    m_actions[First]->setEnabled(usable && at > 1);
    m_actions[Prior]->setEnabled(usable && at > 1);
    m_actions[Next]->setEnabled(usable && at < count);
    m_actions[Last]->setEnabled(usable && at < count);
}

}  // namespace kit
