#include "toolkit/messagebox.h"

#include <gtest/gtest.h>

namespace {

TEST(MessageBox, WithoutHandlerGivesTheDefaultAnswerAtOnce) {
  TMessageDlgHandler previous = SetMessageDlgHandler(nullptr);
  EXPECT_EQ(MessageDlg("info", mtInformation), mrOk);
  EXPECT_EQ(MessageDlg("error", mtError), mrOk);
  EXPECT_EQ(MessageDlg("sure?", mtConfirmation), mrNo);
  SetMessageDlgHandler(previous);
}

TEST(MessageBox, HandlerSeesTheTextAndAnswers) {
  std::string seen;
  TMsgDlgType seenType = mtInformation;
  TMessageDlgHandler previous =
      SetMessageDlgHandler([&](const std::string& text, TMsgDlgType type) {
        seen = text;
        seenType = type;
        return mrYes;
      });
  EXPECT_EQ(MessageDlg("Delete?", mtConfirmation), mrYes);
  EXPECT_EQ(seen, "Delete?");
  EXPECT_EQ(seenType, mtConfirmation);
  SetMessageDlgHandler(previous);
  EXPECT_EQ(MessageDlg("sure?", mtConfirmation), mrNo);
}

}  // namespace
