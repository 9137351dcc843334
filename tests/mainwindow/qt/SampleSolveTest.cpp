#include <QDir>
#include <QFile>

#include "MainWindowFixture.h"
#include "platform/QtConvert.h"
#include "puzzle/PuzzleFile.h"

namespace qw::test {
namespace {

// Types each shipped sample's solution, in word-list order, through the window's typing path.
class SampleSolveTest : public MainWindowTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(SampleSolveTest, TypingTheSolutionEndsInTheCongratulations)
{
    const QString source = QString(QW_SOURCE_DIR) + "/Puzzles/" + GetParam();
    const QString copy = QDir(puzzlesDir).filePath(GetParam());
    ASSERT_TRUE(QFile::copy(source, copy)) << source.toStdString();
    ASSERT_TRUE(form->OpenPuzzleFile(copy.toStdString()));
    const Puzzle& puzzle = form->CurrentPuzzle();
    ASSERT_GT(puzzle.LetterCount, 0);

    std::string solution;
    for (int32_t i = puzzle.FirstLetterOfClue(0); i != 0; i = puzzle.Letters[static_cast<size_t>(i)].Next)
        solution += puzzle.Letters[static_cast<size_t>(i)].Solution;
    ASSERT_EQ(static_cast<int32_t>(solution.size()), puzzle.LetterCount);
    // Typed in lower case: the solutions are in capitals, so the window upper-cases them.
    Type(FromAnsi(solution).toLower());

    EXPECT_TRUE(puzzle.IsSolved());
    ASSERT_EQ(prompts.Count(PromptKind::Exec), 1);
    EXPECT_EQ(prompts.calls.back().title, "qw::TCongratulationsForm");
    EXPECT_EQ(prompts.Count(PromptKind::Information), 0);
    EXPECT_TRUE(form->Recent().Entries().empty());

    // The progress survives a save and a reload.
    ASSERT_TRUE(form->SaveCurrent());
    EXPECT_TRUE(LoadPuzzle(copy.toStdString()).IsSolved());
}

INSTANTIATE_TEST_SUITE_P(Shipped, SampleSolveTest, ::testing::Values("Shakespeare.QWL", "Practice.QWL", "Classic.QWL"));

}  // namespace
}  // namespace qw::test
