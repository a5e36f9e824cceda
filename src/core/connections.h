#pragma once
// Opening the database connections from the terminal settings, and turning a shop's
// numeric server code into an address through the name page of the shop's web server.
#include <QString>
#include <array>
#include <cstdint>

#include "platform/db.h"

// Opens gsSetPosDB (posFlag non-zero) or gsSetMainDB with its server resolved (posFlag 0)
// into conn, replacing what it held. 0 on success; 1 after the box "DB연결실패", whose
// text also goes to errorText when given.
int16_t OpenDbConnection(orv::db::Connection &conn, int16_t posFlag, QString *errorText = nullptr);

// The boxes of a stored connection text, as the settings forms show them.
struct ConnectionFields {
  QString driver = QStringLiteral("SQLite");  // "SQLite" or "PostgreSQL"
  QString server, uid, pwd, database;
};
// Read by keys (braces hold ';' and '='); a text that does not read so, written by an
// older tool, is read by position: server, driver, uid, pwd, database, each value from
// its first '='. Missing fields stay empty; an unknown driver reads as SQLite.
ConnectionFields SplitConnectionFields(const QString &text);

// Closes the program-wide connections (goDbMain, goDbPos, goDbTs), work not committed is
// not kept. Every way the program ends passes here before the application object goes:
// the connections must not outlive Qt's registry of database connections.
void CloseProgramConnections();

// The connection text with its server value (after "server=") passed through
// ResolveServerHost; a text without ";" comes back unchanged.
QString ResolveMainDbServer(const QString &connectionText);

// The name trimmed; a leading numeric code (up to eight digits) is replaced by the
// address the name page gives for it, keeping the rest ("12345678,5432" → "10.1.2.3,5432").
// useMainWindow only tells whose start-up asks; all asks share one client.
QString ResolveServerHost(const QString &serverName, int16_t useMainWindow);

// The address the name page gives for the code, or "".
QString GetWebHostIp(const QString &code, int16_t useMainWindow);
// The address line ("~>" …) of a name page reply, or "".
QString ParseNamePageReply(const QString &reply);

// First IPv4 address of the host in dotted form, or "No DNS Entry" (also for names
// longer than 64 characters).
QString GetIPFromHost(const QString &hostName);
QString IPBytesToText(const std::array<uint8_t, 4> &bytes);

namespace orv::web {
// Terminal setting naming the shop system's web server: scheme, host and port,
// "http://10.0.0.5:8080". Empty: there is no web server, and nothing asks it.
inline constexpr char kWebServerKey[] = "gsSetWebServer";
// The server's base URL read from the settings store, without a trailing "/"; "" when
// not set. A value without a scheme is taken as http.
QString WebServerBase();
// How long each page may take before it counts as unanswered.
inline constexpr int kNamePageTimeoutMs = 4000;
inline constexpr int kDatePageTimeoutMs = 10000;
}  // namespace orv::web
