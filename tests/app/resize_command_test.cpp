// F7 around the resize itself: the view stays on the level after a shrink,
// and the question's default (Enter) keeps the level.
#include "app/resize_command.h"
#include "edit/operations.h"
#include "edit/resize.h"
#include "tests/app/app_fixture.h"

namespace tessaly::test {
namespace {

class ResizeCommand : public AppTest {
  protected:
    ResizeCommand() {
        level().width = 60;
        level().height = 50;
        for (int c = 1; c <= 60; ++c)
            for (int r = 1; r <= 50; ++r) setTileCell(level(), c, r, 1);
        editor->viewOriginColumn = 41;
        editor->viewOriginRow = 31;
    }
};

TEST_F(ResizeCommand, TheViewStaysOnTheLevelAfterAShrinkAndItsUndo) {
    host.sizeAnswers.push_back({true, 30, 25, int(Anchor::NW)});
    host.answers.push_back(0); // Resize
    resizeOrMakeLevel(*program);
    EXPECT_EQ(level().width, 30);
    EXPECT_EQ(editor->viewOriginColumn, 11);
    EXPECT_EQ(editor->viewOriginRow, 6);

    ASSERT_TRUE(undoEdit(*editor));
    EXPECT_EQ(level().width, 60);
    ASSERT_TRUE(redoEdit(*editor));
    EXPECT_EQ(level().height, 25);
}

TEST_F(ResizeCommand, TheQuestionsDefaultKeepsTheLevel) {
    host.sizeAnswers.push_back({true, 10, 10, int(Anchor::C)});
    host.answers.push_back(1); // Cancel
    resizeOrMakeLevel(*program);
    ASSERT_EQ(host.questions.size(), 1u);
    EXPECT_EQ(host.questions[0].answers[std::size_t(host.questions[0].defaultAnswer)], "Cancel");
    EXPECT_EQ(level().width, 60);
}

} // namespace
} // namespace tessaly::test
