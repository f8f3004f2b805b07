#pragma once

// The legend "А&вто" fills in: the symbols the active mine actually has.

#include "core/printing/Passport.h"

class TMine;

namespace AutoLegend {

// Sets the print flags from the mine. Device symbols (indexes 0–8) are only shown for the
// fire-fighting pipeline (pipeIndex 0); the surface node when the mine has one; the pipe
// colours always.
void Fill(TSymbolTable& symbols, const TMine& mine, int pipeIndex);

}  // namespace AutoLegend
