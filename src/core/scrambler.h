#pragma once
// The connection settings are stored as digits, six per character, by a fixed
// reordering and shifting without a key, so any copy of the program reads any terminal's
// settings.
#include <QString>

// Plain text to scrambled digits (six times as long); the empty text stays empty.
QString EncodeSetting(const QString &plain);
// Scrambled digits back to the plain text; the empty text when the digits cannot have
// come from EncodeSetting (wrong length, other characters, a code that names no character).
QString DecodeSetting(const QString &scrambled);
