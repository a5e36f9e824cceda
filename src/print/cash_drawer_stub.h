#pragma once
// Stand-in for the printer module's drawer pulse until the printer port lands; the
// printer module replaces this file with the real OpenCashDrawer.

// Opens the cash drawer behind the receipt printer. For now only counts the calls.
void OpenCashDrawer();
int OpenCashDrawerCalls();
