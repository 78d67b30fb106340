#include "packet_layout.h"

#include <QtCore/QStringList>

namespace platform::server::modules {

LayoutField& LayoutField::label(const char* text) {
    m_def.displayLabel = QString::fromUtf8(text);
    return *this;
}

LayoutField& LayoutField::hidden() {
    m_def.hidden();
    return *this;
}

LayoutField& LayoutField::readOnly() {
    m_def.asReadOnly();
    return *this;
}

LayoutField& LayoutField::displayFormat(const char* format) {
    m_def.withDisplayFormat(QString::fromLatin1(format));
    return *this;
}

LayoutField& LayoutField::editFormat(const char* format) {
    m_def.withEditFormat(QString::fromLatin1(format));
    return *this;
}

LayoutField& LayoutField::editMask(const char* mask) {
    m_def.withEditMask(QString::fromLatin1(mask));
    return *this;
}

LayoutField& LayoutField::alignment(Qt::Alignment a) {
    m_def.withAlignment(a);
    return *this;
}

LayoutField& LayoutField::fixedLength() {
    m_def.fixedLength = true;
    return *this;
}

QString LayoutField::selectItem() const {
    const QString& name = m_def.name;
    if (m_source == name || m_source.endsWith(QLatin1Char('.') + name)) return m_source;
    return m_source + QStringLiteral(" AS ") + name;
}

LayoutField column(const TableDescriptor& table, const char* alias, const char* name) {
    const host::FieldDef def = table.field(QString::fromLatin1(name));
    return LayoutField(def, QString::fromLatin1(alias) + QLatin1Char('.') + def.name);
}

LayoutField expression(const char* sql, host::FieldDef def) { return LayoutField(std::move(def), QString::fromLatin1(sql)); }

LayoutField computed(host::FieldDef def) { return LayoutField(std::move(def), QString()); }

Fields PacketLayout::fields() const {
    Fields out;
    out.reserve(m_fields.size());
    for (const LayoutField& f : m_fields) out.push_back(f.def());
    return out;
}

QString PacketLayout::columnList() const {
    QStringList items;
    for (const LayoutField& f : m_fields)
        if (!f.source().isEmpty()) items << f.selectItem();
    return items.join(QStringLiteral(", "));
}

std::vector<QString> PacketLayout::computed() const {
    std::vector<QString> out;
    for (const LayoutField& f : m_fields)
        if (f.source().isEmpty()) out.push_back(f.def().name);
    return out;
}

}  // namespace platform::server::modules
