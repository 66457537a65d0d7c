#pragma once
// "&Exportieren…" and Ctrl+C on the diagram: the pass the diagram shows in
// the formats other programs read, to a file or to the clipboard.
#include "handlers/programm.h"

namespace qzl {

// The save dialog with a filter per format, the last one used chosen; the
// file in the format of its extension, else of the filter.
void Exportieren1Click(Programm& p);
// The table (tsv, with the traces' columns) and the picture together.
void Kopieren1Click(Programm& p);

}  // namespace qzl
