// current and current --follow: the preset active on the controller, as a line of text or of
// JSON; followed, one line each time it changes until Ctrl-C.
#pragma once

#include "cli/companion.h"

namespace orvel {

// "current preset: 37 (bank 3, preset 7)", or with --json its JSON object; flushed.
void ShowCurrentPreset(const Companion& c, int preset);

// Follows the controller Connect found: asks for its current preset five times a second and
// shows each change. When it stops answering (unplugged, switched off) a line says that it
// is gone, and the preset is asked for again once the same controller identifies itself
// once more: a line says it is back, and the preset follows. Ends on SIGINT or SIGTERM with
// exit status 0.
int FollowCurrentPreset(Companion& c);

}  // namespace orvel
