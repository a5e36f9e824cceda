#include <gtest/gtest.h>

#include <QApplication>

#include "core/application.h"
#include "platform/dialogs.h"
#include "platform/form_keys.h"
#include "test_support.h"
#include "van/card_agent.h"

int main(int argc, char **argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  orv::Application app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  // Keys behave as in the program: Enter presses the focused button.
  orv::formkeys::InstallButtonEnter(app);
  // No box or modal form may wait for a person: whatever a test did not script fails it.
  orv::dialogs::EnterTestMode(
      [](const QString &message) { ADD_FAILURE() << "dialogs: " << message.toStdString(); });
  // The card agent answers in-process unless a test starts the real one.
  orv::van::SetCardAgent(std::make_unique<orv::van::SimulatedCardAgent>());
  ::testing::AddGlobalTestEnvironment(new orvtest::Environment);
  return RUN_ALL_TESTS();
}
