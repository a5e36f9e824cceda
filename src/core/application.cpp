#include "core/application.h"

#include "core/daily_log.h"
#include "platform/db.h"
#include "platform/dialogs.h"

namespace orv {

Application::Application(int &argc, char **argv) : QApplication(argc, argv) {}

bool Application::notify(QObject *receiver, QEvent *event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const ProgramEnding &) {
    return true;  // the loops are already told to end
  } catch (...) {
    ReportUnhandled(std::current_exception());
    return true;
  }
}

QString UnhandledErrorText(std::exception_ptr error) {
  long number = 0;
  QString description;
  try {
    std::rethrow_exception(error);
  } catch (const db::DbError &e) {
    number = e.Number;
    description = e.Description;
  } catch (const std::exception &e) {
    description = QString::fromLocal8Bit(e.what());
  } catch (...) {
    description = QStringLiteral("알 수 없는 오류");
  }
  return ErrorBoxText(number, description);
}

QString ErrorBoxText(long number, const QString &description) {
  return QStringLiteral("오류번호 : ") + QString::number(number) + QStringLiteral("\r\n오류내용 : ") +
         description;
}

QString ErrorBoxText(const std::exception &error) {
  if (auto *d = dynamic_cast<const db::DbError *>(&error)) return ErrorBoxText(d->Number, d->Description);
  return ErrorBoxText(0, QString::fromUtf8(error.what()));
}

void ReportUnhandled(std::exception_ptr error, const QString &title) {
  try {
    std::rethrow_exception(error);
  } catch (const ProgramEnding &) {
    return;  // not an error: the program is on its way out
  } catch (...) {
  }
  const QString text = UnhandledErrorText(error);
  qWarning("unhandled error: %s", qUtf8Printable(text));
  try {
    QString line = text;
    WriteLog(dailylog::kUnhandledError, line.replace(QLatin1String("\r\n"), QLatin1String(" ")));
  } catch (...) {
    // A log that cannot be written loses the line; the box still comes.
  }
  try {
    dialogs::Critical(text, title);
  } catch (...) {
  }
}

void LogAndGoOn(std::exception_ptr error, const QString &where) {
  try {
    std::rethrow_exception(error);
  } catch (const ProgramEnding &) {
    throw;
  } catch (...) {
  }
  QString line = where + QStringLiteral(": ") + UnhandledErrorText(error);
  line.replace(QLatin1String("\r\n"), QLatin1String(" "));
  qWarning("%s", qUtf8Printable(line));
  TryWriteLog(dailylog::kUnhandledError, line);
}

namespace {
EndProgramHook &endHook() {
  static EndProgramHook h;
  return h;
}
}  // namespace

EndProgramHook SetEndProgramHook(EndProgramHook hook) {
  return std::exchange(endHook(), std::move(hook));
}

void EndProgramNow(int code) {
  if (endHook())
    endHook()(code);
  else
    QCoreApplication::exit(code);
  throw ProgramEnding();
}

}  // namespace orv
