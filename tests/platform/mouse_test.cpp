#include <gtest/gtest.h>

#include <QCursor>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

#include "platform/mouse.h"

TEST(MouseLeftClick, ClicksWhereThePointerIsOnlyOverTheWindow) {
  QWidget window, other;
  auto *button = new QPushButton("a", &window);
  (new QVBoxLayout(&window))->addWidget(button);
  window.setGeometry(100, 100, 200, 100);
  other.setGeometry(400, 100, 200, 100);
  window.show();
  other.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&other));
  int clicks = 0;
  QObject::connect(button, &QPushButton::clicked, [&] { ++clicks; });

  QCursor::setPos(button->mapToGlobal(button->rect().center()));
  orv::mouse::MouseLeftClick(window);
  EXPECT_EQ(clicks, 1);

  QCursor::setPos(other.mapToGlobal(other.rect().center()));
  orv::mouse::MouseLeftClick(window);
  EXPECT_EQ(clicks, 1) << "the pointer is over another window";
  EXPECT_EQ(QCursor::pos(), other.mapToGlobal(other.rect().center())) << "the pointer does not move";
}
