// The window description of the training screen.

#include "app/gui/tsessionform.h"
#include "resources/pictures/picture.h"
#include "toolkit/gui/action.h"
#include "toolkit/gui/description.h"
#include "toolkit/gui/listbox.h"
#include "toolkit/gui/panel.h"
#include "toolkit/gui/timer.h"
#include "toolkit/gui/trayicon.h"

namespace {

// The status lines in the status line's markup, placeholders in square brackets: the key help,
// and the run's figures with the clock.
const char* const StatusLines[] = {
    "<color value=#EEEEEE>F1:</color>Info  <color value=#EEEEEE>F2:</color>Metronome  "
    "<color value=#EEEEEE>F3:</color>Keyboard  <color value=#EEEEEE>F4:</color>Status Bar  "
    "<color value=#EEEEEE>F5:</color>Theme  <color value=#EEEEEE>F6:</color>Online  "
    "<color value=#EEEEEE>F9:</color>Statistics  <color value=#EEEEEE>F10:</color>About  "
    "<color value=#EEEEEE>PgUp/PgDn:</color>Metronome Tempo [[METRONOME_TEMPO]]<space>"
    "<color value=#EEEEEE>Esc:</color>Exit",
    "<color value=#EEEEEE>[USERNAME]</color><space/>   Max Proficiency: "
    "<color value=#EEEEEE>[MAX_PROQ_CPM]</color>cpm / <color value=#EEEEEE>[MAX_PROQ_WPM]</color>"
    "wpm   Tasks Completed: <color value=#EEEEEE>[TASKS_COUNT]</color>   Chars Typed: "
    "<color value=#EEEEEE>[CHARS_COUNT]</color>   Time Spent On Tasks: "
    "<color value=#EEEEEE>[TASKS_TIME]</color>min.   <color value=#EEEEEE>[HH]:[MM]</color>",
};

}  // namespace

void TSessionForm::Describe() {
  setName("SessionForm");
  setBorderStyle(bsNone);
  setColor(clBlack);
  setCaption(" ");
  SetBounds(324, 446, 370, 248);
  OnShow = [this](TObject* sender) { FormShow(sender); };
  OnActivate = [this](TObject* sender) { FormActivate(sender); };
  OnDeactivate = [this](TObject* sender) { FormDeactivate(sender); };
  OnHide = [this](TObject* sender) { FormHide(sender); };
  OnDestroy = [this](TObject* sender) { FormDestroy(sender); };

  pnBasePanel = NewControl<TPanel>(this, this, "pnBasePanel", 0, 0, 370, 248);
  pnBasePanel->setBevelOuter(bvNone);
  pnBasePanel->setColor(0x3C2C2B);

  pnWorkPanel = NewControl<TPanel>(this, pnBasePanel, "pnWorkPanel", 0, 0, 370, 248);
  pnWorkPanel->setBevelOuter(bvNone);

  lbStatusBar = NewControl<TListBox>(this, this, "lbStatusBar", 0, 0, 120, 40);
  lbStatusBar->setVisible(false);
  for (const char* line : StatusLines) lbStatusBar->Items()->Add(line);

  ActionList = NewComponent<TActionList>(this, "ActionList");
  const auto action = [this](const char* name, void (TSessionForm::*handler)(TObject*)) {
    TAction* made = NewComponent<TAction>(ActionList, name);
    made->OnExecute = [this, handler](TObject* sender) { (this->*handler)(sender); };
    return made;
  };
  actExit = action("actExit", &TSessionForm::actExitExecute);
  actShowHideKeyboard = action("actShowHideKeyboard", &TSessionForm::actShowHideKeyboardExecute);
  actShowAbout = action("actShowAbout", &TSessionForm::actShowAboutExecute);
  actOnOffMetronome = action("actOnOffMetronome", &TSessionForm::actOnOffMetronomeExecute);
  actMetronomeUp = action("actMetronomeUp", &TSessionForm::actMetronomeUpExecute);
  actMetronomeDown = action("actMetronomeDown", &TSessionForm::actMetronomeDownExecute);
  actShowStatistic = action("actShowStatistic", &TSessionForm::actShowStatisticExecute);
  actNewTask = action("actNewTask", &TSessionForm::actNewTaskExecute);
  actToTray = action("actToTray", &TSessionForm::actToTrayExecute);
  actCompileWorkspace = action("actCompileWorkspace", &TSessionForm::actCompileWorkspaceExecute);
  actShowIntroduction = action("actShowIntroduction", &TSessionForm::actShowIntroductionExecute);
  actStatusBarUpdate = action("actStatusBarUpdate", &TSessionForm::actStatusBarUpdateExecute);
  actStatusBarTurn = action("actStatusBarTurn", &TSessionForm::actStatusBarTurnExecute);
  actChangeTheme = action("actChangeTheme", &TSessionForm::actChangeThemeExecute);
  actShowOnline = action("actShowOnline", &TSessionForm::actShowOnlineExecute);
  actRestartTask = action("actRestartTask", &TSessionForm::actRestartTaskExecute);

  LoadPicture(Icon(), "PROGRAM_ICON");
  RxTrayIcon = NewComponent<TTrayIcon>(this, "RxTrayIcon");
  RxTrayIcon->setHint("Lomtak");
  RxTrayIcon->Icon()->Assign(*Icon());
  RxTrayIcon->OnClick = [this](TObject* sender) { RxTrayIconClick(sender); };

  UpdateTimer = NewComponent<TTimer>(this, "UpdateTimer");
  UpdateTimer->setInterval(1000);
  UpdateTimer->OnTimer = [this](TObject* sender) { actStatusBarUpdateExecute(sender); };
}
