// The app tests paint and print with the fonts and translations the program itself installs at
// start-up, before any test runs.
#include <gtest/gtest.h>

#include <QApplication>

#include "render/japanese.h"

namespace {

class ProgramFonts : public testing::Environment {
  public:
    void SetUp() override {
        auto* application = qobject_cast<QApplication*>(QCoreApplication::instance());
        ASSERT_NE(application, nullptr);
        render::installJapanese(*application);
    }
};

[[maybe_unused]] testing::Environment* const kProgramFonts =
    testing::AddGlobalTestEnvironment(new ProgramFonts);

}  // namespace
