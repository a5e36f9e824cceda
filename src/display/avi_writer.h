#pragma once
// A short movie of our own: coloured frames with a caption, as an uncompressed AVI
// (24-bit pictures, one stream, an index). The demo's advertising movie and the movie
// tests use it.
#include <QString>

namespace orv::display {

// width a multiple of 4. False when the file cannot be written.
bool WriteColourAvi(const QString &path, const QString &caption, int width, int height,
                    int frames, int framesPerSecond);

}  // namespace orv::display
