#include "host/services/progress.h"

#include "host/data/errors.h"
#include "host/testing/qt_printers.h"
#include "host/testing/test_services.h"

#include <gtest/gtest.h>
#include <stdexcept>

using namespace host;

namespace {

class ProgressTest : public ::testing::Test {
protected:
    test::TestServices services;
    test::RecordingProgress& rec = services.progress;
};

TEST_F(ProgressTest, ShowChangeAndHide) {
    progress().ActiveShowAvi(nullptr, kAviTransfer, QStringLiteral("Carregando AF..."));
    progress().ActiveShowAvi(nullptr, kAviTransfer, QStringLiteral("Carregando AF..."));  // same: nothing redrawn
    progress().ActiveShowAvi(nullptr, kAviProcessing, QStringLiteral("Gravando..."));
    ASSERT_TRUE(rec.current());
    EXPECT_EQ(rec.current()->kind, kAviProcessing);
    progress().DeactiveShowAvi();
    progress().DeactiveShowAvi();  // already hidden: nothing happens
    EXPECT_FALSE(rec.visible());
    EXPECT_EQ(rec.history(), (QStringList{QStringLiteral("show 6 Carregando AF..."), QStringLiteral("show 1 Gravando..."),
                                          QStringLiteral("hide")}));
    EXPECT_EQ(rec.texts(), (QStringList{QStringLiteral("Carregando AF..."), QStringLiteral("Gravando...")}));
}

TEST_F(ProgressTest, GuardHidesOnException) {
    EXPECT_THROW(
        {
            ProgressGuard guard(nullptr, kAviTransfer, QStringLiteral("Buscando dados..."));
            EXPECT_TRUE(rec.visible());
            throw UserError(QStringLiteral("Falha do servidor."));
        },
        UserError);
    EXPECT_FALSE(rec.visible());
    EXPECT_EQ(rec.history(), (QStringList{QStringLiteral("show 6 Buscando dados..."), QStringLiteral("hide")}));
}

TEST_F(ProgressTest, NestedGuardRestoresTheOuterStep) {
    {
        ProgressGuard outer(nullptr, kAviProcessing, QStringLiteral("Fechando AF..."));
        {
            ProgressGuard inner(nullptr, kAviTransfer, QStringLiteral("Enviando..."));
        }
        ASSERT_TRUE(rec.visible());
        EXPECT_EQ(rec.current()->text, QStringLiteral("Fechando AF..."));
        EXPECT_EQ(rec.current()->kind, kAviProcessing);
    }
    EXPECT_FALSE(rec.visible());
    EXPECT_EQ(rec.history(),
              (QStringList{QStringLiteral("show 1 Fechando AF..."), QStringLiteral("show 6 Enviando..."),
                           QStringLiteral("show 1 Fechando AF..."), QStringLiteral("hide")}));
}

// A drawing that fails when hiding: the guard must not throw while unwinding.
class FailingProgress : public ProgressService {
protected:
    void showAnimation(const ProgressState&) override {}
    void hideAnimation() override { throw std::runtime_error("widget gone"); }
};

TEST(ProgressGuard, FailingHideDoesNotEscapeTheDestructor) {
    setProgressService(std::make_shared<FailingProgress>());
    EXPECT_THROW(
        {
            ProgressGuard guard(nullptr, kAviTransfer);
            throw UserError(QStringLiteral("erro original"));
        },
        UserError);
    EXPECT_FALSE(progress().current());
    setProgressService(nullptr);
}

TEST(ProgressService, MissingServiceIsAnError) {
    setProgressService(nullptr);
    EXPECT_THROW(progress(), DataError);
    EXPECT_THROW(ProgressGuard(nullptr, kAviTransfer), DataError);
}

}  // namespace
