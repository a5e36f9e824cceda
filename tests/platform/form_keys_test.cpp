#include "platform/form_keys.h"
#include "platform/keys.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTranslator>
#include <QVBoxLayout>

namespace {

// A form with a text box, a default button and a plain one, counting the presses.
struct Form {
  QDialog dlg;
  QLineEdit *box = new QLineEdit(&dlg);
  QPushButton *def = new QPushButton("기본", &dlg);
  QPushButton *other = new QPushButton("다른", &dlg);
  int defPressed = 0, otherPressed = 0;
  Form() {
    auto *lay = new QVBoxLayout(&dlg);
    lay->addWidget(box);
    lay->addWidget(def);
    lay->addWidget(other);
    def->setDefault(true);
    QObject::connect(def, &QPushButton::clicked, [this] { ++defPressed; });
    QObject::connect(other, &QPushButton::clicked, [this] { ++otherPressed; });
    formkeysInstalled();
    dlg.show();
    QApplication::setActiveWindow(&dlg);
  }
  static void formkeysInstalled() { orv::formkeys::InstallButtonEnter(*qApp); }
};

// Takes Enter itself, as a button with a key handler of its own does.
struct TakesEnter : QObject {
  bool eventFilter(QObject *, QEvent *e) override {
    if (e->type() != QEvent::KeyPress) return false;
    auto *k = static_cast<QKeyEvent *>(e);
    return k->key() == Qt::Key_Return;
  }
};

}  // namespace

TEST(FormKeys, EnterPressesTheFocusedButtonNeverADefaultOne) {
  for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
    Form f;
    f.other->setFocus();
    QTest::keyClick(f.other, key, key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
    EXPECT_EQ(f.otherPressed, 1) << key;
    EXPECT_EQ(f.defPressed, 0) << key;

    f.box->setFocus();
    QTest::keyClick(f.box, key);
    EXPECT_EQ(f.defPressed, 0) << "Enter in a text box pressed the default button";
    EXPECT_EQ(f.otherPressed, 1);
  }
}

TEST(FormKeys, AButtonThatTakesEnterItselfWins) {
  Form f;
  TakesEnter taker;
  f.other->installEventFilter(&taker);
  f.other->setFocus();
  QTest::keyClick(f.other, Qt::Key_Return);
  EXPECT_EQ(f.otherPressed, 0);
}

TEST(FormKeys, StandardButtonsSpeakTheCatalogueLanguage) {
  QString missing;
  if (!orv::formkeys::LoadKoreanCatalogue(*qApp, &missing))
    GTEST_FAIL() << "no Korean catalogue at " << missing.toStdString();
  // The expected text comes from the catalogue itself, not from a literal.
  QTranslator ref;
  ASSERT_TRUE(ref.load("qtbase_ko", QLibraryInfo::path(QLibraryInfo::TranslationsPath)));
  const QString ok = ref.translate("QPlatformTheme", "OK");
  ASSERT_FALSE(ok.isEmpty());
  QMessageBox box;
  box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
  EXPECT_EQ(box.button(QMessageBox::Ok)->text().remove('&'), QString(ok).remove('&'));
  EXPECT_NE(box.button(QMessageBox::Ok)->text(), "OK");
  EXPECT_EQ(box.button(QMessageBox::Cancel)->text().remove('&'),
            ref.translate("QPlatformTheme", "Cancel").remove('&'));
}

TEST(FormKeys, KeyPreviewSeesKeysFirstAndConsumesByZero) {
  QDialog form;
  auto *box = new QLineEdit(&form);
  new QVBoxLayout(&form);
  form.layout()->addWidget(box);
  QDialog other;  // another window: its keys are not previewed
  auto *otherBox = new QLineEdit(&other);
  QStringList seen;
  orv::formkeys::InstallKeyPreview(
      &form, {[&](int &vk, int shift) {
                seen << QString("down %1/%2").arg(vk).arg(shift);
                if (vk == orv::keys::vbKeyF1 + 1) vk = 0;
              },
              [&](int &ascii) {
                seen << QString("press %1").arg(QChar(ascii));
                if (ascii == 'x') ascii = 0;
                if (ascii == 'a') ascii = 'A';
              },
              [&](int &vk, int) { seen << QString("up %1").arg(vk); }});
  form.show();
  QApplication::setActiveWindow(&form);
  box->setFocus();

  QTest::keyClick(box, Qt::Key_F2);
  QTest::keyClick(box, 'x');
  QTest::keyClick(box, 'a');
  QTest::keyClick(box, 'b', Qt::ShiftModifier);
  EXPECT_EQ(box->text(), "Ab") << "x consumed, a replaced, b passed on";
  EXPECT_TRUE(seen.contains("down 113/0"));
  EXPECT_TRUE(seen.contains("press x"));
  EXPECT_TRUE(seen.contains("down 66/1"));
  EXPECT_TRUE(seen.contains("up 113"));
  // Each key is previewed once, although its parents see it too.
  EXPECT_EQ(seen.count("down 113/0"), 1);

  seen.clear();
  other.show();
  QApplication::setActiveWindow(&other);
  otherBox->setFocus();
  QTest::keyClick(otherBox, 'x');
  EXPECT_EQ(otherBox->text(), "x");
  EXPECT_TRUE(seen.isEmpty());
}
