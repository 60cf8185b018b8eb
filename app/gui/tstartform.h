#pragma once
// The start window, between the login and the training screen: the user's name, the version,
// the release name, a large picture (a seasonal one on a few days of the year) and the courses
// of the courses folder. Starting a course loads it with a progress bar and closes the window
// with that course. Keeps the course last selected in the user's profile. Built for one pass
// of the training loop. User-interface thread only.

#include <cstdint>
#include <string>

#include "foundation/gui/tmultilangform.h"
#include "toolkit/datetime.h"

class TAction;
class TActionList;
class TCourse;
class TImage;
class TIniOptions;
class TLabel;
class TListBox;
class TProgressBar;
class TShape;
class TSpeedButton;
class TUser;

class TStartForm final : public TMultilangForm {
public:
  TStartForm(TComponent* Owner, TUser* User);

  // Shows the window modally: the chosen and loaded course, or none when it was closed.
  TCourse* SelectCourse();

  // The window description (resources/startform.cpp).
  TShape* spFormBorder = nullptr;
  TImage* imSplash = nullptr;
  TImage* imRightTx = nullptr;
  TLabel* lbReleaseName = nullptr;
  TLabel* lbCopy = nullptr;
  TProgressBar* cgBaseLoading = nullptr;
  TLabel* lbUser = nullptr;
  TShape* spLanguage = nullptr;
  TLabel* lbLearningLanguageTitle = nullptr;
  TListBox* lbLanguage = nullptr;
  TSpeedButton* lbStart = nullptr;
  TLabel* lbVersion = nullptr;
  TSpeedButton* sbSite = nullptr;
  TImage* imClose = nullptr;
  TActionList* ActionList = nullptr;
  TAction* acStart = nullptr;
  TAction* acClose = nullptr;

  void acStartExecute(TObject* Sender);
  void acCloseExecute(TObject* Sender);
  void FormShow(TObject* Sender);
  void FormDestroy(TObject* Sender);
  void FormMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void sbSiteClick(TObject* Sender);
  // The letter base's progress while the course loads: the bar follows, and the window
  // repaints, at most every 20 ms; once the program is ending it stops the load.
  void CALLBACK_LoadProgress(int percent);

  // Selects the stored "Language" (letter case ignored; "English" when none is stored), else
  // the first course.
  void LoadState(TIniOptions* store, const std::string& section);
  // Stores the selected course as "Language"; with no course listed nothing is stored.
  void SaveState(TIniOptions* store, const std::string& section);

  // The seasonal picture of that moment ("VISUAL_NEWYEAR", "VISUAL_HALLOWEEN",
  // "VISUAL_VALENTINE"), or "" on the other days.
  static std::string SeasonalPicture(TDateTime moment);

protected:
  void CreateMessages() override;
  void AfterLocalize() override;

private:
  // Thrown from the progress report to stop a load when the program ends.
  struct TLoadStopped {};
  static constexpr uint32_t kMessageCadenceMs = 20;

  void Describe();
  // Back to choosing after a load that raised.
  void EndLoading();

  TUser* User;
  TCourse* Course = nullptr;
  uint32_t LastMessages = 0;
};
