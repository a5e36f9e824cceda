#include "print/cash_drawer_stub.h"

namespace {
int g_calls = 0;
}

void OpenCashDrawer() { ++g_calls; }
int OpenCashDrawerCalls() { return g_calls; }
