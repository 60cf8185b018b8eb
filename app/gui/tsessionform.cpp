#include "app/gui/tsessionform.h"

#include <algorithm>
#include <filesystem>
#include <thread>

#include "app/gui/taboutform.h"
#include "app/gui/tintroductionform.h"
#include "app/gui/tonlineform.h"
#include "app/gui/tuserstatisticform.h"
#include "app/sessionlayout.h"
#include "app/sessiontheme.h"
#include "app/tlomtak.h"
#include "engine/tcourse.h"
#include "engine/tmetronome.h"
#include "engine/tsound.h"
#include "engine/ttask.h"
#include "engine/ttaskstatistic.h"
#include "foundation/tenvironment.h"
#include "foundation/terror.h"
#include "foundation/tinioptions.h"
#include "foundation/tplaylist.h"
#include "foundation/wintools.h"
#include "platform/gui/bringtotop.h"
#include "platform/gui/thook.h"
#include "platform/gui/windowlock.h"
#include "platform/keycodes.h"
#include "toolkit/codepage.h"
#include "toolkit/gui/action.h"
#include "toolkit/gui/application.h"
#include "toolkit/gui/listbox.h"
#include "toolkit/gui/panel.h"
#include "toolkit/gui/screen.h"
#include "toolkit/gui/trayicon.h"
#include "toolkit/messagebox.h"
#include "users/tuser.h"
#include "views/tltkeyboard.h"
#include "views/tltstatusbar.h"
#include "views/tlttaskstatisticvisualizer.h"
#include "views/tlttaskvisualizer.h"
#include "views/twallpaper.h"

namespace {

// The course's name without its last extension: the name its ".Layout" and ".Info" files take.
std::string CourseBase(const TCourse* course) {
  return std::filesystem::path(course->getName()).replace_extension().string();
}

void Place(TControl* control, const TRect& rect) {
  control->SetBounds(rect.Left, rect.Top, rect.Width(), rect.Height());
}

// The training screen's views as the layout asks them to size themselves. A view asked again
// for the room it was fitted to last keeps its size: fitting measures fonts and renders, and at
// the end of a line only the task display's line has changed (the new line laid it out
// already). A new theme or font forgets what was fitted, and every view fits anew.
class TSessionViews : public TWorkspaceViews {
public:
  TSessionViews(TPanel* base, TPanel* work, TLTStatusBar* status, TLTTaskVisualizer* task,
                TLTKeyboard* keyboard, TFittedViews& fitted)
      : Base(base), Work(work), Status(status), Task(task), Keyboard(keyboard), Fitted(fitted) {}

  void PlacePanels(const TRect& base, const TRect& work) override {
    Place(Base, base);
    Place(Work, work);
  }
  int FitStatusBar(int width) override {
    if (width != Fitted.StatusWidth) {
      Status->setLeft(0);
      Status->setWidth(width);
      Status->Font()->setName("Arial Narrow");
      Status->AdjustOptimalSize(50, 117);
      // Along the bottom, so the wallpaper (with its logo on its bottom edge) fills the rest.
      Status->setAlign(alBottom);
      Fitted.StatusWidth = width;
    }
    return Status->Height();
  }
  int FitTask(int width, int maxHeight) override {
    if (width != Fitted.TaskWidth || maxHeight != Fitted.TaskMaxHeight) {
      Task->setLeft(0);
      Task->setWidth(width);
      Task->setMaxHeight(maxHeight);
      Fitted.TaskWidth = width;
      Fitted.TaskMaxHeight = maxHeight;
    }
    return Task->Height();
  }
  TSize FitKeyboard(int width, int height) override {
    if (width != Fitted.KeyboardArea.cx || height != Fitted.KeyboardArea.cy) {
      // Room of another height but for the same scale leaves the keyboard as it is: a line
      // whose task display is a pixel taller would otherwise draw every key anew.
      const bool fitted = Fitted.KeyboardArea.cx >= 0;
      if (!fitted || Keyboard->FittingScale(width, height) != Keyboard->Scale())
        Keyboard->StrechToSize(width, height);
      Fitted.KeyboardArea = {width, height};
    }
    return {Keyboard->Width(), Keyboard->Height()};
  }

private:
  TPanel* Base;
  TPanel* Work;
  TLTStatusBar* Status;
  TLTTaskVisualizer* Task;
  TLTKeyboard* Keyboard;
  TFittedViews& Fitted;
};

}  // namespace

