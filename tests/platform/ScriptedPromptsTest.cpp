#include "support/ScriptedPrompts.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace polvane {
namespace {

using ::testing::HasSubstr;

TEST(ScriptedPrompts, AnswersInOrderAndRecordsWhatWasAsked)
{
    ScriptedPrompts prompts;
    prompts.QueueAnswer(MessageAnswer::No);
    prompts.QueueText("Big screen");
    prompts.QueueSaveFile(std::nullopt);

    EXPECT_EQ(prompts.ShowMessage("Save changes?", "Quessel Polvane", MessageButtons::YesNoCancel,
                                  MessageIcon::Question, MessageAnswer::Yes),
              MessageAnswer::No);
    EXPECT_EQ(prompts.AskText("Please enter a name for this color preset:", "Quessel Polvane", "x"),
              "Big screen");
    FileDialogRequest save{"Save venue as...", "Venue file (*.venue)|*.venue", 1, "", "", "venue"};
    EXPECT_EQ(prompts.ChooseSaveFile(save), std::nullopt);
    EXPECT_EQ(prompts.QueuedAnswers(), 0u);

    const auto& asked = prompts.Requests();
    ASSERT_EQ(asked.size(), 3u);
    EXPECT_EQ(asked[0].kind, ScriptedPrompts::Kind::Message);
    EXPECT_EQ(asked[0].text, "Save changes?");
    EXPECT_EQ(asked[0].buttons, MessageButtons::YesNoCancel);
    EXPECT_EQ(asked[0].icon, MessageIcon::Question);
    EXPECT_EQ(asked[0].defaultButton, MessageAnswer::Yes);
    EXPECT_EQ(asked[1].defaultText, "x");
    EXPECT_EQ(asked[2].kind, ScriptedPrompts::Kind::SaveFile);
    EXPECT_EQ(asked[2].file, save);
    EXPECT_TRUE(asked[2].answered);
}

TEST(ScriptedPrompts, AQuestionWithoutItsAnswerFailsAtOnceNamingTheQuestion)
{
    ScriptedPrompts prompts;
    try {
        prompts.ShowMessage("This program was not previously shut down properly.", "Quessel Polvane");
        FAIL() << "an unscripted message box was answered";
    } catch (const ScriptedPrompts::Unscripted& e) {
        EXPECT_THAT(e.what(), HasSubstr("not previously shut down"));
    }
    ASSERT_EQ(prompts.Requests().size(), 1u);
    EXPECT_FALSE(prompts.Last().answered);

    prompts.QueueOpenFile("/tmp/a.venue");
    EXPECT_THROW(prompts.AskText("Name?", "t", ""), ScriptedPrompts::Unscripted) << "wrong kind";

    ScriptedPrompts boxes;
    boxes.QueueAnswer(MessageAnswer::Cancel);
    EXPECT_THROW(boxes.ShowMessage("Replace?", "t", MessageButtons::YesNo, MessageIcon::Question),
                 ScriptedPrompts::Unscripted)
        << "Cancel is not a button of a Yes/No box";
}

TEST(ScriptedPrompts, OkBoxesCanBeAnsweredWithoutScripting)
{
    ScriptedPrompts prompts;
    prompts.SetAnswerOkBoxes(true);
    prompts.QueueAnswer(MessageAnswer::Yes);
    EXPECT_EQ(prompts.ShowMessage("Note", "t"), MessageAnswer::Ok);
    EXPECT_EQ(prompts.ShowMessage("Replace?", "t", MessageButtons::YesNo), MessageAnswer::Yes);
    EXPECT_THROW(prompts.ShowMessage("Again?", "t", MessageButtons::YesNo), ScriptedPrompts::Unscripted);
    EXPECT_EQ(prompts.Requests().size(), 3u);
}

} // namespace
} // namespace polvane
