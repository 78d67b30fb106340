#include "host/testing/recording_progress.h"

namespace host::test {

namespace {
const QString kShow = QStringLiteral("show ");
}

QStringList RecordingProgress::texts() const {
    QStringList out;
    for (const QString& event : m_history)
        if (event.startsWith(kShow)) out << event.section(u' ', 2, -1);
    return out;
}

void RecordingProgress::showAnimation(const ProgressState& state) {
    m_history << kShow + QString::number(state.kind) + u' ' + state.text;
}

void RecordingProgress::hideAnimation() { m_history << QStringLiteral("hide"); }

}  // namespace host::test
