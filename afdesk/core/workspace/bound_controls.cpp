#include "afdesk/core/workspace/bound_controls.h"

#include "platform/kit/data_source.h"

#include <QtWidgets/QLabel>
#include <QtWidgets/QWidget>

namespace afdesk {

QWidget* boundControl(const kit::DataSource& source, const QString& field, const QWidget* within) {
    if (!within) return nullptr;
    for (kit::DataLink* link : source.links()) {
        QWidget* control = link->control();
        if (control && link->boundFieldName().compare(field, Qt::CaseInsensitive) == 0 &&
            within->isAncestorOf(control))
            return control;
    }
    return nullptr;
}

QLabel* labelCaptioned(const QWidget* within, const QString& caption) {
    if (!within) return nullptr;
    for (QLabel* label : within->findChildren<QLabel*>()) {
        QString text = label->text();
        if (text.remove(QLatin1Char('&')) == caption) return label;
    }
    return nullptr;
}

bool focusBound(const kit::DataSource& source, const QString& field, const QWidget* within) {
    QWidget* control = boundControl(source, field, within);
    if (!control || !control->isEnabled() || !control->isVisible()) return false;
    control->setFocus(Qt::OtherFocusReason);
    return true;
}

}  // namespace afdesk
