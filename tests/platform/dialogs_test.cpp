#include "platform/dialogs.h"

#include <gtest/gtest.h>

#include <QDialog>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

using namespace orv::dialogs;

namespace {

// Catches what the layer reports instead of failing the test.
struct CaptureFailures {
  QStringList messages;
  FailureHook previous;
  CaptureFailures() {
    previous = SetFailureHook([this](const QString &m) { messages << m; });
  }
  ~CaptureFailures() { SetFailureHook(previous); }
};

}  // namespace

// A small form that asks a question of its own when its OK button is pressed.
class frmAskName : public QDialog {
  Q_OBJECT
 public:
  frmAskName() {
    txtName = new QLineEdit(this);
    txtName->setObjectName("txtName");
    cmdOk = new QPushButton("확인", this);
    cmdOk->setObjectName("cmdOk");
    connect(cmdOk, &QPushButton::clicked, this, [this] {
      if (AskYesNo("저장할까요 ?", "저장")) accept();
    });
  }
  QLineEdit *txtName;
  QPushButton *cmdOk;
};

TEST(Dialogs, ScriptedAnswersComeInOrderAndAreLogged) {
  Script script;
  script.Yes().Input("1234").Cancel().InputCancel().No();

  EXPECT_EQ(MsgBox("정말 종료하시겠습니까 ?", kYesNo | kInformation, "종료확인"), Answer::Yes);
  Info("* 저장되었습니다 !", "확인");  // OK only: acknowledged without an answer
  EXPECT_EQ(InputBox("* 인증번호를 입력하세요...... ?", "인증번호", "0"), QString("1234"));
  EXPECT_EQ(MsgBox("오류번호 : 3\r\n오류내용 : x", kOkCancel | kCritical, "DB연결실패"),
            Answer::Cancel);
  EXPECT_EQ(InputBox("비밀번호 입력??", "비밀번호#2"), std::nullopt);
  EXPECT_FALSE(AskYesNo("칼럼 사이즈를 초기화할까요 ?", "", kQuestion));
  Plain("description");
  EXPECT_EQ(script.Remaining(), 0);

  struct Expect {
    Kind kind;
    Icon icon;
    Buttons buttons;
    QString title, text;
    Answer answer;
  };
  const Expect expected[] = {
      {Kind::MessageBox, Icon::Information, Buttons::YesNo, "종료확인", "정말 종료하시겠습니까 ?",
       Answer::Yes},
      {Kind::MessageBox, Icon::Information, Buttons::Ok, "확인", "* 저장되었습니다 !", Answer::Ok},
      {Kind::InputBox, Icon::None, Buttons::Ok, "인증번호", "* 인증번호를 입력하세요...... ?",
       Answer::Ok},
      {Kind::MessageBox, Icon::Critical, Buttons::OkCancel, "DB연결실패",
       "오류번호 : 3\r\n오류내용 : x", Answer::Cancel},
      {Kind::InputBox, Icon::None, Buttons::Ok, "비밀번호#2", "비밀번호 입력??", Answer::Cancel},
      {Kind::MessageBox, Icon::Question, Buttons::YesNo, "", "칼럼 사이즈를 초기화할까요 ?",
       Answer::No},
      {Kind::MessageBox, Icon::None, Buttons::Ok, "", "description", Answer::Ok},
  };
  ASSERT_EQ(script.Log().size(), std::size(expected));
  for (size_t i = 0; i < std::size(expected); ++i) {
    SCOPED_TRACE(i);
    const Shown &s = script.Log()[int(i)];
    EXPECT_EQ(s.kind, expected[i].kind);
    EXPECT_EQ(s.icon, expected[i].icon);
    EXPECT_EQ(s.buttons, expected[i].buttons);
    EXPECT_EQ(s.title, expected[i].title);
    EXPECT_EQ(s.text, expected[i].text);
    EXPECT_EQ(s.answer, expected[i].answer);
  }
  EXPECT_EQ(script.Log()[2].defaultText, "0");
  EXPECT_EQ(script.Log()[2].input, QString("1234"));
  EXPECT_EQ(script.Texts().size(), 5);
}

TEST(Dialogs, NewestScriptAnswersAndOlderOneResumes) {
  Script outer;
  outer.No();
  {
    Script inner;
    inner.Yes();
    EXPECT_TRUE(AskYesNo("a", "t"));
    EXPECT_EQ(inner.Log().size(), 1);
  }
  EXPECT_FALSE(AskYesNo("b", "t"));
  ASSERT_EQ(outer.Log().size(), 1);
  EXPECT_EQ(outer.Log()[0].text, "b");
}

