#pragma once
// The training screen: one training run of one course by one user. Owns the exercise line, the
// five training views (wallpaper, task display, result panel, keyboard, status line), the
// metronome, the four sound effects and the list of theme files; keeps the run's totals. Takes
// every key from the keyboard's event, sends characters to the exercise and runs the control
// keys' actions; at the end of each line saves the statistics and starts the next line. Its
// state lives in the user's Profile.ini (section "SessionForm"). Does not own the course or
// the user. User-interface thread only, but for the metronome's tick.

#include <cstdint>
#include <memory>
#include <string>

#include "app/sessionstatus.h"
#include "engine/tmetronome.h"
#include "foundation/gui/tmultilangform.h"
#include "platform/gui/thook.h"
#include "toolkit/rect.h"

class TAction;
class TActionList;
class TCourse;
class TIniOptions;
class TListBox;
class TLTKeyboard;
class TLTStatusBar;
class TLTTaskStatisticVisualizer;
class TLTTaskVisualizer;
class TPanel;
class TPlayList;
class TSound;
class TTask;
class TTaskStatistic;
class TTimer;
class TTrayIcon;
class TUser;
class TWallpaper;
struct MOUSEHOOKSTRUCT;
struct TWorkspace;

// What the training screen's views were fitted to at its last layout.
struct TFittedViews {
  int StatusWidth = -1;
  int TaskWidth = -1, TaskMaxHeight = -1;
  TSize KeyboardArea = {-1, -1};
};

class TSessionForm final : public TMultilangForm {
public:
  // Builds the window and everything it owns for a loaded course; the views are hidden.
  TSessionForm(TComponent* Owner, TCourse* course, TUser* user);
  ~TSessionForm() override;

  // The first line, the layout, then the modal run until the user leaves (Esc).
  TModalResult Execute();

  // The window description (resources/sessionform.cpp).
  TPanel* pnBasePanel = nullptr;
  TPanel* pnWorkPanel = nullptr;
  TListBox* lbStatusBar = nullptr;
  TActionList* ActionList = nullptr;
  TAction* actExit = nullptr;
  TAction* actShowHideKeyboard = nullptr;
  TAction* actShowAbout = nullptr;
  TAction* actOnOffMetronome = nullptr;
  TAction* actMetronomeUp = nullptr;
  TAction* actMetronomeDown = nullptr;
  TAction* actShowStatistic = nullptr;
  TAction* actNewTask = nullptr;
  TAction* actToTray = nullptr;
  TAction* actCompileWorkspace = nullptr;
  TAction* actShowIntroduction = nullptr;
  TAction* actStatusBarUpdate = nullptr;
  TAction* actStatusBarTurn = nullptr;
  TAction* actChangeTheme = nullptr;
  TAction* actShowOnline = nullptr;
  TAction* actRestartTask = nullptr;
  TTrayIcon* RxTrayIcon = nullptr;
  TTimer* UpdateTimer = nullptr;

  void FormShow(TObject* Sender);
  void FormActivate(TObject* Sender);
  void FormDeactivate(TObject* Sender);
  void FormHide(TObject* Sender);
  void FormDestroy(TObject* Sender);
  void RxTrayIconClick(TObject* Sender);
  void actExitExecute(TObject* Sender);
  void actShowHideKeyboardExecute(TObject* Sender);
  void actShowAboutExecute(TObject* Sender);
  void actOnOffMetronomeExecute(TObject* Sender);
  void actMetronomeUpExecute(TObject* Sender);
  void actMetronomeDownExecute(TObject* Sender);
  void actShowStatisticExecute(TObject* Sender);
  void actNewTaskExecute(TObject* Sender);
  void actToTrayExecute(TObject* Sender);
  void actCompileWorkspaceExecute(TObject* Sender);
  void actShowIntroductionExecute(TObject* Sender);
  void actStatusBarUpdateExecute(TObject* Sender);
  void actStatusBarTurnExecute(TObject* Sender);
  void actChangeThemeExecute(TObject* Sender);
  void actShowOnlineExecute(TObject* Sender);
  void actRestartTaskExecute(TObject* Sender);

