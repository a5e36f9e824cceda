#pragma once
// A synthetic left click where the pointer is: some card screens end an agent's exchange
// with one, as if the cashier had clicked.
class QWidget;

namespace orv::mouse {

// Presses and releases the left button at the pointer's position, without moving it. The
// click reaches only window or one of its children under the pointer; elsewhere nothing
// happens (another program's window never gets it).
void MouseLeftClick(QWidget &window);

}  // namespace orv::mouse
