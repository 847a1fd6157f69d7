// Recovery copies: while the level has unsaved edits, a copy of it is written
// every 30 seconds of program time into the user's state folder, so that a
// crash or a killed process loses at most that much.
//
// A level with a file name has its copy named after the file's base name and
// a hash of its full path ("LEVEL01-<hash>.CK1"), with a side file
// ("LEVEL01-<hash>.CK1.info") of "key: value" lines: the full path (bytes
// below 0x20, 0x7F and '%' written as %XX, so that any name fits on a line),
// the time of the copy, the process that wrote it (id, start and machine)
// and the level file the edits were made to, as the editor last read or
// wrote it (its identity, see FileIdentity). The copy is removed when the
// level is saved, when the user discards the edits, and when the program ends
// normally with nothing unsaved.
//
// When the editor opens a level that has a copy, also when the file itself no
// longer opens, it offers to restore it, saying when the file changed after
// the copy was made. Not offered are copies of another editor that still runs
// (it may still save or discard them) and copies that are not a whole level:
// those are told once, marked so in their side file and left for the user to
// look at. A copy the user neither restores nor discards is kept as it is,
// and copies of the new edits get a new name beside it
// ("LEVEL01-<hash>-2.CK1"); the newest is the one offered.
//
// A level with no file name gets one copy per editor start,
// "unnamed-YYYY-MM-DD-HHMMSS" plus the game's extension, the time of that
// editor start. It is never offered and never removed: it is a level file the
// user can open.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "hosts/host.h"

namespace tessaly {

struct Program;

constexpr int64_t kRecoveryIntervalMs = 30000;

struct RecoveryState {
    std::string folder;       // where copies go; "" when there is no such folder
    std::string copyPath;     // this editor start's copy, once written
    bool copyUnnamed = false; // the copy is the one of a level with no file name
    std::string unnamedName;  // the copy's name for a level with no file name
    int64_t dueAt = -1;       // program time of the next copy; -1 while nothing is unsaved
    bool writeFailureTold = false;
};

// "YYYY-MM-DD HH:MM:SS" in the clock's local time.
std::string formatDateTime(const WallClock& clock);

// The name of the copy for a level file at `fullPath`; `number` 1 is the
// first copy, 2 and up the ones made beside a kept copy.
std::string recoveryCopyName(const std::string& fullPath, int number);

// The name the old bytes of the level file at `fileName` take in the
// recovery folder while the file is written in place (LEVEL01-<hash>.CK1.before-save).
std::string inPlaceBackupName(const std::string& fileName);

// The recovery folder, made when missing; "" when there is none, with `why`
// (when given) telling the user why.
std::string recoveryFolder(Program& program, std::string* why = nullptr);

// At every editor start, before the level is opened.
void startRecovery(Program& program);
// After the level is opened: when the file the user asked for (`askedPath`,
// whether it opened or not) has a recovery copy, asks whether to restore it
// and acts on the answer. A restored level takes that file name.
void offerRecovery(Program& program, const std::string& askedPath);
// Once per editor-loop pass: writes the copy when it is due.
void tickRecovery(Program& program);
// The edits are saved or discarded: this start's copy of a named level goes.
void removeRecoveryCopy(Program& program);

} // namespace tessaly
