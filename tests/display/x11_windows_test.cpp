// Closing other programs' windows by title on X11: run in a child under a virtual X
// server, with windows made on a connection of their own.
#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <QWidget>
#include <cstdlib>
#include <cstring>

#include "core/helpers.h"

namespace {

xcb_atom_t Atom(xcb_connection_t *c, const char *name) {
  auto *r = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(strlen(name)), name), nullptr);
  const xcb_atom_t a = r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
  free(r);
  return a;
}

xcb_window_t TitledWindow(xcb_connection_t *c, xcb_screen_t *s, const char *title) {
  const xcb_window_t w = xcb_generate_id(c);
  xcb_create_window(c, XCB_COPY_FROM_PARENT, w, s->root, 0, 0, 100, 50, 0,
                    XCB_WINDOW_CLASS_INPUT_OUTPUT, s->root_visual, 0, nullptr);
  xcb_change_property(c, XCB_PROP_MODE_REPLACE, w, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8,
                      uint32_t(strlen(title)), title);
  const xcb_atom_t del = Atom(c, "WM_DELETE_WINDOW");
  xcb_change_property(c, XCB_PROP_MODE_REPLACE, w, Atom(c, "WM_PROTOCOLS"), XCB_ATOM_ATOM, 32, 1,
                      &del);
  xcb_map_window(c, w);
  return w;
}

}  // namespace

TEST(X11Windows, ClosesOtherProgramsWindowsWhoseTitleHoldsTheText) {
  if (qEnvironmentVariableIsSet("ORVPOS_X11_CHILD")) GTEST_SKIP() << "the child's own run";
  const QString xvfb = QStandardPaths::findExecutable("xvfb-run");
  if (xvfb.isEmpty()) GTEST_SKIP() << "no xvfb-run: no X server to try on";
  QProcess child;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("ORVPOS_X11_CHILD", "1");
  env.insert("QT_QPA_PLATFORM", "xcb");
  child.setProcessEnvironment(env);
  child.setProcessChannelMode(QProcess::MergedChannels);
  child.start(xvfb, {"-a", QCoreApplication::applicationFilePath(),
                     "--gtest_filter=X11WindowsChild.*"});
  ASSERT_TRUE(child.waitForFinished(60000));
  const QString out = QString::fromUtf8(child.readAll());
  if (out.contains("could not connect to display") || out.contains("xkbcommon"))
    GTEST_SKIP() << "no X server here: " << out.toStdString();
  EXPECT_EQ(child.exitCode(), 0) << out.toStdString();
  EXPECT_TRUE(out.contains("[  PASSED  ] 1 test")) << out.toStdString();
}

TEST(X11WindowsChild, Run) {
  if (!qEnvironmentVariableIsSet("ORVPOS_X11_CHILD")) GTEST_SKIP() << "run by the test above";
  xcb_connection_t *c = xcb_connect(nullptr, nullptr);
  ASSERT_EQ(xcb_connection_has_error(c), 0);
  xcb_screen_t *s = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
  const xcb_window_t hit = TitledWindow(c, s, "x TeamViewer.exe y");
  const xcb_window_t miss = TitledWindow(c, s, "teamviewer.exe");
  xcb_flush(c);
  QWidget ours;
  ours.setWindowTitle("our TeamViewer.exe");
  ours.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&ours));

  CloseWindowByTitle("TeamViewer.exe");
  EXPECT_FALSE(ours.isVisible());
  QList<xcb_window_t> asked;
  QElapsedTimer t;
  t.start();
  while (t.elapsed() < 1000) {
    while (xcb_generic_event_t *e = xcb_poll_for_event(c)) {
      if ((e->response_type & 0x7f) == XCB_CLIENT_MESSAGE)
        asked << reinterpret_cast<xcb_client_message_event_t *>(e)->window;
      free(e);
    }
    if (!asked.isEmpty()) break;
    QTest::qWait(20);
  }
  EXPECT_EQ(asked, QList<xcb_window_t>{hit});
  EXPECT_FALSE(asked.contains(miss));
  xcb_disconnect(c);
}
