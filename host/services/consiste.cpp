#include "host/services/consiste.h"

#include "host/data/errors.h"
#include "host/services/dialog_service.h"

#include <QtCore/QDir>
#include <algorithm>

namespace host {
namespace {

bool allAsciiDigits(const QString& s) {
    return std::all_of(s.begin(), s.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

}  // namespace

bool EmptyString(const QString& text) { return text.trimmed().isEmpty(); }

void MensErro(const QString& text, bool abort) {
    dialogs().showError(text);
    if (abort) throw Abort();
}

QString Ajusta(const QString& text, int width) {
    QString code = text.trimmed();
    if (code.isEmpty() || width <= 0 || !allAsciiDigits(code)) return code;
    if (code.size() < width) return code.rightJustified(width, u'0');
    qsizetype excess = code.size() - width;
    qsizetype zeros = 0;
    while (zeros < excess && code[zeros] == u'0') ++zeros;
    return code.mid(zeros);
}

QString AllTrim(const QString& text) { return text.trimmed(); }

QString LeftStr(const QString& text, int count) { return count <= 0 ? QString() : text.left(count); }

QString Replicate(const QString& text, int times) { return times <= 0 ? QString() : text.repeated(times); }

QString DirWinTemp() {
    QString dir = QDir::tempPath();
    if (!dir.endsWith(u'/')) dir += u'/';
    return dir;
}

QString DateMask() { return QStringLiteral("!99/99/0000;1;_"); }

}  // namespace host
