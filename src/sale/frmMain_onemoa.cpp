// The OneMoa loyalty service's members of the sale screen. The service itself comes with
// the customers and points work; until then a shop without a OneMoa client code (the
// default) sees no difference, and one with a code is told the service is not connected.
#include <QLabel>

#include "core/values.h"
#include "sale/frmMain.h"
#include "sale/sale_globals.h"

void frmMain::ClearOneMoa() {
  gsOneMoaFindKey.clear();
  gsOneMoaPersonCode.clear();
  gsOneMoaPersonName.clear();
  giOneMoaCardKey = 0;
  gcOneMoaUsingPoint = {};
  OneMoaNoLbl->clear();
  OneMoaPointLbl->clear();
}

void frmMain::ReadCstOneMoa(const QString &memberKey) {
  if (gsOneMoaClientCode.isEmpty()) return;
  gsOneMoaFindKey = memberKey.trimmed();
}

void frmMain::ShowOneMoaNo() {
  OneMoaNoLbl->setText(gsOneMoaPersonCode.isEmpty() ? QString() : MaskText(gsOneMoaPersonCode));
}

bool frmMain::SendOneMoaChit(const QString &) { return false; }

bool frmMain::WriteOneMoaChit() { return gsOneMoaClientCode.isEmpty(); }

bool frmMain::DeleteOneMoaChit(orv::Currency) { return gsOneMoaClientCode.isEmpty(); }