TSessionForm::TSessionForm(TComponent* Owner, TCourse* course, TUser* user)
    : TMultilangForm(Owner), Course(course), User(user) {
  Describe();
  Construct(user);

  TEnvironment* environment = getRoot()->getEnvironment();
  const std::string coursePath = environment->getCoursesDir() + "/" + CourseBase(course);
  TIniOptions info(coursePath + ".Info", false);

  Wallpaper = new TWallpaper(pnWorkPanel, environment->getWallpapersDir());
  Wallpaper->Next();

  MetronomeTick = std::make_unique<TMetronome::TOnTickHandle>([this] { CALLBACK_MetronomeTick(); });
  Metronome = std::make_unique<TMetronome>(45);

  Task = std::make_unique<TTask>(course, user->getStatisticFolder(course->getName()),
                                 user->getProfileFolder());
  Task->OnError = [this] { CALLBACK_TaskOnError(); };
  Task->OnCorrect = [this] { CALLBACK_TaskOnCorrect(); };
  Task->OnRestart = [this] { CALLBACK_TaskOnRestart(); };
  Task->OnComplete = [this] { CALLBACK_TaskOnComplete(); };

  TaskVisualizer = new TLTTaskVisualizer(pnWorkPanel);
  TaskVisualizer->setName("Task");
  TaskVisualizer->Font()->setCharset(course->getCharset());
  TaskVisualizer->AttachTask(Task.get());

  TaskStatisticVisualizer = new TLTTaskStatisticVisualizer(this);
  TaskStatisticVisualizer->setName("TaskStatistic");
  TaskStatisticVisualizer->setParent(pnWorkPanel);
  TaskStatisticVisualizer->AverageWordLength = info.ReadFloat("GENERAL", "AverageWordLength", 1.0);
  TaskStatisticVisualizer->AttachTask(Task.get());

  Keyboard = new TLTKeyboard(pnWorkPanel, pnWorkPanel);
  Keyboard->setName("Keyboard");
  Keyboard->OnKeyboard = [this](uint32_t time, int scanCode, int virtualKey, char character,
                                bool down) {
    return CALLBACK_KeyboardEvent(time, scanCode, virtualKey, static_cast<unsigned char>(character),
                                  down);
  };
  Keyboard->Font()->setCharset(course->getCharset());
  Keyboard->LoadLayout(coursePath + ".Layout");

  StatusBar = new TLTStatusBar(this);
  StatusBar->setName("StatusBar");
  StatusBar->setParent(pnWorkPanel);
  StatusBar->Font()->setCharset(course->getCharset());

  ThemeList = std::make_unique<TPlayList>();
  ThemesDir = environment->getThemesDir();
  ThemeList->LoadFolder(ThemesDir, "*.ini");

  const std::string sounds = environment->getSoundsDir();
  ClickSound = std::make_unique<TSound>(sounds + "/Click.wav");
  ErrorSound = std::make_unique<TSound>(sounds + "/Error.wav");
  MetronomeSound = std::make_unique<TSound>(sounds + "/Metronome.wav");
  SuccessSound = std::make_unique<TSound>(sounds + "/Success.wav");

  // Now the result panel and the status line, owned by the window, take their texts and the
  // localization's character set too.
  Localize();

  StatusBar->setText(lbStatusBar->Items()->Strings(0));
  lbStatusBar->setItemIndex(0);
  actStatusBarUpdate->Execute();
}

TSessionForm::~TSessionForm() = default;

void TSessionForm::CreateMessages() {
  AddMessage("Error.AudioDeviceError", "Error opening sound device");
  AddMessage("Error.StatisticNotSaved",
             FromUtf8("Не удалось сохранить статистику: на диске нет места, нет доступа к папке "
                      "пользователя или её удалили. Набранное не потеряно: программа сохранит "
                      "его вместе со следующей строкой."));
}

TModalResult TSessionForm::Execute() {
  // Showing lays the screen out, with the saved state and the theme.
  Task->NewTask();
  return ShowModal();
}

// Window events

void TSessionForm::FormShow(TObject*) {
  // A profile value that is no number is reported, and the screen still shows, laid out, and
  // takes keys: otherwise it would stand black before the user and answer no key, not even Esc.
  CatchAsException([this] { LoadState(User->getOptions(), "SessionForm"); },
                   [this](const Exception& error) {
                     Application->HandleException(this, error);
                     ApplyMonitorAndTheme();
                   });
  Wallpaper->Show();
  Keyboard->Show();
  TaskVisualizer->Show();
  StatusBar->Show();
  BringWindowToTop(this);
  MouseHook = InstallMouseHook(
      [this](unsigned message, const MOUSEHOOKSTRUCT* data) {
        return CALLBACK_MouseEvent(message, data);
      },
      std::this_thread::get_id());
  Keyboard->setEnabled(true);
}

