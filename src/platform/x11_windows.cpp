#include "platform/x11_windows.h"

#include <xcb/xcb.h>

#include <QGuiApplication>
#include <cstdlib>
#include <functional>

namespace orv::x11 {

namespace {

xcb_atom_t Atom(xcb_connection_t *c, const char *name) {
  xcb_intern_atom_reply_t *r =
      xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(strlen(name)), name), nullptr);
  const xcb_atom_t a = r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
  free(r);
  return a;
}

// The property as text; nothing when the window has none.
bool Title(xcb_connection_t *c, xcb_window_t w, xcb_atom_t prop, xcb_atom_t type, bool utf8,
           QString &out) {
  xcb_get_property_reply_t *r =
      xcb_get_property_reply(c, xcb_get_property(c, 0, w, prop, type, 0, 1024), nullptr);
  if (!r) return false;
  const int len = xcb_get_property_value_length(r);
  const bool has = r->type != XCB_ATOM_NONE && len > 0;
  if (has) {
    const char *v = static_cast<const char *>(xcb_get_property_value(r));
    out = utf8 ? QString::fromUtf8(v, len) : QString::fromLatin1(v, len);
  }
  free(r);
  return has;
}

}  // namespace

int CloseWindowsByTitle(const QString &text, const QList<unsigned long> &skip) {
  auto *x = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  if (!x || !x->connection()) return -1;
  xcb_connection_t *c = x->connection();
  const xcb_atom_t netName = Atom(c, "_NET_WM_NAME"), utf8 = Atom(c, "UTF8_STRING"),
                   protocols = Atom(c, "WM_PROTOCOLS"), del = Atom(c, "WM_DELETE_WINDOW");
  int asked = 0;
  std::function<void(xcb_window_t, int)> walk = [&](xcb_window_t w, int depth) {
    QString title;
    if (!skip.contains(w) &&
        (Title(c, w, netName, utf8, true, title) ||
         Title(c, w, XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY, false, title)) &&
        title.left(255).contains(text, Qt::CaseSensitive)) {
      xcb_client_message_event_t e{};
      e.response_type = XCB_CLIENT_MESSAGE;
      e.format = 32;
      e.window = w;
      e.type = protocols;
      e.data.data32[0] = del;
      e.data.data32[1] = XCB_CURRENT_TIME;
      xcb_send_event(c, 0, w, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char *>(&e));
      ++asked;
    }
    if (depth > 8) return;  // top-level windows and their frames lie well above this
    xcb_query_tree_reply_t *t = xcb_query_tree_reply(c, xcb_query_tree(c, w), nullptr);
    if (!t) return;
    const xcb_window_t *kids = xcb_query_tree_children(t);
    const int n = xcb_query_tree_children_length(t);
    for (int i = 0; i < n; ++i) walk(kids[i], depth + 1);
    free(t);
  };
  for (xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(c)); it.rem;
       xcb_screen_next(&it))
    walk(it.data->root, 0);
  xcb_flush(c);
  return asked;
}

}  // namespace orv::x11
