// Drawing texts needs fonts, which need a GUI application: one for the
// whole run, without a display.
#include "support/GuiEnvironment.h"

#include <QGuiApplication>

namespace {

const auto *const g_environment =
    ::testing::AddGlobalTestEnvironment(new vorlix::test::GuiEnvironment<QGuiApplication>("test_render"));

} // namespace