void TSessionForm::FormActivate(TObject*) {
  Application->ProcessMessages();
  // Once per screen: the window is activated again whenever the user comes back to it from
  // another program, and the manual should not greet them every time.
  if (IntroductionShown) return;
  IntroductionShown = true;
  if (User->getOptions()->ReadBool("IntroductionForm", "AutoShow", true))
    actShowIntroduction->Execute();
}

// The releases of the keys held now go elsewhere: held on screen, a Shift would change every
// character typed after the return. The window may also lose the focus as it goes, after the
// teardown has freed the keyboard.
void TSessionForm::FormDeactivate(TObject*) {
  if (Keyboard) Keyboard->ReleaseKeys();
}

void TSessionForm::FormHide(TObject*) {
  Keyboard->setEnabled(false);
  Keyboard->ReleaseKeys();
}

void TSessionForm::FormDestroy(TObject*) {
  SaveState(User->getOptions(), "SessionForm");
  MouseHook.Remove();
  Metronome->Stop();
  // The last line's save may still be under way, or have failed.
  if (Task) SaveStatistic(StatisticUnsaved ? &TTaskStatistic::Save : &TTaskStatistic::FinishSave);
  SuccessSound.reset();
  MetronomeSound.reset();
  ErrorSound.reset();
  ClickSound.reset();
  ThemeList.reset();
  Free(Wallpaper);
  Wallpaper = nullptr;
  Task.reset();
  Free(TaskVisualizer);
  TaskVisualizer = nullptr;
  Free(TaskStatisticVisualizer);
  TaskStatisticVisualizer = nullptr;
  Free(Keyboard);
  Keyboard = nullptr;
  Free(StatusBar);
  StatusBar = nullptr;
  Metronome.reset();
  MetronomeTick.reset();
}

void TSessionForm::RxTrayIconClick(TObject*) {
  Show();
  RxTrayIcon->setActive(false);
}

// Keys and the mouse

bool TSessionForm::CALLBACK_KeyboardEvent(uint32_t time, int, int virtualKey,
                                          unsigned char character, bool down) {
  if (!Active() || !down) return true;
  if (character != 0) {
    if (Task->Position < static_cast<int32_t>(Task->Text.size())) TaskStatisticVisualizer->Hide();
    Task->KeyPressed(static_cast<int32_t>(time), character);
    ShowMouseCursor(false);
    return false;
  }
  ShowMouseCursor(true);
  if (!RunControlKey(virtualKey)) return true;
  Task->MarkInterrupted();
  return false;
}

bool TSessionForm::RunControlKey(int virtualKey) {
  switch (virtualKey) {
    case VK_RETURN:
    case VK_LEFT:
    case VK_RIGHT: break;
    case VK_ESCAPE: actExit->Execute(); break;
    case VK_PRIOR:
      actMetronomeUp->Execute();
      actStatusBarUpdate->Execute();
      break;
    case VK_NEXT:
      actMetronomeDown->Execute();
      actStatusBarUpdate->Execute();
      break;
    case VK_UP:
      ++TestResolution;
      ApplyMonitorAndTheme();
      break;
    case VK_DOWN:
      --TestResolution;
      ApplyMonitorAndTheme();
      break;
    case VK_LWIN:
    case VK_LCONTROL: actToTray->Execute(); break;
    case VK_F1: actShowIntroduction->Execute(); break;
    case VK_F2:
      actOnOffMetronome->Execute();
      actStatusBarUpdate->Execute();
      break;
    case VK_F3: actShowHideKeyboard->Execute(); break;
    case VK_F4: actStatusBarTurn->Execute(); break;
    case VK_F5: actChangeTheme->Execute(); break;
    case VK_F6: actShowOnline->Execute(); break;
    case VK_F9: actShowStatistic->Execute(); break;
    case VK_F10: actShowAbout->Execute(); break;
    case VK_F11: actNewTask->Execute(); break;
    default: return false;
  }
  return true;
}

bool TSessionForm::CALLBACK_MouseEvent(unsigned, const MOUSEHOOKSTRUCT*) {
  ShowMouseCursor(true);
  return true;
}

// The exercise's events

void TSessionForm::CALLBACK_MetronomeTick() { MetronomeSound->Play(); }

void TSessionForm::MarkNextChar() {
  const size_t position = static_cast<size_t>(Task->Position);
  Keyboard->setCurrentChar(position < Task->Text.size() ? Task->Text[position] : '\0');
}

void TSessionForm::CALLBACK_TaskOnCorrect() {
  ClickSound->Play();
  MarkNextChar();
}

void TSessionForm::CALLBACK_TaskOnError() { ErrorSound->Play(); }

