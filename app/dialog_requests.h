// The open and save dialog requests of each game: titles and filters, from
// the game table.
#pragma once

#include <string>
#include <string_view>

#include "hosts/host.h"

namespace tessaly {

// The request for a game id; the title is empty for an unknown id.
DialogRequest openDialogRequest(std::string_view gameId);
DialogRequest saveDialogRequest(std::string_view gameId);

// Shows the game's dialog, started in `folder`, and returns the chosen path,
// "" when cancelled. A chosen path makes its folder the one the next dialog
// starts in, in either dialog. An unknown game id shows nothing and returns "".
std::string showOpenDialog(Host& host, std::string_view gameId, std::string& folder);
std::string showSaveDialog(Host& host, std::string_view gameId, std::string& folder);

} // namespace tessaly
