#pragma once
// Bounds a short-lived helper process puts on itself.

namespace plotvale::platform {

// Ends the process with `status` once `seconds` of wall-clock time have
// passed, whatever it is doing then.
void endProcessAfter(unsigned seconds, int status);

}  // namespace plotvale::platform