void TSessionForm::CALLBACK_TaskOnRestart() { MarkNextChar(); }

void TSessionForm::SaveStatistic(void (TTaskStatistic::*save)()) {
  // A failed save keeps the whole log in memory, and the next save writes all of it; the
  // failure is said without unwinding through the keyboard hook, with the error's code where
  // it has one. An error box: the typist's next keys do not close it unread.
  CatchAsException(
      [this, save] {
        (Task->getStatistic()->*save)();
        StatisticUnsaved = false;
      },
      [this](const Exception& error) {
        StatisticUnsaved = true;
        const TError coded(error);
        MessageDlg(
            getMessage("Error.StatisticNotSaved") + (coded.Code.empty() ? "" : "\n#" + coded.Code),
            mtError);
      });
}

void TSessionForm::CALLBACK_TaskOnComplete() {
  // What is pending painted, the last keystroke with it. Processing the pending messages
  // instead would hand a key that already waits to this line, which is complete and drops it.
  Update();
  TTaskStatistic* statistic = Task->getStatistic();
  if (statistic->getErrorCount() == 0) SuccessSound->Play();
  // The disk syncs while the next line is drawn.
  SaveStatistic(&TTaskStatistic::SaveInBackground);

  Totals.TasksTime += statistic->getTotalTime();
  Totals.TasksCount += 1;
  Totals.CharsCount += statistic->getKeystrokes();
  Totals.MaxProqCpm = std::max(Totals.MaxProqCpm, statistic->getSpeed());

  TWindowUpdateLock lock(this);
  Wallpaper->Next();
  TaskStatisticVisualizer->UpdateAndShow();
  actStatusBarUpdate->Execute();
  actNewTask->Execute();
}

// Actions

void TSessionForm::actExitExecute(TObject*) {
  ShowMouseCursor(true);
  Metronome->Stop();
  Close();
}

void TSessionForm::actShowHideKeyboardExecute(TObject*) {
  Keyboard->setVisible(!Keyboard->Visible());
}

template <class TWindow, class TObjectOf>
void TSessionForm::ShowWithKeyboardOff(TObjectOf* object) {
  // Keys come back also when the window fails.
  struct TKeysBack {
    TLTKeyboard* keyboard;
    ~TKeysBack() { keyboard->setEnabled(true); }
  } keysBack{Keyboard};
  Keyboard->setEnabled(false);
  TOwnedPtr<TWindow>(new TWindow(nullptr, object))->ShowModal();
}

void TSessionForm::actShowAboutExecute(TObject*) { ShowWithKeyboardOff<TAboutForm>(getRoot()); }

void TSessionForm::actShowIntroductionExecute(TObject*) {
  ShowWithKeyboardOff<TIntroductionForm>(User);
}

void TSessionForm::actShowOnlineExecute(TObject*) { ShowWithKeyboardOff<TOnlineForm>(User); }

// The keyboard stays on: a key typed into the statistics window finds this screen inactive
// and passes on.
void TSessionForm::actShowStatisticExecute(TObject*) {
  // The window shows the line just typed.
  SaveStatistic(&TTaskStatistic::FinishSave);
  ShowUserStatistic(User, Course);
}

void TSessionForm::actOnOffMetronomeExecute(TObject*) {
  if (Metronome->isRunning())
    Metronome->Stop();
  else
    Metronome->Start();
}

void TSessionForm::actMetronomeUpExecute(TObject*) {
  if (Metronome->getTempo() < 999) Metronome->setTempo(Metronome->getTempo() + 1);
}

void TSessionForm::actMetronomeDownExecute(TObject*) {
  if (Metronome->getTempo() > 10) Metronome->setTempo(Metronome->getTempo() - 1);
}

void TSessionForm::actNewTaskExecute(TObject*) {
  Task->NewTask();
  actCompileWorkspace->Execute();
}

void TSessionForm::actToTrayExecute(TObject*) {
  // With no notification area and no window manager to minimise it, nothing could bring the
  // screen back, and it would stand there deaf to every key: it stays and keeps taking them.
  if (!RxTrayIcon->Available()) return;
  RxTrayIcon->setActive(true);
  Metronome->Stop();
  Hide();
}

void TSessionForm::actRestartTaskExecute(TObject*) { Task->Restart(); }

void TSessionForm::actChangeThemeExecute(TObject*) {
  ThemeList->Next();
  ApplyMonitorAndTheme();
}

// Layout, theme, state, status

