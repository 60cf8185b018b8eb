#include "app/gui/tstartform.h"

#include <filesystem>

#include "app/tlomtak.h"
#include "app/tsite.h"
#include "app/tversion.h"
#include "engine/tcourse.h"
#include "engine/tcourses.h"
#include "engine/tsound.h"
#include "foundation/filetools.h"
#include "foundation/gui/draggedwindow.h"
#include "foundation/tenvironment.h"
#include "foundation/tinioptions.h"
#include "platform/clock.h"
#include "platform/filesystem.h"
#include "resources/windowparts.h"
#include "toolkit/codepage.h"
#include "toolkit/gui/action.h"
#include "toolkit/gui/application.h"
#include "toolkit/gui/blankimage.h"
#include "toolkit/gui/label.h"
#include "toolkit/gui/listbox.h"
#include "toolkit/gui/progressbar.h"
#include "toolkit/gui/screen.h"
#include "toolkit/gui/speedbutton.h"
#include "toolkit/gui/strings.h"
#include "toolkit/messagebox.h"
#include "toolkit/stringlist.h"
#include "users/tuser.h"

namespace {

constexpr char kLanguage[] = "Language";

}  // namespace

TStartForm::TStartForm(TComponent* Owner, TUser* User) : TMultilangForm(Owner), User(User) {
  Describe();
  Construct(User);
  // The training screen's sounds find the device open: opening it takes the time of a frame
  // or more, which the choice of a course covers.
  TSound::OpenDeviceAhead();
  // Its pixels too find memory mapped in: four screens' worth (the wallpaper, the next one
  // drawn ahead, the rest of the screen and the manual in front of it).
  PrepareBlankImagesAhead(size_t{4} * Screen->Width() * Screen->Height() * 4);
  lbUser->setCaption(User->getName());
  lbUser->setVisible(true);
  lbVersion->setCaption(getRoot()->getMessage("Version"));
  lbReleaseName->setCaption(TLomtak::Of(getRoot())->getVersion()->getReleaseName());

  lbLanguage->Items()->Clear();
  TStringList files;
  FindFiles(getRoot()->getEnvironment()->getCoursesDir(), "*.Base", false, files);
  // A FIFO or a device named like a course file is no course.
  for (int i = 0; i < files.Count(); ++i)
    if (FileSystem().Status(files.Strings(i)).Kind == TFileKind::Regular)
      lbLanguage->Items()->Add(std::filesystem::path(files.Strings(i)).stem().string());
  if (lbLanguage->Items()->Count() > 0) lbLanguage->setItemIndex(0);
  LoadState(User->getOptions(), "StartForm");
}

void TStartForm::CreateMessages() {
  AddMessage("Error.CourseNotFound", FromUtf8("Файл с курсом не найден"));
  AddMessage("Error.CourseNotLoaded", FromUtf8("Курс не удалось загрузить: его файл повреждён "
                                               "или не читается. Выберите другой курс."));
}

TCourse* TStartForm::SelectCourse() { return ShowModal() == mrOk ? Course : nullptr; }

void TStartForm::AfterLocalize() {
  sbSite->setCaption(TLomtak::Of(getRoot())->getSite()->getHost());
  lbCopy->setCaption("Lomtak: every line is made for you, from what you type.");
}

void TStartForm::acStartExecute(TObject*) {
  const int index = lbLanguage->ItemIndex();
  if (index < 0) return;
  const std::string name = lbLanguage->Items()->Strings(index);
  TCourses* courses = TLomtak::Of(getRoot())->getCourses();
  // A course file that came after the start is not in the catalogue yet.
  if (!courses->getCourse(name)) courses->AddNew();
  TCourse* chosen = courses->getCourse(name);
  if (!chosen) {
    // Its file has gone since the list was made.
    ShowMessage("Error.CourseNotFound");
    return;
  }
  acStart->setEnabled(false);
  setEnabled(false);
  setCursor(crHourGlass);
  lbCopy->setTop(lbCopy->Top() - 8);
  cgBaseLoading->setPosition(0);
  cgBaseLoading->setVisible(true);
  bool loaded = false;
  try {
    loaded = chosen->Load([this](int percent) { CALLBACK_LoadProgress(percent); });
  } catch (const TLoadStopped&) {
    // The program is ending: the course stays unloaded and the window goes with the rest.
    EndLoading();
    return;
  } catch (...) {
    EndLoading();
    throw;
  }
  if (!loaded) {
    EndLoading();
    MessageDlg(getMessage("Error.CourseNotLoaded") + "\r\n\r\n" + chosen->getErrorText(), mtError);
    return;
  }
  Course = chosen;
  setModalResult(mrOk);
}

void TStartForm::EndLoading() {
  cgBaseLoading->setVisible(false);
  lbCopy->setTop(lbCopy->Top() + 8);
  setCursor(crDefault);
  setEnabled(true);
  acStart->setEnabled(true);
}

void TStartForm::CALLBACK_LoadProgress(int percent) {
  cgBaseLoading->setPosition(percent);
  // A large base reports thousands of times a second: letting messages through at each report
  // made the load many times slower, and a termination signal waited for its end.
  const uint32_t now = Clock().TickCount();
  if (percent > 0 && percent < 100 && now - LastMessages < kMessageCadenceMs) return;
  LastMessages = now;
  Application->ProcessMessages();
  if (Application->Terminated()) throw TLoadStopped();
}

void TStartForm::acCloseExecute(TObject*) { Close(); }

void TStartForm::FormShow(TObject*) {
  const std::string seasonal = SeasonalPicture(Now());
  if (seasonal.empty()) return;
  try {
    ShowPhoto(imSplash, seasonal);
  } catch (...) {
    // The design picture stays.
  }
}

void TStartForm::FormDestroy(TObject*) { SaveState(User->getOptions(), "StartForm"); }

void TStartForm::FormMouseDown(TObject* Sender, TMouseButton Button, TShiftState, int X, int Y) {
  DragWithMainWindow(this, Sender, Button, X, Y);
}

void TStartForm::sbSiteClick(TObject*) {
  TLomtak::Of(getRoot())->getSite()->OpenURL(0, "StartForm");
}

void TStartForm::LoadState(TIniOptions* store, const std::string& section) {
  // With no course listed there is nothing to choose, and nothing is written.
  if (lbLanguage->Items()->Count() == 0) return;
  const int index = lbLanguage->Items()->IndexOf(store->ReadString(section, kLanguage, "English"));
  lbLanguage->setItemIndex(index >= 0 ? index : 0);
}

void TStartForm::SaveState(TIniOptions* store, const std::string& section) {
  const int index = lbLanguage->ItemIndex();
  if (index >= 0) store->WriteString(section, kLanguage, lbLanguage->Items()->Strings(index));
}

std::string TStartForm::SeasonalPicture(TDateTime moment) {
  const TDateTimeParts at = DecodeDateTime(moment);
  if ((at.Month == 12 && at.Day >= 25) || (at.Month == 1 && at.Day == 1)) return "VISUAL_NEWYEAR";
  if ((at.Month == 10 && at.Day == 31) || (at.Month == 11 && at.Day == 1 && at.Hour <= 6))
    return "VISUAL_HALLOWEEN";
  if (at.Month == 2 && at.Day == 14) return "VISUAL_VALENTINE";
  return "";
}
