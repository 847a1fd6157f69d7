// What the Windows file dialogs are given for a dialog request, as pure data
// so it is tested without a dialog.
#pragma once

#include <cstdint>
#include <string>

#include "hosts/host.h"

namespace tessaly {

// The filter in the dialogs' form: each description and pattern ended by a
// zero, and one more zero after the last pair:
// "Commander Keen 1 Levels, (*.ck1)\0*.ck1\0All Files, (*.*)\0*.*\0\0".
// A zero inside a text would cut the list short, so it is left out.
std::u16string dialogFilter(const DialogRequest& request);

// The OFN_ flags of each dialog. Both take only paths in existing folders;
// the open dialog takes only existing files, the save dialog also new names,
// and asks before overwriting a file when `askBeforeOverwriting`. (The
// extension a name typed without one gets is the dialog's default extension,
// not a flag.)
uint32_t openDialogFlags();
uint32_t saveDialogFlags(bool askBeforeOverwriting);

// Characters of the file name buffer: long enough for the longest path the
// system takes, so a deep path is never refused for its length.
constexpr std::size_t kDialogPathChars = 32768;

} // namespace tessaly
