#pragma once
// How many processors the run may spread its conversions over.

namespace plotvale::platform {

// The processors online now (at least 1).
int onlineProcessors();

}  // namespace plotvale::platform
