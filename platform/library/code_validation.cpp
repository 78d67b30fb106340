#include "code_validation.h"

#include "code_picture.h"

#include "host/data/dataset.h"
#include "host/data/errors.h"
#include "host/services/session.h"

namespace platform::library {

void validateCode(host::Dataset* lookup, int pictureType, QString& text, const host::ValidExOptions& options) {
    const CodePicture picture(host::session().DBPict(pictureType));
    const std::optional<CodePicture::Code> code = picture.parse(text);
    if (!code)
        throw host::UserError(QStringLiteral("Código \"%1\" inválido. Formato esperado: %2.")
                                  .arg(text.trimmed(), picture.pattern()));
    if (code->levels == 0) {
        if (options.required) throw host::UserError(QStringLiteral("Código deve ser informado."));
        text.clear();
        return;
    }
    const QString shown = picture.display(code->stored);
    if (options.complete && code->levels < picture.levelCount())
        throw host::UserError(QStringLiteral("Código %1 incompleto: informe todos os níveis (%2).")
                                  .arg(shown, picture.pattern()));
    if (lookup && !options.keyField.isEmpty()) {
        if (!lookup->active())
            throw host::DataError(QStringLiteral("ValidEx: a consulta %1 não está aberta.").arg(lookup->name()));
        if (!lookup->locate(options.keyField, code->stored))
            throw host::UserError(QStringLiteral("Código %1 não cadastrado.").arg(shown));
    }
    text = code->stored;
}

}  // namespace platform::library