  // The keyboard's key event: true passes the key on to the system, false swallows it.
  bool CALLBACK_KeyboardEvent(uint32_t time, int scanCode, int virtualKey, unsigned char character,
                              bool down);
  // Every mouse event shows the cursor again and passes on.
  bool CALLBACK_MouseEvent(unsigned message, const MOUSEHOOKSTRUCT* data);
  // On the metronome's timer thread: plays the metronome sound, nothing else.
  void CALLBACK_MetronomeTick();
  void CALLBACK_TaskOnCorrect();
  void CALLBACK_TaskOnError();
  void CALLBACK_TaskOnRestart();
  void CALLBACK_TaskOnComplete();

  // Fits the window to the monitor that holds its top-left corner, loads the current theme
  // and lays the screen out.
  void ApplyMonitorAndTheme();
  void LoadTheme(TIniOptions* theme, const std::string& prefix);
  // Both always answer true; LoadState raises the conversion error of a profile value that
  // is no number.
  bool LoadState(TIniOptions* store, const std::string& section);
  bool SaveState(TIniOptions* store, const std::string& section);

  TTask* getTask() const { return Task.get(); }
  TWallpaper* getWallpaper() const { return Wallpaper; }
  TLTTaskVisualizer* getTaskVisualizer() const { return TaskVisualizer; }
  TLTTaskStatisticVisualizer* getTaskStatisticVisualizer() const { return TaskStatisticVisualizer; }
  TLTKeyboard* getKeyboard() const { return Keyboard; }
  TLTStatusBar* getStatusBar() const { return StatusBar; }
  TMetronome* getMetronome() const { return Metronome.get(); }
  TPlayList* getThemeList() const { return ThemeList.get(); }
  const TSessionTotals& getTotals() const { return Totals; }
  int getTestResolution() const { return TestResolution; }
  bool isFullscreen() const { return IsFullscreen; }

protected:
  void CreateMessages() override;

private:
  void Describe();
  // Runs the entry of the control-key table; false for a key that is not in it.
  bool RunControlKey(int virtualKey);
  // The character to type next, 0 at the end of the line: the keyboard's expected character.
  void MarkNextChar();
  // Saves the run's statistics with the statistic's save given; a failure is said with
  // "Error.StatisticNotSaved" in an error box (keys typed on do not close it at once), and the
  // next save writes the whole log.
  void SaveStatistic(void (TTaskStatistic::*save)());
  // Builds the window with no owner for the object, runs it modally and frees it, with the
  // keyboard's key events off meanwhile, so that keys typed into it stay there.
  template <class TWindow, class TObjectOf>
  void ShowWithKeyboardOff(TObjectOf* object);

  TCourse* Course;
  TUser* User;
  std::unique_ptr<TTask> Task;
  TWallpaper* Wallpaper = nullptr;
  TLTTaskVisualizer* TaskVisualizer = nullptr;
  TLTTaskStatisticVisualizer* TaskStatisticVisualizer = nullptr;
  TLTKeyboard* Keyboard = nullptr;
  TLTStatusBar* StatusBar = nullptr;
  // Before the metronome, so that it goes after it: no beat comes once it is gone.
  std::unique_ptr<TMetronome::TOnTickHandle> MetronomeTick;
  std::unique_ptr<TMetronome> Metronome;
  std::unique_ptr<TPlayList> ThemeList;
  std::string ThemesDir;
  std::unique_ptr<TSound> ClickSound, ErrorSound, MetronomeSound, SuccessSound;
  // Its callback on the mouse hook, from its first showing.
  THookHandle MouseHook;
  int TestResolution = 3;
  bool IsFullscreen = false;
  TSessionTotals Totals;
  TFittedViews Fitted;
  // The manual has opened by itself (or would have, with "AutoShow" off).
  bool IntroductionShown = false;
  // A statistics save failed: the log holds lines the file lacks until a save succeeds.
  bool StatisticUnsaved = false;
};
