#pragma once
// What every network branch of the card approval shares.
#include <QList>
#include <QPair>
#include <QString>
#include <cstdint>

#include "core/currency.h"

class frmCardChk;

// The next request number after last: 1 after 999999 (and for 0 or less).
orv::Currency NextCardCount(orv::Currency last);
// Raises gcSetCdCount and saves it, shows the sign frame with its prompt white and hides the
// networks' components. False (nothing may be sent) when the number could not be saved.
bool StartNetworkBranch(frmCardChk &form);
// The signature prompt of a request whose amount needs one.
void AskForSignature(frmCardChk &form);
// Keeps the barcode of an approved barcode payment; a failure is named after the dialog.
void KeepBarcode(frmCardChk &form);

// First Data: whether a reply code approves (digits only, value 0), and a request's inputs.
bool FdkCodeApproves(const QString &code);
QList<QPair<QString, QString>> FdkApprovalInputs(int16_t payKind, orv::Currency reqGum,
                                                 orv::Currency taxGum, const QString &months,
                                                 const QString &barcode);
