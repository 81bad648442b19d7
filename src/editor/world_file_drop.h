#pragma once
// What a drag onto the main window carries: the one local world file it may load.
#include <string>

class QMimeData;

// The path of the world file a drag carries: exactly one URL, a local file, named
// *.wld in any case, that exists as a file. Anything else (several files, a folder, a
// web address, text, another kind of file) gives the empty string and is refused.
std::string droppedWorldFile(const QMimeData* data);
