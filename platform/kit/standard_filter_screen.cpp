#include "standard_filter_screen.h"

#include "guard.h"
#include "host/data/errors.h"
#include "mask_edit.h"

#include <QtWidgets/QAbstractButton>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QSpinBox>

namespace kit {

namespace {

const QString kControls = QStringLiteral("Controles/");

// The state of a remembered control as an option value; invalid for a kind it does not know.
QVariant stateOf(const QWidget* w) {
    if (auto* date = dynamic_cast<const DateBox*>(w)) {
        const auto d = date->date();
        return d ? d->toString(Qt::ISODate) : QString();
    }
    if (auto* mask = dynamic_cast<const MaskEdit*>(w)) return mask->value();
    if (auto* edit = dynamic_cast<const QLineEdit*>(w)) return edit->text();
    if (auto* button = dynamic_cast<const QAbstractButton*>(w)) return button->isChecked();
    if (auto* combo = dynamic_cast<const QComboBox*>(w)) return combo->currentIndex();
    if (auto* spin = dynamic_cast<const QSpinBox*>(w)) return spin->value();
    return {};
}

void restore(QWidget* w, const QVariant& value) {
    if (auto* date = dynamic_cast<DateBox*>(w)) {
        const QDate d = QDate::fromString(value.toString(), Qt::ISODate);
        date->setDate(d.isValid() ? std::optional<QDate>(d) : std::nullopt);
    } else if (auto* mask = dynamic_cast<MaskEdit*>(w)) {
        mask->setValue(value.toString());
    } else if (auto* edit = dynamic_cast<QLineEdit*>(w)) {
        edit->setText(value.toString());
    } else if (auto* button = dynamic_cast<QAbstractButton*>(w)) {
        // An exclusive radio button cannot be unchecked by itself: its checked sibling restores the group.
        if (value.toBool() || !button->autoExclusive()) button->setChecked(value.toBool());
    } else if (auto* combo = dynamic_cast<QComboBox*>(w)) {
        const int index = value.toInt();
        if (index >= -1 && index < combo->count()) combo->setCurrentIndex(index);
    } else if (auto* spin = dynamic_cast<QSpinBox*>(w)) {
        spin->setValue(value.toInt());
    }
}

}  // namespace

StandardFilterScreen::StandardFilterScreen(const QString& screenCode, QWidget* parent)
    : StandardDialogScreen(screenCode, parent), m_options(screenCode) {
    okButton()->setText(QStringLiteral("Confirmar"));
    okButton()->setObjectName(QStringLiteral("sbtConfirma"));
    cancelButton()->setObjectName(QStringLiteral("sbtCancela"));
}

void StandardFilterScreen::saveOption(const QString& key, const QVariant& value) { m_options.save(key, value); }

QVariant StandardFilterScreen::loadOption(const QString& key, const QVariant& fallback) const {
    return m_options.load(key, fallback);
}

void StandardFilterScreen::rememberControl(QWidget* control) {
    if (!control || control->objectName().isEmpty())
        throw host::DataError(QStringLiteral("Um controle lembrado nas opções precisa de um nome."));
    if (!stateOf(control).isValid())
        throw host::DataError(QStringLiteral("O controle %1 não pode ser lembrado nas opções.").arg(control->objectName()));
    m_remembered.emplace_back(control);
}

void StandardFilterScreen::saveOptions() {
    for (const QPointer<QWidget>& w : m_remembered)
        if (w) saveOption(kControls + w->objectName(), stateOf(w));
}

void StandardFilterScreen::loadOptions() {
    for (const QPointer<QWidget>& w : m_remembered) {
        if (!w) continue;
        const QVariant value = loadOption(kControls + w->objectName());
        if (value.isValid()) restore(w, value);
    }
}

void StandardFilterScreen::doConfirm() {
    saveOptions();
    StandardDialogScreen::doConfirm();
}

void StandardFilterScreen::showEvent(QShowEvent* event) {
    if (!m_loaded) {
        m_loaded = true;
        guard(this, [this] { loadOptions(); });
    }
    StandardDialogScreen::showEvent(event);
}

}  // namespace kit
