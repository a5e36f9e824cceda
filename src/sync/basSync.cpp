#include "sync/basSync.h"

#include <QLabel>
#include <QProgressBar>

void SendUnsentData(QLabel *stepLabel, QProgressBar *progress) {
  if (stepLabel) stepLabel->setText(QStringLiteral("* Send Start *"));
  if (progress) progress->setValue(0);
}

// Nothing is copied yet, so the copy date stays as it was.
bool CopyCodesByBcp() { return false; }
bool ShowMsgReceive() { return false; }
