#include "print/drawer.h"

#include "print/basPrinter.h"

void OpenDrawer() { OpenCashDrawer(); }
