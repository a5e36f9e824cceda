#pragma once
// Other programs' top-level windows on X11: found by their title and asked to close.
#include <QList>
#include <QString>

namespace orv::x11 {

// Asks every window of the X11 display whose title (_NET_WM_NAME, else WM_NAME) contains
// text (exact case) to close, through WM_DELETE_WINDOW, skipping the windows listed (the
// program's own). How many were asked; -1 when the program does not run on X11 (Wayland,
// offscreen), which closes nothing.
int CloseWindowsByTitle(const QString &text, const QList<unsigned long> &skip = {});

}  // namespace orv::x11
