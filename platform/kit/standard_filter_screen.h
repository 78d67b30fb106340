#pragma once
// The standard filter screen: a modal dialog with "Confirmar" (`sbtConfirma`)
// and "Cancelar" (`sbtCancela`) whose criteria the operator finds again the
// next time, also after closing the program: options kept per operator and
// screen code (see option_store.h).
//
//   saveOption("stPesqForn", list) / loadOption("stPesqForn")  single values
//   rememberControl(chbBaixaTotal)  a control whose state is an option
//                                   (check box, radio button, date box, masked
//                                   or plain edit box, combo box, spin box),
//                                   kept under its object name
//   saveOptions() / loadOptions()   the remembered controls; screens override
//                                   them to add their own values around the
//                                   base call
// The options are loaded when an instance is first shown and saved by the
// standard confirmation (doConfirm: saveOptions, then accept). Cancelling
// saves nothing.
#include "option_store.h"
#include "standard_dialog_screen.h"

#include <QtCore/QPointer>
#include <vector>

namespace kit {

class StandardFilterScreen : public StandardDialogScreen {
public:
    explicit StandardFilterScreen(const QString& screenCode, QWidget* parent = nullptr);

    QPushButton* confirmButton() const { return okButton(); }

    void saveOption(const QString& key, const QVariant& value);
    QVariant loadOption(const QString& key, const QVariant& fallback = {}) const;
    // Keeps the options elsewhere (not owned); null: the operator's options file.
    void setOptionSettings(QSettings* settings) { m_options.setSettings(settings); }
    const OptionStore& options() const { return m_options; }

    // The control needs an object name: it is its key.
    void rememberControl(QWidget* control);
    virtual void saveOptions();
    virtual void loadOptions();

protected:
    void doConfirm() override;
    void showEvent(QShowEvent* event) override;

private:
    OptionStore m_options;
    std::vector<QPointer<QWidget>> m_remembered;
    bool m_loaded = false;
};

}  // namespace kit
