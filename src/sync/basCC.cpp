#include "sync/basCC.h"

void ShowMsgRecvCst() {}
void ShowMsgSendCst() {}
