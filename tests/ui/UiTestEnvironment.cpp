// The GUI tests need one QApplication for the whole run.
#include "support/GuiEnvironment.h"

#include <QApplication>

namespace {

const auto *const g_environment =
    ::testing::AddGlobalTestEnvironment(new vorlix::test::GuiEnvironment<QApplication>("test_ui"));

} // namespace
