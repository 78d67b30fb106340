#pragma once
// Label showing a field's display text (`dbt...`).
#include "field_control.h"

#include <QtWidgets/QLabel>

namespace kit {

class DBText : public QLabel, public FieldControl {
public:
    explicit DBText(QWidget* parent = nullptr);
    DBText(DataSource* source, const QString& fieldName, QWidget* parent = nullptr);

protected:
    void refresh() override;
    void updateState() override {}
};

}  // namespace kit
