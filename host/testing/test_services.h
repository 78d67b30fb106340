#pragma once
// Installs the test versions of every host service for one test and removes
// them at its end: a scripted dialog service, a recording progress animation
// and a test session. At the end it also fails the test when scripted answers
// were never asked for or when the animation was left visible (callers must
// hide it on every path).
//
//   host::test::TestServices services;
//   services.dialogs.answer(host::kYes, "Confirma exclusão?");
//   ... run the handler ...
//   EXPECT_TRUE(services.dialogs.errorsAre({}));
#include "host/testing/recording_progress.h"
#include "host/testing/scripted_dialogs.h"
#include "host/testing/test_session.h"

#include <memory>

namespace host::test {

class TestServices {
public:
    TestServices();
    ~TestServices();
    TestServices(const TestServices&) = delete;
    TestServices& operator=(const TestServices&) = delete;

    // For tests that stop half-way on purpose.
    void allowUnusedAnswers() { m_checkAnswers = false; }
    void allowProgressLeftVisible() { m_checkProgress = false; }

private:
    std::shared_ptr<ScriptedDialogs> m_dialogs;
    std::shared_ptr<RecordingProgress> m_progress;
    std::shared_ptr<TestSession> m_session;
    bool m_checkAnswers = true;
    bool m_checkProgress = true;

public:
    ScriptedDialogs& dialogs;
    RecordingProgress& progress;
    TestSession& session;
};

}  // namespace host::test
