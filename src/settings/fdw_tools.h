#pragma once
// The First Data terminal tools: start and stop the agent, and its three set-up jobs.
#include <QString>

namespace orv::van {
class CardAgent;
}

namespace orv::settings {

// The message a start or a stop shows.
QString FdwStartMessage(van::CardAgent &agent, const QString &ip, const QString &port);
QString FdwEndMessage(van::CardAgent &agent);
// Runs job "ENV", "PDN" or "INT" on the agent and gives the message to show: the failing
// step's, or the job's success (with the certification's reply fields for "PDN"). The
// request is closed in every case. saupNo and danNo go with "PDN" only.
QString FdwJobMessage(van::CardAgent &agent, const QString &job, const QString &saupNo,
                      const QString &danNo);

}  // namespace orv::settings
