// The open and save dialog requests of each game: titles and filters, from
// the game table.
#pragma once

#include <string>
#include <string_view>

#include "hosts/host.h"

namespace tessaly {

// The request for a game id; the title is empty for an unknown id. The save
// request also gives the game's extension to names typed without one and
// asks before an existing file is overwritten.
DialogRequest openDialogRequest(std::string_view gameId);
DialogRequest saveDialogRequest(std::string_view gameId);

// Shows the game's open dialog, started in `folder`, and returns the chosen
// path, "" when cancelled. A chosen path makes its folder the one the next
// open dialog starts in. An unknown game id shows nothing and returns "".
std::string showOpenDialog(Host& host, std::string_view gameId, std::string& folder);
// Shows the game's save dialog for the level file `levelFile`: it starts in
// that file's folder with its name filled in, or in `folder` with no name
// when the level has no file. The chosen path, with the game's extension
// added when it has none, or "" when cancelled; its folder becomes the one
// the next open dialog starts in.
std::string showSaveDialog(Host& host, std::string_view gameId, std::string& folder,
                           const std::string& levelFile = {});

} // namespace tessaly
