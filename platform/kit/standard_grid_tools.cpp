// The standard behaviour of the standard grid screen's tools and their states.
#include "db_grid.h"
#include "grid_helpers.h"
#include "host/data/errors.h"
#include "host/services/dialog_service.h"
#include "key_preview.h"
#include "search_dialog.h"
#include "standard_grid_screen.h"

namespace kit {

namespace {

bool confirmed(const QString& question, QWidget* parent) {
    return host::dialogs().ask(host::MessageKind::Confirmation, question, host::QuestionButtons::YesNo, parent) ==
           host::kYes;
}

}  // namespace

DataSource& StandardGridScreen::activeSource() const {
    DataSource* source = standardSource();
    if (!source || !source->isActive()) throw host::Abort();
    return *source;
}

void StandardGridScreen::focusGrid() {
    if (m_grid->isVisible() && m_grid->isEnabled()) m_grid->setFocus(Qt::OtherFocusReason);
}

void StandardGridScreen::doInsert() {
    DataSource& source = activeSource();
    source.updateRecord();
    source.dataset()->insert();
    focusGrid();
}

void StandardGridScreen::doEdit() {
    DataSource& source = activeSource();
    if (source.dataset()->isEmpty()) throw host::Abort();
    source.edit();
    focusGrid();
}

void StandardGridScreen::doDelete() {
    DataSource& source = activeSource();
    host::Dataset& ds = *source.dataset();
    if (ds.state() != host::DatasetState::Browse || ds.isEmpty()) throw host::Abort();
    if (!confirmed(QStringLiteral("Confirma exclusão?"), this)) return;
    ds.deleteRecord();
}

void StandardGridScreen::doSearch() {
    DataSource& source = activeSource();
    const host::Field* column = m_grid->dataSource() == &source ? m_grid->selectedField() : nullptr;
    Procura(*source.dataset(), this, column ? column->name() : QString());
}

void StandardGridScreen::doConfirm() {
    // The control being typed in may hold text the data source has not seen yet.
    flushFocusedEditor();
    DataSource& source = activeSource();
    if (source.editing()) source.post();
}

void StandardGridScreen::doCancel() {
    DataSource& source = activeSource();
    if (!source.editing()) return;
    if (!confirmed(QStringLiteral("Cancelar operação?"), this)) return;
    source.cancel();
}

bool StandardGridScreen::onKeyPreview(QKeyEvent* event) { return standardPreviewKeys(this, event); }

void StandardGridScreen::updateTools() {
    const DataSource* source = standardSource();
    const host::DatasetState state = source ? source->state() : host::DatasetState::Inactive;
    const bool browse = state == host::DatasetState::Browse;
    const bool editing = state == host::DatasetState::Edit || state == host::DatasetState::Insert;
    const bool rows = browse && !source->dataset()->isEmpty();
    setToolEnabled(Tool::Incluir, browse);
    setToolEnabled(Tool::Alterar, rows);
    setToolEnabled(Tool::Excluir, rows);
    setToolEnabled(Tool::Procurar, rows);
    setToolEnabled(Tool::Verificar, false);
    setToolEnabled(Tool::Confirmar, editing);
    setToolEnabled(Tool::Cancelar, editing);
}

}  // namespace kit
