#pragma once
// The cash drawer.

// Opens the cash drawer behind the receipt printer.
void OpenDrawer();
