#include "db_text.h"

#include "host/data/field.h"

namespace kit {

DBText::DBText(QWidget* parent) : QLabel(parent), FieldControl(this) {}

DBText::DBText(DataSource* source, const QString& fieldName, QWidget* parent) : DBText(parent) {
    bind(source, fieldName);
}

void DBText::refresh() {
    QString text;
    if (const host::Field* f = field()) {
        try {
            text = f->displayText();
            setAlignment(f->alignment() | Qt::AlignVCenter);
        } catch (const std::exception& e) {
            qWarning("DBText %s: %s", qUtf8Printable(fieldName()), e.what());
        }
    }
    setText(text);
}

}  // namespace kit
