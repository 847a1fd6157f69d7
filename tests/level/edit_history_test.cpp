#include "level/edit_history.h"

#include <gtest/gtest.h>

#include <memory>

namespace tessaly {
namespace {

// A level and its history, changed the way the editor changes cells.
struct Edited {
    std::unique_ptr<Level> level = std::make_unique<Level>();
    EditHistory history;

    void tile(int column, int row, int32_t value) {
        recordChange(history, PlaneKind::Tile, column, row, tileCell(*level, column, row), value);
        setTileCell(*level, column, row, value);
    }
    void object(int column, int row, int32_t value) {
        recordChange(history, PlaneKind::Object, column, row, objectCell(*level, column, row),
                     value);
        setObjectCell(*level, column, row, value);
    }
};

TEST(EditHistory, UndoAndRedoWalkWholeStepsBothPlanes) {
    Edited e;
    e.tile(3, 4, 7);
    e.object(3, 4, 255);
    e.tile(3, 4, 8); // the same cell twice in one step
    closeStep(e.history);
    e.tile(256, 256, 9); // the planes' last cell
    closeStep(e.history);

    ASSERT_TRUE(undoStep(e.history, *e.level));
    EXPECT_EQ(tileCell(*e.level, 256, 256), 0);
    EXPECT_EQ(tileCell(*e.level, 3, 4), 8);
    ASSERT_TRUE(undoStep(e.history, *e.level));
    EXPECT_EQ(tileCell(*e.level, 3, 4), 0); // its first old value
    EXPECT_EQ(objectCell(*e.level, 3, 4), 0);
    EXPECT_FALSE(undoStep(e.history, *e.level));

    ASSERT_TRUE(redoStep(e.history, *e.level));
    EXPECT_EQ(tileCell(*e.level, 3, 4), 8);
    EXPECT_EQ(objectCell(*e.level, 3, 4), 255);
    ASSERT_TRUE(redoStep(e.history, *e.level));
    EXPECT_EQ(tileCell(*e.level, 256, 256), 9);
    EXPECT_FALSE(redoStep(e.history, *e.level));

    // A new edit after an undo drops the steps that could be redone.
    ASSERT_TRUE(undoStep(e.history, *e.level));
    e.tile(1, 1, 5);
    closeStep(e.history);
    EXPECT_FALSE(redoStep(e.history, *e.level));
    EXPECT_EQ(tileCell(*e.level, 256, 256), 0);
}

TEST(EditHistory, StepsThatChangeNothingAreNoSteps) {
    Edited e;
    e.tile(2, 2, 0); // painting a cell with what it holds
    closeStep(e.history);
    EXPECT_FALSE(hasUnsavedEdits(e.history));
    EXPECT_FALSE(undoStep(e.history, *e.level));
    e.tile(300, 2, 4); // outside the planes: ignored by the level and the history
    closeStep(e.history);
    EXPECT_FALSE(hasUnsavedEdits(e.history));
}

TEST(EditHistory, UnsavedFollowsThePositionOfTheLastSave) {
    Edited e;
    EXPECT_FALSE(hasUnsavedEdits(e.history));
    e.tile(1, 1, 1);
    EXPECT_TRUE(hasUnsavedEdits(e.history)); // an open step counts at once
    closeStep(e.history);
    e.tile(1, 1, 2);
    markSaved(e.history); // closes the open step
    EXPECT_FALSE(hasUnsavedEdits(e.history));

    // Undoing past the save makes it unsaved, redoing back clears it again.
    undoStep(e.history, *e.level);
    EXPECT_TRUE(hasUnsavedEdits(e.history));
    redoStep(e.history, *e.level);
    EXPECT_FALSE(hasUnsavedEdits(e.history));

    // A saved state among dropped redo steps is never reached again.
    undoStep(e.history, *e.level);
    e.tile(5, 5, 5);
    closeStep(e.history);
    undoStep(e.history, *e.level);
    EXPECT_EQ(tileCell(*e.level, 1, 1), 1);
    EXPECT_TRUE(hasUnsavedEdits(e.history));
}

TEST(EditHistory, TheOldestStepsGoBeyondTheStepLimit) {
    Edited e;
    for (std::size_t i = 0; i < kHistoryStepLimit + 5; ++i) {
        e.tile(1 + int(i % 200), 1, int32_t(i + 1));
        closeStep(e.history);
    }
    EXPECT_EQ(e.history.stepSizes.size(), kHistoryStepLimit);
    EXPECT_EQ(historyPosition(e.history), int64_t(kHistoryStepLimit + 5));
    int undone = 0;
    while (undoStep(e.history, *e.level)) ++undone;
    EXPECT_EQ(undone, int(kHistoryStepLimit));
    // The five oldest steps are gone: their cells keep what the sixth found.
    EXPECT_EQ(tileCell(*e.level, 1, 1), 1);
    EXPECT_EQ(tileCell(*e.level, 5, 1), 5);
    EXPECT_EQ(tileCell(*e.level, 6, 1), 0);
    // The saved state (the empty level) was dropped: the level stays unsaved.
    EXPECT_TRUE(hasUnsavedEdits(e.history));
}

TEST(EditHistory, TheOldestStepsGoBeyondTheMemoryLimit) {
    Edited e;
    // Whole-plane steps of 257 x 257 cells, about 0.8 MB each.
    const std::size_t stepBytes = 257 * 257 * sizeof(CellChange) + sizeof(uint32_t);
    const std::size_t steps = kHistoryByteLimit / stepBytes + 3;
    for (std::size_t s = 0; s < steps; ++s) {
        for (int c = 0; c < kPlaneSize; ++c)
            for (int r = 0; r < kPlaneSize; ++r) e.tile(c, r, int32_t(s + 1));
        closeStep(e.history);
    }
    EXPECT_LE(historyBytes(e.history), kHistoryByteLimit);
    EXPECT_EQ(e.history.stepSizes.size(), kHistoryByteLimit / stepBytes);
    EXPECT_LT(sizeof(CellChange) + sizeof(uint32_t), 64u); // one one-cell step
}

} // namespace
} // namespace tessaly
