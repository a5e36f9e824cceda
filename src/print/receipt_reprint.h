#pragma once
// Printing a receipt text file: its control lines turned back into printer bytes, the
// barcode of the identification number added when the terminal prints barcodes.
#include <QByteArray>
#include <QString>
#include <cstdint>

// Reads the file, builds one job and sends it. A file that cannot be read or a code
// that is no byte fails before anything is sent (std::runtime_error); port failures
// come as orv::printer_port::PortError.
void PrintReceiptFile(const QString &path, int16_t reprint);

namespace orv::print {
// The job for a file's bytes. printBarcode is giSetPrintBarcode, printModel giSetPrint
// (5 prints CODE128, others CODE93). Throws std::runtime_error for a code above FF.
QByteArray ReceiptFileJob(const QByteArray &file, int16_t reprint, int16_t printBarcode,
                          int16_t printModel);
// GS h 60, GS w 2, GS H 0, GS k m n and the data: the barcode line of an identification
// number, without its line end.
QByteArray IdBarcode(const QByteArray &number, int16_t printModel);
}  // namespace orv::print
