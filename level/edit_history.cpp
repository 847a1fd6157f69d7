#include "level/edit_history.h"

namespace tessaly {

namespace {

constexpr uint32_t kObjectPlaneBit = 1u << 18;
// No cell packs to this: it marks a shape change.
constexpr uint32_t kShapeMarker = 0xFFFFFFFFu;

bool isShapeMarker(const CellChange& c) {
    return c.where == kShapeMarker;
}

const ShapeChange& shapeOfMarker(const EditHistory& h, const CellChange& c) {
    return h.shapes[std::size_t(int64_t(uint32_t(c.before)) - h.firstShape)];
}

uint32_t pack(PlaneKind plane, int column, int row) {
    return (plane == PlaneKind::Object ? kObjectPlaneBit : 0) | uint32_t(column) << 9 |
           uint32_t(row);
}

void put(Level& level, uint32_t where, int32_t value) {
    const int column = int(where >> 9 & 0x1FF), row = int(where & 0x1FF);
    if (where & kObjectPlaneBit) {
        setObjectCell(level, column, row, value);
    } else {
        setTileCell(level, column, row, value);
    }
}

bool insidePlanes(int column, int row) {
    return column >= 0 && column < kPlaneSize && row >= 0 && row < kPlaneSize;
}

void dropRedoSteps(EditHistory& h) {
    if (h.applied == h.stepSizes.size()) return;
    for (std::size_t i = h.appliedChanges; i < h.changes.size(); ++i)
        if (isShapeMarker(h.changes[i])) h.shapes.pop_back();
    h.changes.resize(h.appliedChanges);
    h.stepSizes.resize(h.applied);
    // The saved state was among the dropped steps: no undo or redo reaches it now.
    if (h.savedPosition > historyPosition(h)) h.savedPosition = -1;
}

void dropOldestBeyondLimits(EditHistory& h) {
    while (h.applied > 0 &&
           (h.stepSizes.size() > kHistoryStepLimit || historyBytes(h) > kHistoryByteLimit)) {
        const uint32_t n = h.stepSizes.front();
        h.stepSizes.pop_front();
        for (uint32_t i = 0; i < n; ++i) {
            if (!isShapeMarker(h.changes[i])) continue;
            h.shapes.pop_front();
            ++h.firstShape;
        }
        h.changes.erase(h.changes.begin(), h.changes.begin() + n);
        --h.applied;
        h.appliedChanges -= n;
        ++h.dropped;
    }
}

} // namespace

void clearHistory(EditHistory& history) {
    history = EditHistory{};
}

void recordChange(EditHistory& h, PlaneKind plane, int column, int row, int32_t before,
                  int32_t after) {
    if (before == after || !insidePlanes(column, row)) return;
    dropRedoSteps(h);
    h.changes.push_back({pack(plane, column, row), before, after});
    ++h.openChanges;
}

void recordShapeChange(EditHistory& h, const LevelShape& before, const LevelShape& after) {
    if (before == after) return;
    dropRedoSteps(h);
    const int64_t number = h.firstShape + int64_t(h.shapes.size());
    h.shapes.push_back({before, after});
    h.changes.push_back({kShapeMarker, int32_t(uint32_t(number)), 0});
    ++h.openChanges;
}

void closeStep(EditHistory& h) {
    if (h.openChanges == 0) return;
    h.stepSizes.push_back(uint32_t(h.openChanges));
    ++h.applied;
    h.appliedChanges += h.openChanges;
    h.openChanges = 0;
    dropOldestBeyondLimits(h);
}

// A step's changes are undone last first, so a cell changed twice in one
// step gets its first old value back.
bool undoStep(EditHistory& h, Level& level) {
    closeStep(h);
    if (h.applied == 0) return false;
    const uint32_t n = h.stepSizes[h.applied - 1];
    for (std::size_t i = h.appliedChanges; i > h.appliedChanges - n; --i) {
        const CellChange& c = h.changes[i - 1];
        if (isShapeMarker(c)) {
            setShape(level, shapeOfMarker(h, c).before);
        } else {
            put(level, c.where, c.before);
        }
    }
    --h.applied;
    h.appliedChanges -= n;
    return true;
}

bool redoStep(EditHistory& h, Level& level) {
    closeStep(h);
    if (h.applied == h.stepSizes.size()) return false;
    const uint32_t n = h.stepSizes[h.applied];
    for (std::size_t i = h.appliedChanges; i < h.appliedChanges + n; ++i) {
        const CellChange& c = h.changes[i];
        if (isShapeMarker(c)) {
            setShape(level, shapeOfMarker(h, c).after);
        } else {
            put(level, c.where, c.after);
        }
    }
    ++h.applied;
    h.appliedChanges += n;
    return true;
}

int64_t historyPosition(const EditHistory& h) {
    return h.dropped + int64_t(h.applied);
}

void markSaved(EditHistory& h) {
    closeStep(h);
    h.savedPosition = historyPosition(h);
}

bool hasUnsavedEdits(const EditHistory& h) {
    return h.openChanges > 0 || historyPosition(h) != h.savedPosition;
}

std::size_t historyBytes(const EditHistory& h) {
    return h.changes.size() * sizeof(CellChange) + h.stepSizes.size() * sizeof(uint32_t) +
           h.shapes.size() * sizeof(ShapeChange);
}

} // namespace tessaly
