#include "host/testing/test_services.h"

#include <gtest/gtest.h>

namespace host::test {

TestServices::TestServices()
    : m_dialogs(std::make_shared<ScriptedDialogs>()),
      m_progress(std::make_shared<RecordingProgress>()),
      m_session(std::make_shared<TestSession>()),
      dialogs(*m_dialogs),
      progress(*m_progress),
      session(*m_session) {
    setDialogService(m_dialogs);
    setProgressService(m_progress);
    setSession(m_session);
}

TestServices::~TestServices() {
    if (m_checkAnswers && dialogs.pendingAnswers() > 0)
        ADD_FAILURE() << "scripted answers never asked for: "
                      << dialogs.pendingDescription().join(QStringLiteral("; ")).toStdString();
    if (m_checkProgress && progress.visible())
        ADD_FAILURE() << "the progress animation was left visible (\"" << progress.current()->text.toStdString()
                      << "\")";
    setDialogService(nullptr);
    setProgressService(nullptr);
    setSession(nullptr);
}

}  // namespace host::test
