#include "window/update_bridge.h"

#include "window/user_prompts.h"
#include "window/window_session.h"

namespace plotvale::window {

// Without the update module the check can never reach the server, which the
// user learns the way a failed check tells it.
void checkForUpdateFromWindow(QWidget* parent, UserPrompts& prompts, WindowSession&) {
    prompts.warn(parent, uiText("Msg", "Check for Updates"), uiText("Msg", "Internet connection problems"));
}

void offerPeriodicUpdateFromWindow(QWidget*, UserPrompts&, WindowSession&) {}

}  // namespace plotvale::window
