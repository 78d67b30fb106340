#pragma once
// What the shell's tests share: a small company in a SQLite file (the minimal
// world, migrated and seeded, with passwords and processing dates), the
// scripted dialog service, and logins made the way the shell makes them.
//
//   Branches: 0001 "Central" (a purchasing central, processing date 14/06/2024),
//             0002 "Loja" (served by 0001, 17/06/2024), 0003 "Loja Nova" (no date).
//   Operators: OPERADOR1 "Operador Um" (own branch 0002), COMPRADOR1 "Comprador Um"
//              (no branch of his own), both with password kPassword.
#include "platform/shell/backends.h"
#include "platform/shell/login_flow.h"
#include "platform/shell/module_loader.h"

#include "host/testing/recording_progress.h"
#include "host/testing/scripted_dialogs.h"

#include <QtCore/QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace shell::testing {

inline const QString kPassword = QStringLiteral("segredo-1");
inline const QDate kCentralDate{2024, 6, 14};
inline const QDate kStoreDate{2024, 6, 17};

// The folder where the test deliverables were built.
QString moduleFolder();

class ShellTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The company's file, a fresh copy for each test.
    const QString& databasePath() const { return m_databasePath; }
    QString reportDir() const { return m_temp.filePath(QStringLiteral("relatorios")); }

    // The embedded server over the test's file (started at first use).
    Backends& backends();
    LoginFlow::Connect connector();
    LoginResult logIn(const QString& branch = {}, const QString& operatorCode = QStringLiteral("OPERADOR1"));

    std::shared_ptr<host::test::ScriptedDialogs> dialogs;
    // The screens the shell opens show the progress animation.
    std::shared_ptr<host::test::RecordingProgress> progress;

private:
    QTemporaryDir m_temp;
    QString m_databasePath;
    std::unique_ptr<Backends> m_backends;
};

}  // namespace shell::testing
