#pragma once
// The point-server exchange of the sale screen: sending the queued member chits and
// downloading the shared customers into the local copy. Until that exchange is here, both
// do nothing.
void ShowMsgRecvCst();
void ShowMsgSendCst();
