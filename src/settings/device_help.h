#pragma once
// The fixed help text about each card network's reader, sign pad and agent.
#include <QStringList>

namespace orv::settings {
// The lines of the help, in order (empty lines included).
QStringList DeviceHelpLines();
}  // namespace orv::settings
