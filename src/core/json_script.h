#pragma once
// Runs a small script written as JSON: an array of texts (copied to the output), nulls
// and command objects that show messages, ask for input, keep variables, compare values
// and choose between branches. The result is the text the commands produce.
#include <QHash>
#include <QString>
#include <cstdint>
#include <stdexcept>

#include "core/json.h"

// A command that needs an object of parameters got something else.
class JsonScriptError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class cJSONScript {
 public:
  // Parses and runs the script. A text that does not parse shows its errors in a box and
  // gives the empty text. Throws JsonScriptError for a malformed command.
  QString Eval(const QString &script);
  // The output of one value: a text itself, a command object its command's output.
  QString ExecCommand(const orv::json::Value &value);

 private:
  QString RunCommand(const QString &name, const orv::json::Value &value);
  QString Param(const orv::json::Dictionary &params, const QString &key);

  QHash<QString, QString> variables_;  // keys case-sensitive; kept between runs
  int32_t nesting_ = 0;
};