// Whatever the script cannot answer is reported and gets the safe answer at once.
TEST(Dialogs, UnscriptedBoxesFailInsteadOfBlocking) {
  QElapsedTimer clock;
  clock.start();
  {
    CaptureFailures failures;
    EXPECT_EQ(MsgBox("no script at all", kYesNo, "t"), Answer::No);
    EXPECT_EQ(InputBox("no script", "t"), std::nullopt);
    EXPECT_EQ(failures.messages.size(), 2);
    EXPECT_TRUE(failures.messages[0].contains("no script at all"));
  }
  struct Case {
    const char *name;
    std::function<void(Script &)> prepare;
    std::function<void()> show;
  };
  const Case cases[] = {
      {"yes/no box with no answers left", [](Script &) {},
       [] { EXPECT_EQ(MsgBox("q", kYesNo, "t"), Answer::No); }},
      {"input box when a button answer is next", [](Script &s) { s.Yes().ExpectAllUsed(false); },
       [] { EXPECT_EQ(InputBox("p", "t"), std::nullopt); }},
      {"box when an input answer is next", [](Script &s) { s.Input("x").ExpectAllUsed(false); },
       [] { EXPECT_EQ(MsgBox("q", kOkCancel, "t"), Answer::Cancel); }},
      {"answer that is not one of the box's buttons",
       [](Script &s) { s.Ok().ExpectAllUsed(false); },
       [] { EXPECT_EQ(MsgBox("q", kYesNo, "t"), Answer::No); }},
      {"OK box when every OK must be scripted", [](Script &s) { s.StrictOk(); },
       [] { EXPECT_EQ(MsgBox("q", kOkOnly, "t"), Answer::Ok); }},
      {"answers left unused", [](Script &s) { s.Yes(); }, [] {}},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    CaptureFailures failures;
    {
      Script script;
      c.prepare(script);
      c.show();
    }
    EXPECT_EQ(failures.messages.size(), 1) << failures.messages.join(" | ").toStdString();
  }
  EXPECT_LT(clock.elapsed(), 5000);
}

TEST(Dialogs, ModalFormIsDrivenByItsHandler) {
  frmAskName form;
  Script script;
  script.Yes().OnForm("frmAskName", [](QWidget &w) {
    EXPECT_TRUE(w.isVisible());
    auto *txt = w.findChild<QLineEdit *>("txtName");
    ASSERT_NE(txt, nullptr);
    QTest::keyClicks(txt, "kim");
    QTest::mouseClick(w.findChild<QPushButton *>("cmdOk"), Qt::LeftButton);
  });
  EXPECT_EQ(ShowModal(form), QDialog::Accepted);
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(form.txtName->text(), "kim");
  // The form and then the question it asked.
  ASSERT_EQ(script.Log().size(), 2);
  EXPECT_EQ(script.Log()[0].kind, Kind::Form);
  EXPECT_EQ(script.Log()[0].text, "frmAskName");
  EXPECT_EQ(script.Log()[1].text, "저장할까요 ?");
}

TEST(Dialogs, FormFoundByObjectNameAndPlainWidgetsToo) {
  QWidget pane;
  pane.setObjectName("PcAnyFrm");
  bool ran = false;
  Script script;
  script.OnForm("PcAnyFrm", [&](QWidget &w) {
    ran = true;
    w.close();
  });
  EXPECT_EQ(ShowModal(pane), 0);
  EXPECT_TRUE(ran);
  EXPECT_FALSE(pane.isVisible());
}

TEST(Dialogs, FormsWithoutHandlerOrLeftOpenFail) {
  CaptureFailures failures;
  frmAskName form;
  {
    Script script;
    EXPECT_EQ(ShowModal(form), QDialog::Rejected);  // no handler: never shown
    EXPECT_FALSE(form.isVisible());
  }
  ASSERT_EQ(failures.messages.size(), 1);
  EXPECT_TRUE(failures.messages[0].contains("frmAskName"));
  {
    Script script;
    script.OnForm("frmAskName", [](QWidget &) {});
    EXPECT_EQ(ShowModal(form), QDialog::Rejected);
    EXPECT_FALSE(form.isVisible());  // closed for the handler
  }
  EXPECT_EQ(failures.messages.size(), 2);
}

// A dialog opened behind the layer's back is reported and closed by the watchdog.
TEST(Dialogs, RawModalDialogIsClosedNotWaitedFor) {
  CaptureFailures failures;
  QMessageBox box(QMessageBox::Information, "raw", "opened directly", QMessageBox::Ok);
  QElapsedTimer clock;
  clock.start();
  box.exec();
  EXPECT_LT(clock.elapsed(), 5000);
  ASSERT_EQ(failures.messages.size(), 1);
  EXPECT_TRUE(failures.messages[0].contains("outside the dialogs layer"));
}

#include "dialogs_test.moc"
