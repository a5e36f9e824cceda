#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <stdexcept>

#include "core/application.h"
#include "core/daily_log.h"
#include "core/globals.h"
#include "core/pos_settings.h"
#include "core/state.h"
#include "platform/clock.h"
#include "platform/codepage.h"
#include "platform/db.h"
#include "platform/dialogs.h"
#include "test_support.h"

namespace {

using orv::dialogs::Script;

// A window with a half-typed entry and a button whose slot throws what the test sets.
struct Window {
  Window() {
    entry = new QLineEdit(&w);
    entry->setText("8801234567890");
    button = new QPushButton("OK", &w);
    button->move(0, 40);
    QObject::connect(button, &QPushButton::clicked, [this] {
      ++clicks;
      if (thrower) thrower();
    });
    w.show();
  }
  QWidget w;
  QLineEdit *entry;
  QPushButton *button;
  int clicks = 0;
  std::function<void()> thrower;
};

}  // namespace

TEST(ErrorBoundary, ExceptionFromASlotShowsTheBoxAndTheProgramGoesOn) {
  struct Case {
    std::function<void()> thrower;
    const char *text;
  };
  const Case cases[] = {
      {[] { throw orv::db::DbError(2627, QStringLiteral("중복된 키")); },
       "오류번호 : 2627\r\n오류내용 : 중복된 키"},
      {[] { throw std::runtime_error("port LPT1 failed"); },
       "오류번호 : 0\r\n오류내용 : port LPT1 failed"},
      {[] { throw 42; }, "오류번호 : 0\r\n오류내용 : 알 수 없는 오류"},
  };
  for (const Case &c : cases) {
    Window win;
    win.thrower = c.thrower;
    Script script;
    QTest::mouseClick(win.button, Qt::LeftButton);
    ASSERT_EQ(script.Log().size(), 1);
    EXPECT_EQ(script.Log()[0].text, QString::fromUtf8(c.text));
    EXPECT_EQ(script.Log()[0].icon, orv::dialogs::Icon::Critical);
    // The window and what was on it stay; the next click runs as before.
    EXPECT_TRUE(win.w.isVisible());
    EXPECT_EQ(win.entry->text(), "8801234567890");
    win.thrower = nullptr;
    QTest::mouseClick(win.button, Qt::LeftButton);
    EXPECT_EQ(win.clicks, 2);
  }
}

TEST(ErrorBoundary, TimersAndEventFiltersAreCoveredToo) {
  Script script;
  bool after = false;
  QTimer::singleShot(0, [] { throw orv::db::DbError(-1, "timer"); });
  QTimer::singleShot(0, [&] { after = true; });
  QTest::qWait(20);
  EXPECT_TRUE(after);

  Window win;
  struct Filter : QObject {
    bool eventFilter(QObject *, QEvent *e) override {
      if (e->type() == QEvent::KeyPress) throw std::runtime_error("filter");
      return false;
    }
  } filter;
  win.entry->installEventFilter(&filter);
  QTest::keyClick(win.entry, Qt::Key_1);
  EXPECT_EQ(script.Texts(), (QStringList{QStringLiteral("오류번호 : -1\r\n오류내용 : timer"),
                                         QStringLiteral("오류번호 : 0\r\n오류내용 : filter")}));
}

// The error boundary's daily log in a temporary folder, on 2024-01-30 09:05:07, POS 2.
class ErrorBoundaryLog : public ::testing::Test {
 protected:
  void SetUp() override {
    orv::state::ResetProgramState();
    orv::dailylog::SetDriveFolders(dir_->filePath("c"), dir_->filePath("l"));
    QDir().mkpath(dir_->filePath("c"));
    giSetLog = 1;
    giSetPosNo = 2;
    orv::clock::SetFixed(QDateTime(QDate(2024, 1, 30), QTime(9, 5, 7)));
  }
  void TearDown() override {
    orv::clock::Reset();
    orv::dailylog::SetDriveFolders({}, {});
    orv::state::ResetProgramState();
  }
  QString Log() const {
    QFile f(dir_->filePath("c/Pos/2/Log20240130.txt"));
    return f.open(QIODevice::ReadOnly) ? orv::codepage::Decode(f.readAll()) : QString();
  }
  std::unique_ptr<QTemporaryDir> dir_ = orvtest::MakeTempDir();
};

TEST_F(ErrorBoundaryLog, WritesTheDailyLogLine) {
  {
    Script script;
    orv::ReportUnhandled(std::make_exception_ptr(orv::db::DbError(547, "제약 위반")));
  }
  EXPECT_EQ(Log(),
            QStringLiteral("20240130,090507,2,0,99,오류번호 : 547 오류내용 : 제약 위반\r\n"));
}

// A signal emitted from code (click(), a handler's setText) does not pass the application
// object: the slot's own guard shows the box and writes the line; a side step that may fail
// writes the line only.
TEST_F(ErrorBoundaryLog, GuardedSlotsAndLoggedStepsWriteTheDailyLog) {
  QPushButton button;
  int runs = 0;
  QObject::connect(&button, &QPushButton::clicked, &button, orv::Guarded([&](bool checked) {
                     ++runs;
                     if (!checked) throw orv::db::DbError(547, "제약 위반");
                   }));
  {
    Script script;
    button.click();
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(script.Texts(), QStringList{QStringLiteral("오류번호 : 547\r\n오류내용 : 제약 위반")});
  }
  {
    Script script;  // no box for a logged step
    EXPECT_FALSE(orv::RunLogged("CheckComPrinter", [] { throw std::runtime_error("COM3 busy"); }));
    EXPECT_TRUE(orv::RunLogged("CheckComPrinter", [] {}));
    EXPECT_THROW(orv::RunLogged("x", [] { throw orv::ProgramEnding(); }), orv::ProgramEnding);
    EXPECT_TRUE(script.Log().isEmpty());
  }
  EXPECT_EQ(Log(),
            QStringLiteral("20240130,090507,2,0,99,오류번호 : 547 오류내용 : 제약 위반\r\n"
                           "20240130,090507,2,0,99,CheckComPrinter: 오류번호 : 0 오류내용 : COM3 busy\r\n"));
}
