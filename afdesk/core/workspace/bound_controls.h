#pragma once
// Finding the controls other units put on the workspace's pages by what they
// show (the field they are bound to, a label's caption) instead of by name.
#include <QtCore/QString>

class QLabel;
class QWidget;

namespace kit {
class DataSource;
}

namespace afdesk {

// The control bound to `field` of `source` placed inside `within`; null when there is none.
QWidget* boundControl(const kit::DataSource& source, const QString& field, const QWidget* within);
// The label with that caption (accelerator marks ignored) inside `within`; null when there is none.
QLabel* labelCaptioned(const QWidget* within, const QString& caption);
// Gives the focus to the bound control when it can take it; false otherwise.
bool focusBound(const kit::DataSource& source, const QString& field, const QWidget* within);

}  // namespace afdesk
