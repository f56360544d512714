#pragma once
// How freed memory goes back to the system.

namespace plotvale::platform {

// Keeps freed blocks of up to a large picture's size in the process for the
// next allocation instead of handing them back at once. A batch run makes
// and frees the same few picture-sized buffers for every file; handing each
// back lets the system clear fresh pages for the next file, a large share
// of a run's time.
void reuseFreedPictureMemory();

}  // namespace plotvale::platform
