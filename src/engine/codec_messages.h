#pragma once
// Some codec libraries under FreeImage print warnings straight to stderr
// (libtiff does, for example for the legacy Deflate identifier). The engine
// reports only through its results, so those messages are switched off.

namespace plotvale::engine {

// Idempotent and thread-safe; called before the first encode.
void silenceCodecMessages();

}  // namespace plotvale::engine
