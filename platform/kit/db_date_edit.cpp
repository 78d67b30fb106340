#include "db_date_edit.h"

#include "calendar_popup.h"
#include "host/data/text_format.h"
#include "mask_edit.h"

namespace kit {

DBDateEdit::DBDateEdit(QWidget* parent) : DBEdit(parent) {
    attachCalendar(this, {[this]() -> std::optional<QDate> {
                              const host::Field* f = field();
                              if (!f || f->isNull()) return std::nullopt;
                              return f->asDateTime().date();
                          },
                          [this](const QDate& d) { setTypedText(d.toString(QStringLiteral("dd/MM/yyyy"))); }});
}

DBDateEdit::DBDateEdit(DataSource* source, const QString& fieldName, QWidget* parent) : DBDateEdit(parent) {
    bind(source, fieldName);
}

QString DBDateEdit::maskFor(const host::Field& f) const {
    return f.editMask().isEmpty() ? DateBox::kDateMask : f.editMask();
}

QString DBDateEdit::valueForField(const QString& typed) const {
    const host::Field* f = field();
    if (!f || f->type() != host::FieldType::DateTime || f->isNull()) return typed;
    const QTime time = f->asDateTime().time();
    if (time == QTime(0, 0)) return typed;
    const auto day = host::parseDateTime(typed);
    if (!day || day->time() != QTime(0, 0)) return typed;
    return typed.trimmed() + u' ' + time.toString(QStringLiteral("HH:mm:ss"));
}

}  // namespace kit
