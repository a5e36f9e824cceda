#include "core/json_script.h"

#include "core/cStringBuilder.h"
#include "platform/dialogs.h"

using orv::json::Dictionary;
using orv::json::Value;

namespace {

constexpr int32_t kMaxNesting = 40;
const char kObjectRequired[] = "Object required";
const char kInvalidArgument[] = "Invalid procedure call or argument";

// The commands that read their parameters by name.
bool NeedsParams(const QString &cmd) {
  return cmd == u"alert" || cmd == u"input" || cmd == u"switch" || cmd == u"set" ||
         cmd == u"get" || cmd == u"if";
}

}  // namespace

QString cJSONScript::Eval(const QString &script) {
  const Value tree = JsonParse(script);
  if (!JsonErrors().isEmpty() || tree.IsEmpty()) {
    orv::dialogs::MsgBox(JsonErrors(), orv::dialogs::kExclamation, QStringLiteral("Parser Error"));
    return QString();
  }
  cStringBuilder out;
  if (tree.IsDictionary()) {
    // A lone command object runs as the script's one element.
    out.Append(ExecCommand(tree));
    return out.toString();
  }
  const auto &items = tree.AsCollection();
  for (int i = 1; i <= items.Count(); ++i) {
    const Value &item = items.Item(i);
    if (item.IsNull()) {
      out.Append(QStringLiteral("null"));
    } else if (item.IsText()) {
      out.Append(item.AsText());
    } else if (item.IsDictionary() || item.IsCollection()) {
      out.Append(ExecCommand(item));
    } else {
      throw JsonScriptError(kObjectRequired);
    }
  }
  return out.toString();
}

QString cJSONScript::ExecCommand(const Value &value) {
  if (nesting_ > kMaxNesting) return QStringLiteral("ERROR: Nesting level exceeded.");
  // The counter comes back down even when a command fails.
  struct Depth {
    int32_t &n;
    explicit Depth(int32_t &c) : n(c) { ++n; }
    ~Depth() { --n; }
  } depth(nesting_);

  cStringBuilder out;
  switch (value.type()) {
    case Value::Type::Null:
      out.Append(QStringLiteral("null"));
      break;
    case Value::Type::Text:
      out.Append(value.AsText());
      break;
    case Value::Type::Boolean:
      out.Append(value.AsBoolean() ? QStringLiteral("true") : QStringLiteral("false"));
      break;
    case Value::Type::Dictionary: {
      const Dictionary &d = value.AsDictionary();
      for (int i = 1; i <= d.Count(); ++i) out.Append(RunCommand(d.KeyAt(i), d.ItemAt(i)));
      break;
    }
    case Value::Type::Collection: {
      const auto &c = value.AsCollection();
      for (int i = 1; i <= c.Count(); ++i) out.Append(ExecCommand(c.Item(i)));
      break;
    }
    case Value::Type::Number:
      out.Append(value.AsNumber().ToText().replace(',', '.'));
      break;
    case Value::Type::Empty:
      break;
  }
  return out.toString();
}

QString cJSONScript::Param(const Dictionary &params, const QString &key) {
  return ExecCommand(params.Item(key));
}

QString cJSONScript::RunCommand(const QString &name, const Value &value) {
  // A text is the command's argument; anything else must be its object of parameters.
  if (!value.IsText() && !value.IsDictionary() && !value.IsCollection())
    throw JsonScriptError(kObjectRequired);
  const QString cmd = name.toLower();
  if (NeedsParams(cmd)) {
    if (value.IsText()) throw JsonScriptError(kObjectRequired);
    if (value.IsCollection()) throw JsonScriptError(kInvalidArgument);
  }
  const Dictionary &p = value.AsDictionary();

  if (cmd == u"alert") {
    const QString message = Param(p, "message");
    const QString title = Param(p, "title");
    orv::dialogs::MsgBox(message, orv::dialogs::kInformation, title);
    return QString();
  }
  if (cmd == u"input") {
    const QString prompt = Param(p, "prompt");
    const QString title = Param(p, "title");
    const QString def = Param(p, "default");
    return orv::dialogs::InputBox(prompt, title, def).value_or(QString());
  }
  if (cmd == u"switch") {
    const QString wanted = Param(p, "case").toLower();
    const auto &items = p.Item("items").AsCollection();
    for (int i = 1; i <= items.Count(); ++i) {
      const Value &item = items.Item(i);
      if (!item.IsDictionary()) continue;
      if (ExecCommand(item["case"]).toLower() == wanted) return ExecCommand(item["return"]);
    }
    return Param(p, "default");
  }
  if (cmd == u"set") {
    const QString key = Param(p, "name");
    variables_.insert(key, Param(p, "value"));
    return QString();
  }
  if (cmd == u"get") {
    const QString stored = variables_.value(Param(p, "name"));
    return stored.isEmpty() ? Param(p, "default") : stored;
  }
  if (cmd == u"if") {
    const QString a = Param(p, "value1");
    const QString b = Param(p, "value2");
    const QString type = Param(p, "type").toLower();
    bool result = false;
    if (type == u"eq") result = a.compare(b, Qt::CaseInsensitive) == 0;
    else if (type == u"gt") result = a.compare(b) > 0;
    else if (type == u"lt") result = a.compare(b) < 0;
    else if (type == u"gte") result = a.compare(b) >= 0;
    else if (type == u"lte") result = a.compare(b) <= 0;
    return Param(p, result ? "true" : "false");
  }
  if (cmd == u"return") return value.AsText();

  // Any other command is passed on as a tag for whoever reads the output.
  QString args;
  if (value.IsText()) {
    args = value.AsText();
  } else if (value.IsDictionary()) {
    for (int i = 1; i <= p.Count(); ++i) {
      if (i > 1) args += ',';
      args += ExecCommand(p.ItemAt(i));
    }
  }
  return "<%" + name.toUpper() + "(" + args + ")%>";
}
