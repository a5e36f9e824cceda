#pragma once
// The start procedure: the updater hand-off, then the login form; after a login the main
// window carries the program.
class QWidget;

namespace orv::startup {

// Runs the start. Returns the main window a login opened (the caller runs the event loop
// while it is open), or nullptr when the program ends.
QWidget *Main();

}  // namespace orv::startup
