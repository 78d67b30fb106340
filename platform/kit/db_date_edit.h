#pragma once
// Date box bound to a date-time field (`dbd...`/`dep...`): the edit box with the
// date mask (unless the field has its own) and a calendar. Typing a new day
// keeps the time of day the field held.
#include "db_edit.h"

namespace kit {

class DBDateEdit : public DBEdit {
public:
    explicit DBDateEdit(QWidget* parent = nullptr);
    DBDateEdit(DataSource* source, const QString& fieldName, QWidget* parent = nullptr);

protected:
    QString maskFor(const host::Field& f) const override;
    QString valueForField(const QString& typed) const override;
};

}  // namespace kit
