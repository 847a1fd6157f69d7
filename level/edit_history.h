// The undo history of the level being edited: every change of a cell as
// (plane, cell, old value, new value), and every change of the level's shape
// (a resize: its size, header and padding before and after), grouped into
// steps.
//
// Changes are recorded into an open step; closing it makes it one undoable
// step (a step with no change is no step). The history is a line of steps,
// the oldest first: those up to the current position are applied, those
// after it can be redone, and a new change drops them. Positions count every
// step ever applied, also those dropped from the oldest end to stay within
// the limits, so the position of the last read or save stays comparable: the
// level differs from its file exactly when the position is not the saved one
// (or a step is open). A saved position whose steps were dropped as redo
// steps can never come back.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>

#include "level/level.h"

namespace tessaly {

enum class PlaneKind : uint8_t { Tile, Object };

// One change, 12 bytes: the plane, column and row packed into one word.
struct CellChange {
    uint32_t where = 0;
    int32_t before = 0;
    int32_t after = 0;
};

constexpr std::size_t kHistoryStepLimit = 100000;
constexpr std::size_t kHistoryByteLimit = std::size_t(64) << 20;

// A resize. In `changes` it is a marker whose `before` is its number, counted
// over the whole history; `shapes` holds the kept ones from `firstShape` on.
struct ShapeChange {
    LevelShape before, after;
};

struct EditHistory {
    std::deque<CellChange> changes; // the kept steps' changes in order, then the open step's
    std::deque<ShapeChange> shapes;
    int64_t firstShape = 0;
    std::deque<uint32_t> stepSizes; // changes in each kept step, oldest first
    std::size_t applied = 0;        // kept steps applied; the rest can be redone
    std::size_t appliedChanges = 0; // changes of the applied steps
    std::size_t openChanges = 0;    // changes of the open step
    int64_t dropped = 0;            // steps dropped from the oldest end
    int64_t savedPosition = 0;      // position of the last read or save; -1: gone
};

// Starts an empty history whose position is the saved one.
void clearHistory(EditHistory& history);

// Records a change into the open step; a change to the same value is none.
void recordChange(EditHistory& history, PlaneKind plane, int column, int row, int32_t before,
                  int32_t after);
// Records a change of the level's shape into the open step.
void recordShapeChange(EditHistory& history, const LevelShape& before, const LevelShape& after);
// Ends the open step; then drops the oldest steps beyond the limits.
void closeStep(EditHistory& history);

// Puts the old values of the last applied step back; false when there is
// none. An open step is closed first.
bool undoStep(EditHistory& history, Level& level);
// Applies the next undone step again; false when there is none.
bool redoStep(EditHistory& history, Level& level);

// The current position: the number of steps applied since the history began.
int64_t historyPosition(const EditHistory& history);
// The level as it is now is the one last read or written.
void markSaved(EditHistory& history);
// Whether the level differs from what was last read or written.
bool hasUnsavedEdits(const EditHistory& history);

// The memory the kept changes and steps take, as counted against the limit.
std::size_t historyBytes(const EditHistory& history);

} // namespace tessaly
