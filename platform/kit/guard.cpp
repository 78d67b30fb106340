#include "guard.h"

#include "data_source.h"
#include "host/data/field.h"
#include "host/services/dialog_service.h"

#include <QtCore/QTimer>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QWidget>

namespace kit {

namespace {

void showError(const QString& text, QWidget* parent) {
    try {
        host::dialogs().showError(text, parent);
    } catch (...) {
        qCritical("%s", qUtf8Printable(text));  // no dialog service: the log is all that is left
    }
}

}  // namespace

QString unexpectedErrorText(const char* what) {
    const QString detail = what ? QString::fromUtf8(what).trimmed() : QString();
    return detail.isEmpty() ? QStringLiteral("Erro inesperado.") : QStringLiteral("Erro inesperado: %1").arg(detail);
}

void reportException(std::exception_ptr error, QWidget* parent, DataSource* focusSource) {
    try {
        std::rethrow_exception(error);
    } catch (const host::Abort&) {
    } catch (const host::FieldError& e) {
        if (focusSource) focusSource->focusField(e.fieldName());
        showError(e.message(), parent);
    } catch (const host::UserError& e) {
        showError(e.message(), parent);
    } catch (const std::exception& e) {
        showError(unexpectedErrorText(e.what()), parent);
    } catch (...) {
        showError(unexpectedErrorText(nullptr), parent);
    }
}

bool guard(QWidget* parent, const std::function<void()>& work, DataSource* focusSource) {
    try {
        work();
        return true;
    } catch (...) {
        reportException(std::current_exception(), parent, focusSource);
        return false;
    }
}

QPointer<QWidget> FocusRestore::s_owner;
int FocusRestore::s_depth = 0;

bool FocusRestore::active() { return s_depth > 0 || !s_owner.isNull(); }

void FocusRestore::refuseExit(QWidget* owner, std::exception_ptr error) {
    ++s_depth;
    s_owner = owner;
    reportException(error, owner);
    if (owner && owner->isVisible() && owner->isEnabled()) {
        owner->setFocus(Qt::OtherFocusReason);
        if (auto* edit = qobject_cast<QLineEdit*>(owner)) edit->selectAll();
    }
    --s_depth;
    // Window activation after a modal box may arrive later: keep quiet until the
    // owner has the focus again or the pending events have been handled.
    if (!owner || owner->hasFocus()) s_owner = nullptr;
    else QTimer::singleShot(0, [] { s_owner = nullptr; });
}

void FocusRestore::ownerFocused(QWidget* w) {
    if (s_owner == w) s_owner = nullptr;
}

}  // namespace kit