void TSessionForm::actCompileWorkspaceExecute(TObject*) {
  const bool test = Application->ParamStr(1) == "/test";
  TWindowUpdateLock lock(this);
  TestResolution = ClampTestResolution(TestResolution);
  pnWorkPanel->setColor(clBlack);
  TSessionViews views(pnBasePanel, pnWorkPanel, StatusBar, TaskVisualizer, Keyboard, Fitted);
  const TWorkspace layout =
      CompileWorkspace(test, TestResolution, {Screen->Width(), Screen->Height()},
                       {ClientWidth(), ClientHeight()}, views);
  Place(StatusBar, layout.StatusBar);
  Place(TaskVisualizer, layout.Task);
  Place(Keyboard, layout.Keyboard);
  Place(TaskStatisticVisualizer, layout.TaskStatistic);
}

void TSessionForm::ApplyMonitorAndTheme() {
  for (int i = 0; i < Screen->MonitorCount(); ++i) {
    const TRect monitor = Screen->Monitors(i);
    if (monitor.Top <= Top() && Top() < monitor.Bottom && monitor.Left <= Left() &&
        Left() < monitor.Right) {
      Place(this, monitor);
      break;
    }
  }
  {
    // Missing keys are written back only into a file of our own: any other is read alone.
    const std::string file = ThemeList->CurrentFile();
    TIniOptions theme(file, IsThemeOfFolder(ThemesDir, file));
    TIniOptionsGroup once(&theme);
    LoadTheme(&theme, "Session");
  }
  // The views draw the new colours (and a font read with the state) only when fitted anew.
  Fitted = TFittedViews();
  actCompileWorkspace->Execute();
}

void TSessionForm::LoadTheme(TIniOptions* theme, const std::string& prefix) {
  TWindowUpdateLock lock(this);
  setColor(theme->ReadColor(prefix + ".Space", "Background", clBlack));
  pnBasePanel->setColor(theme->ReadColor(prefix + ".Space", "Border", 0x3C2C2B));
  TaskVisualizer->LoadTheme(theme, prefix + ".Task");
  TaskStatisticVisualizer->LoadTheme(theme, prefix + ".TaskStatistic");
  Keyboard->LoadTheme(theme, prefix + ".Keyboard");
  StatusBar->LoadTheme(theme, prefix + ".StatusBar");
}

bool TSessionForm::LoadState(TIniOptions* store, const std::string& section) {
  // The defaults written back, in one write of each file.
  TIniOptionsGroup once(store), profileOnce(User->getOptions());
  IsFullscreen = store->ReadBool(section, "IsFullscreen", false);
  Metronome->setTempo(store->ReadInteger(section, "Metronome.Tempo", 45));
  ThemeList->Select(ThemeFileOfName(ThemesDir, store->ReadString(section, "Theme", "")));
  // The views keep their state in the user's profile whatever store the screen was given.
  TIniOptions* profile = User->getOptions();
  TaskVisualizer->LoadState(profile, section + ".Task");
  TaskStatisticVisualizer->LoadState(profile, section + ".TaskStatistic");
  Keyboard->LoadState(profile, section + ".Keyboard");
  ApplyMonitorAndTheme();
  return true;
}

bool TSessionForm::SaveState(TIniOptions* store, const std::string& section) {
  TIniOptionsGroup once(store), profileOnce(User->getOptions());
  store->WriteBool(section, "IsFullscreen", IsFullscreen);
  store->WriteInteger(section, "Metronome.Tempo", Metronome->getTempo());
  store->WriteString(section, "Theme", ThemeNameOfFile(ThemesDir, ThemeList->CurrentFile()));
  TIniOptions* profile = User->getOptions();
  TaskVisualizer->SaveState(profile, section + ".Task");
  TaskStatisticVisualizer->SaveState(profile, section + ".TaskStatistic");
  Keyboard->SaveState(profile, section + ".Keyboard");
  return true;
}

void TSessionForm::actStatusBarUpdateExecute(TObject*) {
  TStatusValues values;
  values.UserName = User->getName();
  values.Time = Now();
  values.Totals = Totals;
  values.AverageWordLength = TaskStatisticVisualizer->AverageWordLength;
  values.MetronomeRunning = Metronome->isRunning();
  values.MetronomeTempo = Metronome->getTempo();
  // One repaint for all the values that changed, so a second usually costs no paint at all.
  StatusBar->setPlaceholders(StatusPlaceholders(values));
}

void TSessionForm::actStatusBarTurnExecute(TObject*) {
  const int count = lbStatusBar->Items()->Count();
  if (count == 0) return;
  const int index = (lbStatusBar->ItemIndex() + 1) % count;
  lbStatusBar->setItemIndex(index);
  StatusBar->setText(lbStatusBar->Items()->Strings(index));
}
