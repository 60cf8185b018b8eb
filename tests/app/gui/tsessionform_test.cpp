#include "app/gui/tsessionform.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QSystemTrayIcon>
#include <QTest>
#include <QTimer>

#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "app/tlomtak.h"
#include "engine/tcourse.h"
#include "engine/tcourses.h"
#include "engine/tmetronome.h"
#include "engine/tstatreplay.h"
#include "engine/ttask.h"
#include "engine/ttaskstatistic.h"
#include "foundation/tinioptions.h"
#include "foundation/tplaylist.h"
#include "platform/keycodes.h"
#include "support/courses.h"
#include "support/faultyfilesystem.h"
#include "support/guiapplication.h"
#include "support/installation.h"
#include "support/jpegfiles.h"
#include "support/messageboxes.h"
#include "support/notedwrites.h"
#include "support/tempdir.h"
#include "toolkit/gui/action.h"
#include "toolkit/gui/bitmap.h"
#include "toolkit/gui/listbox.h"
#include "toolkit/gui/panel.h"
#include "toolkit/gui/scaleddraws.h"
#include "toolkit/gui/screen.h"
#include "toolkit/gui/trayicon.h"
#include "users/tuser.h"
#include "users/tusers.h"
#include "views/tltkeyboard.h"
#include "views/tltkeyboardbutton.h"
#include "views/tltstatusbar.h"
#include "views/tlttaskstatisticvisualizer.h"
#include "views/tlttaskvisualizer.h"
#include "views/twallpaper.h"

namespace {

namespace fs = std::filesystem;

// Signed scan codes of keys outside the on-screen keyboard, as the hook delivers them.
constexpr int ScEsc = 1, ScF1 = 59, ScF11 = 87, ScF12 = 88, ScPageUp = -73, ScPageDown = -81,
              ScUp = -72, ScDown = -80, ScLeft = -75, ScRight = -77, ScEnter = 28, ScLeftWin = -91,
              ScLeftCtrl = 29, ScRightCtrl = -29, ScLeftShift = 42, ScA = 30;

// A training run of the shipped English course by a fresh user, in a fresh installation.
class SessionFormTest : public testing::Test {
protected:
  void SetUp() override {
    for (const char* file : {"English.Base", "English.Layout", "English.Info"})
      fs::copy_file(ShippedCourseFile(file), Program.getCoursesDir() + "/" + file);
    fs::create_directories(ThemesDir());
    User = Program.root().getUsers()->Add("Anna");
    // The manual would open over the screen at every start.
    User->getOptions()->WriteBool("IntroductionForm", "AutoShow", false);
    Course = Program.root().getCourses()->getCourse("English");
    Course->Load({});
  }
  void TearDown() override { Form.reset(); }

  std::string ThemesDir() const { return Program.getProgramDir() + "/Environment/Themes"; }
  std::string StatisticDir() const { return User->getProfileFolder() + "/English/Statistic"; }

  TSessionForm& Build() {
    Form.reset(new TSessionForm(nullptr, Course, User));
    return *Form;
  }

  // Runs the screen modally as the course does; `body` runs inside the modal run with the
  // window shown and active. The run then ends as Esc ends it, unless the body ended it.
  void Run(const std::function<void(TSessionForm&)>& body) {
    if (!Form) Build();
    // The body is posted when the run's activation is over, so that it runs inside the modal
    // run's own loop.
    bool started = false;
    const TNotifyEvent activate = Form->OnActivate;
    Form->OnActivate = [&, activate](TObject* sender) {
      activate(sender);
      if (started) return;
      started = true;
      QTimer::singleShot(0, [&] {
        EXPECT_TRUE(QTest::qWaitForWindowActive(Form->Handle()));
        body(*Form);
        Form->actExit->Execute();
      });
    };
    // A run that goes wrong ends anyway.
    QTimer::singleShot(60000, Form->Handle(), [&] { Form->setModalResult(mrCancel); });
    Form->Execute();
  }

  // One key event as the hook delivers it: the keyboard's callback with the time stamp, the
  // signed scan code, the key's virtual key and the direction. Answers pass-on.
  bool Event(int scanCode, bool down) {
    Time += 200;
    return Form->getKeyboard()->CALLBACK_Keyboard(Time, scanCode, VirtualKeyOfScanCode(scanCode),
                                                  down);
  }
  // A press and a release; answers what the press answered.
  bool Key(int scanCode) {
    const bool passed = Event(scanCode, true);
    Time -= 200;  // the release is no keystroke of its own
    Event(scanCode, false);
    return passed;
  }
  // Types the character on the key of the on-screen keyboard that gives it.
  bool Type(unsigned char character) {
    for (const auto& button : Form->getKeyboard()->Buttons) {
      if (static_cast<unsigned char>(button->Value) == character) return Key(button->ScanCode);
      if (static_cast<unsigned char>(button->ShiftValue) == character) {
        Event(ScLeftShift, true);
        const bool passed = Key(button->ScanCode);
        Event(ScLeftShift, false);
        return passed;
      }
    }
    ADD_FAILURE() << "no key gives '" << character << "'";
    return true;
  }
  unsigned char Wrong(unsigned char expected) { return expected == 'q' ? 'z' : 'q'; }
  // The rest of the line, with one wrong key at `errorAt` when that lies in it. The next line
  // may be the same text, drawn from the same second.
  void TypeLine(int errorAt = -1) {
    TTask* task = Form->getTask();
    const std::string line = task->Text;
    const int32_t done = Form->getTotals().TasksCount;
    while (Form->getTotals().TasksCount == done) {
      const int32_t position = task->Position;
      const unsigned char expected = task->Text[task->Position];
      if (task->Position == errorAt) {
        Type(Wrong(expected));
        errorAt = -1;
      }
      Type(expected);
      if (task->Position == position && task->Text == line) {
        ADD_FAILURE() << "the key of '" << expected << "' did not reach the line";
        return;
      }
    }
  }

  // Brings the screen back from the notification area, as a click on its icon does.
  void BackFromTheTray() {
    if (QSystemTrayIcon::isSystemTrayAvailable()) {
      FireEvent(Form->RxTrayIcon->OnClick, Form->RxTrayIcon);
    } else {
      // Without a notification area the window waits minimised; restoring it is the click.
      ASSERT_TRUE(QTest::qWaitFor([&] { return Form->Handle()->isMinimized(); }));
      Form->Handle()->showNormal();
      ASSERT_TRUE(QTest::qWaitFor([&] { return Form->Visible(); }));
    }
  }

  // Closes the next window that opens modally over the screen, once it shows, and tells
  // whether one did and whether the keyboard took keys meanwhile.
  struct OtherWindow {
    bool Opened = false;
    bool KeysOn = false;
  };
  void CloseNextWindow(OtherWindow& seen) {
    auto* poll = new QTimer(Form->Handle());
    int left = 500;
    QObject::connect(poll, &QTimer::timeout, [this, &seen, poll, left]() mutable {
      QWidget* modal = QApplication::activeModalWidget();
      if (modal && modal != Form->Handle()) {
        seen.Opened = true;
        seen.KeysOn = Form->getKeyboard()->Enabled();
        modal->close();
      }
      if (seen.Opened || --left == 0) poll->deleteLater();
    });
    poll->start(20);
  }

  std::vector<std::string> StatFiles() const {
    std::vector<std::string> files;
    std::error_code ignored;
    for (const auto& entry : fs::directory_iterator(StatisticDir(), ignored))
      files.push_back(entry.path().string());
    return files;
  }
  // The keystrokes of each line in the run's one statistics file; none without that file.
  std::vector<int32_t> SavedKeystrokes() const {
    std::vector<int32_t> keystrokes;
    const std::vector<std::string> files = StatFiles();
    EXPECT_EQ(files.size(), 1u);
    if (files.size() != 1) return keystrokes;
    TStatLines file(files[0]);
    EXPECT_TRUE(ReplayRun(file, [&](const TTaskStatistic& exercise) {
      keystrokes.push_back(exercise.getKeystrokes());
    }));
    return keystrokes;
  }

  Installation Program;
  MessageBoxes Boxes;
  TUser* User = nullptr;
  TCourse* Course = nullptr;
  TOwnedPtr<TSessionForm> Form;
  uint32_t Time = 100000;
};

TEST_F(SessionFormTest, ALineWithOneErrorIsSavedCountedAndShown) {
  size_t length = 0;
  Run([&](TSessionForm& form) {
    const std::string line = form.getTask()->Text;
    length = line.size();
    ASSERT_GT(length, 3u);
    TypeLine(2);
    EXPECT_NE(form.getTask()->Text, "") << "the next line is there";
    EXPECT_EQ(form.getTask()->Position, 0);
    EXPECT_TRUE(form.getTaskStatisticVisualizer()->Visible()) << "the line's figures show";
    Type(form.getTask()->Text[0]);
    EXPECT_FALSE(form.getTaskStatisticVisualizer()->Visible()) << "until the next line starts";
  });
  ASSERT_GT(length, 0u);

  const TSessionTotals& totals = Form->getTotals();
  EXPECT_EQ(totals.TasksCount, 1);
  EXPECT_EQ(totals.CharsCount, static_cast<int32_t>(length + 1)) << "the wrong key counts";
  // Every keystroke but the line's first is timed, 200 ms apart.
  EXPECT_EQ(totals.TasksTime, static_cast<int32_t>(200 * length));
  EXPECT_GT(totals.MaxProqCpm, 0);
  EXPECT_EQ(Form->getStatusBar()->getPlaceholder("TASKS_COUNT"), "1");
  EXPECT_EQ(Form->getStatusBar()->getPlaceholder("CHARS_COUNT"), std::to_string(length + 1));
  EXPECT_EQ(Form->getStatusBar()->getPlaceholder("MAX_PROQ_CPM"),
            std::to_string(totals.MaxProqCpm));

  const std::vector<std::string> files = StatFiles();
  ASSERT_EQ(files.size(), 1u);
  std::vector<int32_t> keystrokes, errors, times, speeds;
  TStatLines file(files[0]);
  ASSERT_TRUE(ReplayRun(file, [&](const TTaskStatistic& exercise) {
    keystrokes.push_back(exercise.getKeystrokes());
    errors.push_back(exercise.getErrorCount());
    times.push_back(static_cast<int32_t>(exercise.getTotalTime()));
    speeds.push_back(exercise.getSpeed());
  }));
  ASSERT_GE(keystrokes.size(), 1u);
  EXPECT_EQ(keystrokes[0], totals.CharsCount);
  EXPECT_EQ(errors[0], 1);
  EXPECT_EQ(times[0], totals.TasksTime);
  EXPECT_EQ(speeds[0], totals.MaxProqCpm);
  EXPECT_TRUE(Boxes.Shown.empty());
}

// At a line's end the next picture comes drawn for the wallpaper's size: this thread scales
// none, neither a photo smaller than the screen nor the built-in picture of an empty folder.
TEST_F(SessionFormTest, ALineEndScalesNoPicture) {
  const std::string wallpapers = Program.getProgramDir() + "/Environment/Wallpapers";
  fs::create_directories(wallpapers);
  for (const bool photo : {false, true}) {
    SCOPED_TRACE(photo ? "a photo" : "the built-in picture");
    if (photo) TempDir::Write(wallpapers + "/Small.jpg", EncodeJpeg(1280, 800));
    Form.reset();
    Run([&](TSessionForm& form) {
      for (int i = 0; i < 10; ++i) Key(ScUp);  // 1920 x 1200: both pictures grow to cover it
      // Shown at its new size, the wallpaper has drawn its picture for it.
      QApplication::processEvents();
      for (int line = 0; line < 2; ++line) {
        TTask* task = form.getTask();
        const std::string text = task->Text;
        while (task->Position + 1 < static_cast<int32_t>(text.size())) Type(text[task->Position]);
        const int64_t before = ScaledDraws();
        Type(text.back());
        ASSERT_EQ(form.getTotals().TasksCount, line + 1) << "the line was not completed";
        EXPECT_EQ(ScaledDraws(), before) << "line " << line;
      }
    });
  }
}

TEST_F(SessionFormTest, EachControlKeyRunsItsEntryAndInterruptsTheNextKeystroke) {
  fs::copy_file(std::string(LOMTAK_DIST_DIR) + "/Environment/Themes/Default.ini",
                ThemesDir() + "/A.ini");
  fs::copy_file(std::string(LOMTAK_DIST_DIR) + "/Environment/Themes/Light.ini",
                ThemesDir() + "/B.ini");
  enum TWindow { wnNone, wnKeysOff, wnKeysOn };
  struct Case {
    const char* name;
    int scanCode;
    std::function<void(TSessionForm&)> check;
    TWindow window = wnNone;
  };
  const auto nothing = [](TSessionForm& form) { EXPECT_TRUE(form.Visible()); };
  const auto toTray = [](TSessionForm& form) {
    EXPECT_FALSE(form.Visible());
    EXPECT_TRUE(form.RxTrayIcon->Active());
  };
  const Case cases[] = {
      {"Enter", ScEnter, nothing},
      {"Left", ScLeft, nothing},
      {"Right", ScRight, nothing},
      {"PageUp", ScPageUp,
       [](TSessionForm& form) { EXPECT_EQ(form.getMetronome()->getTempo(), 46); }},
      {"PageDown", ScPageDown,
       [](TSessionForm& form) { EXPECT_EQ(form.getMetronome()->getTempo(), 44); }},
      {"Up", ScUp, [](TSessionForm& form) { EXPECT_EQ(form.getTestResolution(), 4); }},
      {"Down", ScDown, [](TSessionForm& form) { EXPECT_EQ(form.getTestResolution(), 2); }},
      {"LeftWindows", ScLeftWin, toTray},
      {"LeftCtrl", ScLeftCtrl, toTray},
      {"F1Manual", ScF1, nothing, wnKeysOff},
      {"F2Metronome", ScF1 + 1,
       [](TSessionForm& form) {
         EXPECT_TRUE(form.getMetronome()->isRunning());
         EXPECT_EQ(form.getStatusBar()->getPlaceholder("METRONOME_TEMPO"), "45");
         form.getMetronome()->Stop();
       }},
      {"F3Keyboard", ScF1 + 2,
       [](TSessionForm& form) { EXPECT_FALSE(form.getKeyboard()->Visible()); }},
      {"F4StatusLine", ScF1 + 3,
       [](TSessionForm& form) {
         EXPECT_EQ(form.lbStatusBar->ItemIndex(), 1);
         EXPECT_EQ(form.getStatusBar()->Text(), form.lbStatusBar->Items()->Strings(1));
       }},
      {"F5Theme", ScF1 + 4,
       [](TSessionForm& form) { EXPECT_EQ(form.getThemeList()->getCurrent(), 1); }},
      {"F6Online", ScF1 + 5, nothing, wnKeysOff},
      {"F9Statistics", ScF1 + 8, nothing, wnKeysOn},
      {"F10About", ScF1 + 9, nothing, wnKeysOff},
      {"F11NewLine", ScF11,
       [](TSessionForm& form) {
         EXPECT_EQ(form.getTask()->Position, 0);
         EXPECT_EQ(form.getTotals().TasksCount, 0) << "an abandoned line counts nothing";
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Form.reset();
    // Each case starts from the state a first run finds.
    User->getOptions()->WriteInteger("SessionForm", "Metronome.Tempo", 45);
    User->getOptions()->WriteString("SessionForm", "Theme", "");
    Run([&](TSessionForm& form) {
      Type(form.getTask()->Text[0]);
      OtherWindow window;
      if (c.window != wnNone) CloseNextWindow(window);
      EXPECT_FALSE(Key(c.scanCode)) << "the key is swallowed";
      c.check(form);
      EXPECT_EQ(window.Opened, c.window != wnNone);
      if (window.Opened) {
        EXPECT_EQ(window.KeysOn, c.window == wnKeysOn);
      }
      EXPECT_TRUE(form.getKeyboard()->Enabled() || !form.Visible());
      EXPECT_TRUE(form.getTask()->Interrupted) << "the next keystroke is interrupted";
      if (!form.Visible()) form.RxTrayIconClick(nullptr);
    });
  }
}

// F5 changes the theme and F6 opens the online cabinet, so the key help says so.
TEST_F(SessionFormTest, TheKeyHelpNamesWhatF5AndF6Do) {
  Run([&](TSessionForm& form) {
    const std::string help = form.lbStatusBar->Items()->Strings(0);
    EXPECT_NE(help.find("F5:</color>Theme "), std::string::npos) << help;
    EXPECT_NE(help.find("F6:</color>Online "), std::string::npos) << help;
  });
}

TEST_F(SessionFormTest, AKeyWaitingWhileALineCompletesStartsTheNextLine) {
  Run([&](TSessionForm& form) {
    TTask* task = form.getTask();
    const std::string line = task->Text;
    while (task->Position + 1 < static_cast<int32_t>(line.size())) Type(task->Text[task->Position]);
    // A quick typist: the next key already waits in the window's queue when the line's last
    // key completes it.
    int next = 0;
    for (const auto& button : form.getKeyboard()->Buttons)
      if (button->Value >= 'a' && button->Value <= 'z') next = button->ScanCode;
    ASSERT_NE(next, 0);
    QCoreApplication::postEvent(form.Handle()->windowHandle(),
                                new QKeyEvent(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier,
                                              static_cast<quint32>(next) + 8, 0, 0));
    Type(line.back());
    QCoreApplication::processEvents();
    ASSERT_EQ(form.getTotals().TasksCount, 1);
    EXPECT_EQ(form.getTask()->getStatistic()->getKeystrokes(), 1)
        << "the waiting key is the next line's first keystroke";
  });
}

TEST_F(SessionFormTest, ReleasesOtherWindowsAndUnknownKeysPassOn) {
  Run([&](TSessionForm& form) {
    TTask* task = form.getTask();
    const unsigned char first = task->Text[0];
    EXPECT_FALSE(Type(first));
    EXPECT_EQ(task->Position, 1);

    for (const auto& button : form.getKeyboard()->Buttons)
      if (button->Value == task->Text[1]) {
        EXPECT_TRUE(Event(button->ScanCode, false)) << "a release";
        break;
      }
    EXPECT_TRUE(Key(ScF12)) << "a key without a character outside the table";
    EXPECT_TRUE(Key(ScRightCtrl)) << "right Ctrl is no tray key";
    EXPECT_FALSE(task->Interrupted);
    EXPECT_TRUE(form.Visible());

    TForm other(nullptr);
    other.SetBounds(0, 0, 200, 100);
    other.Show();
    other.Handle()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(other.Handle()));
    EXPECT_TRUE(Type(task->Text[1])) << "a key while another window is active";
    EXPECT_EQ(task->Position, 1);
    other.Hide();
    form.Handle()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.Handle()));
  });
}

// The metronome's beat is the screen's while it lives, and nobody's once it is gone.
TEST_F(SessionFormTest, NoBeatReachesAScreenThatIsGone) {
  Build();
  EXPECT_TRUE(TMetronome::OnTick);
  Form.reset();
  EXPECT_FALSE(TMetronome::OnTick);
}

TEST_F(SessionFormTest, EscEndsTheRunAndTheStateIsSaved) {
  fs::copy_file(std::string(LOMTAK_DIST_DIR) + "/Environment/Themes/Light.ini",
                ThemesDir() + "/Light.ini");
  Run([&](TSessionForm& form) {
    Key(ScPageUp);
    Key(ScF1 + 2);  // the keyboard hidden
    EXPECT_FALSE(Key(ScEsc));
    EXPECT_EQ(form.ModalResult(), mrCancel) << "the run ends";
  });
  Form.reset();
  TIniOptions profile(User->getProfileFolder() + "/Profile.ini", false);
  EXPECT_EQ(profile.ReadInteger("SessionForm", "Metronome.Tempo", 0), 46);
  EXPECT_EQ(profile.ReadString("SessionForm", "Theme", ""), "Light.ini")
      << "by its name in the themes folder, so that a moved installation keeps it";
  EXPECT_EQ(profile.ReadString("SessionForm", "IsFullscreen", ""), "0");
  EXPECT_EQ(profile.ReadString("SessionForm.Keyboard", "Keyboard.Visible", ""), "0");
  EXPECT_NE(profile.ReadString("SessionForm.Task", "Task.Font.Name", ""), "");

  // The next screen brings the tempo back, and shows the keyboard again.
  Run([&](TSessionForm& form) {
    EXPECT_EQ(form.getMetronome()->getTempo(), 46);
    EXPECT_TRUE(form.getKeyboard()->Visible());
  });
}

TEST_F(SessionFormTest, AProfileValueThatIsNoNumberIsReportedAndTheScreenStillTakesKeys) {
  User->getOptions()->WriteString("SessionForm", "Metronome.Tempo", "fast");
  Run([&](TSessionForm& form) {
    EXPECT_EQ(Boxes.Shown.size(), 1u) << "the error box";
    EXPECT_TRUE(form.getKeyboard()->Enabled());
    EXPECT_TRUE(form.getTaskVisualizer()->Visible());
    EXPECT_EQ(form.Width(), Screen->Width()) << "fitted to the screen";
    EXPECT_FALSE(Key(ScEsc));
    EXPECT_EQ(form.ModalResult(), mrCancel) << "Esc still ends the run";
  });
  Form.reset();
  TIniOptions profile(User->getProfileFolder() + "/Profile.ini", false);
  EXPECT_EQ(profile.ReadString("SessionForm", "Metronome.Tempo", ""), "45") << "written sound";
}

TEST_F(SessionFormTest, FromTheTrayTheSavedStateComesBack) {
  User->getOptions()->WriteInteger("SessionForm", "Metronome.Tempo", 60);
  Run([&](TSessionForm& form) {
    Key(ScPageUp);
    EXPECT_EQ(form.getMetronome()->getTempo(), 61);
    Key(ScF1 + 1);
    ASSERT_TRUE(form.getMetronome()->isRunning());
    Key(ScLeftCtrl);
    EXPECT_FALSE(form.Visible());
    EXPECT_FALSE(form.getMetronome()->isRunning());
    EXPECT_TRUE(form.RxTrayIcon->Active());
    EXPECT_TRUE(Type('a')) << "no key reaches a hidden screen";

    BackFromTheTray();
    EXPECT_FALSE(form.RxTrayIcon->Active());
    EXPECT_EQ(form.getMetronome()->getTempo(), 60) << "the saved tempo, not the one since";
    EXPECT_TRUE(form.getKeyboard()->Enabled()) << "keys reach the screen again";
    EXPECT_FALSE(Type(form.getTask()->Text[0])) << "and the screen takes them";
  });
}

// With neither a notification area nor a window manager to minimise it, a screen sent away
// could never come back: both keys leave it in place, the metronome going, and it takes keys.
TEST_F(SessionFormTest, WhereNothingCouldBringTheScreenBackItStays) {
  if (QSystemTrayIcon::isSystemTrayAvailable()) GTEST_SKIP() << "this desktop has a tray";
  const TMinimisingCheck before = SetMinimisingCheck([] { return false; });
  Run([&](TSessionForm& form) {
    Key(ScF1 + 1);
    for (int scanCode : {ScLeftCtrl, ScLeftWin}) {
      SCOPED_TRACE(scanCode);
      EXPECT_FALSE(Key(scanCode)) << "the key is swallowed";
      EXPECT_TRUE(form.Visible());
      EXPECT_TRUE(form.Active());
      EXPECT_FALSE(form.RxTrayIcon->Active());
      EXPECT_TRUE(form.getMetronome()->isRunning());
    }
    form.getMetronome()->Stop();
    const int32_t position = form.getTask()->Position;
    EXPECT_FALSE(Type(form.getTask()->Text[position]));
    EXPECT_EQ(form.getTask()->Position, position + 1);
  });
  SetMinimisingCheck(before);
}

// The releases of keys held as the screen hides or loses the focus go elsewhere: the keyboard
// lets go of every key, so none is drawn pressed, and a held Shift does not make the characters
// typed after the return capitals.
TEST_F(SessionFormTest, KeysHeldAsTheScreenGoesAreLetGo) {
  struct Way {
    const char* name;
    std::function<void()> goAndReturn;
  } ways[] = {
      {"to the notification area",
       [&] {
         Event(ScLeftCtrl, true);
         BackFromTheTray();
       }},
      {"another window takes the focus",
       [&] {
         TForm other(nullptr);
         other.SetBounds(0, 0, 100, 100);
         other.Handle()->setWindowModality(Qt::ApplicationModal);
         other.Show();
         other.Handle()->activateWindow();
         ASSERT_TRUE(QTest::qWaitForWindowActive(other.Handle()));
       }},
  };
  for (const Way& way : ways) {
    SCOPED_TRACE(way.name);
    Form.reset();
    Run([&](TSessionForm& form) {
      Event(ScLeftShift, true);
      way.goAndReturn();
      TLTKeyboard* keyboard = form.getKeyboard();
      for (const auto& button : keyboard->Buttons)
        EXPECT_FALSE(button->IsPressed()) << button->ScanCode;
      EXPECT_EQ(keyboard->getButtonBySC(ScA)->getCurrentChar(), 'a') << "no Shift in force";
    });
  }
}

TEST_F(SessionFormTest, TheScreenAndItsTrayIconShowOnePictureOfTheProgram) {
  Run([&](TSessionForm& form) {
    const QImage shown = form.Handle()->windowIcon().pixmap(64).toImage();
    ASSERT_FALSE(shown.isNull());
    std::set<QRgb> colours;
    for (int y = 0; y < shown.height(); ++y)
      for (int x = 0; x < shown.width(); ++x) colours.insert(shown.pixel(x, y));
    EXPECT_GT(colours.size(), 2u) << "a picture, not a flat square";
    EXPECT_EQ(form.RxTrayIcon->Icon()->DrawnImage(), form.Icon()->DrawnImage());
  });
}

TEST_F(SessionFormTest, TheWorkAreaFollowsTheTestSizes) {
  struct Size {
    int width, height;
  };
  std::vector<Size> work;
  std::vector<TRect> task, keyboard, panel, status, wallpaper;
  // Whether the key help's 117 letters "w" fit the status line at its font, and would not at
  // the next larger one: the font fitted to the width the status line has.
  std::vector<bool> statusFitted;
  Run([&](TSessionForm& form) {
    const auto record = [&] {
      TLTStatusBar* bar = form.getStatusBar();
      status.push_back(bar->BoundsRect());
      TBitmap probe;
      probe.setSize(1, 1);
      TFont* font = probe.Canvas()->Font();
      font->Assign(*bar->Font());
      const std::string sample(117, 'w');
      const bool fits = probe.Canvas()->TextWidth(sample) <= bar->Width();
      font->setHeight(font->Height() + 1);
      statusFitted.push_back(fits && (bar->Font()->Height() == 50 ||
                                      probe.Canvas()->TextWidth(sample) > bar->Width()));
      wallpaper.push_back(form.getWallpaper()->BoundsRect());
      const TControl* views[] = {form.getTaskVisualizer(), form.getKeyboard(),
                                 form.getTaskStatisticVisualizer()};
      work.push_back({form.pnWorkPanel->Width(), form.pnWorkPanel->Height()});
      task.push_back(views[0]->BoundsRect());
      keyboard.push_back(views[1]->BoundsRect());
      panel.push_back(views[2]->BoundsRect());
    };
    record();  // 1024 x 600, the first test size
    Key(ScUp);
    record();  // 1024 x 768
    for (int i = 0; i < 10; ++i) Key(ScUp);
    record();  // 1920 x 1200, and no further
    Key(ScDown);
    record();  // 1680 x 1050, narrower than the status line was fitted to
  });
  ASSERT_EQ(work.size(), 4u);
  const Size sizes[] = {{1022, 598}, {1022, 766}, {1918, 1198}, {1678, 1048}};
  for (size_t i = 0; i < work.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(work[i].width, sizes[i].width);
    EXPECT_EQ(work[i].height, sizes[i].height);
    EXPECT_EQ(task[i].Width(), sizes[i].width);
    EXPECT_LE(task[i].Height(), sizes[i].height / 10 + 8);
    EXPECT_EQ(task[i].Top, sizes[i].height / 3 - task[i].Height() / 2);
    EXPECT_EQ(keyboard[i].Width() % 182, 0) << "a whole scale of the built-in keyboard";
    EXPECT_EQ(keyboard[i].Left, (sizes[i].width - keyboard[i].Width()) / 2);
    EXPECT_GT(keyboard[i].Top, task[i].Bottom);
    EXPECT_EQ(panel[i].Right, keyboard[i].Right);
    EXPECT_LT(panel[i].Bottom, task[i].Top);
    EXPECT_EQ(status[i].Width(), sizes[i].width);
    EXPECT_EQ(status[i].Bottom, sizes[i].height) << "the status line along the bottom";
    EXPECT_TRUE(statusFitted[i]) << "the status line's font fitted to another width";
    // The logo stands on the wallpaper's bottom edge, whole.
    EXPECT_EQ(wallpaper[i].Left, 0);
    EXPECT_EQ(wallpaper[i].Top, 0);
    EXPECT_EQ(wallpaper[i].Width(), sizes[i].width);
    EXPECT_EQ(wallpaper[i].Bottom, status[i].Top) << "the wallpaper ends above the status line";
  }
  EXPECT_EQ(keyboard[2].Width(), 1092) << "scale 6 at 1920 x 1200";
}

// A line may make the task display lower, and the keyboard's room taller with it; a room that
// gives the keyboard the same scale leaves its keys as they are drawn, while a theme draws them
// anew.
TEST_F(SessionFormTest, ALowerTaskDisplayRedrawsTheKeyboardOnlyWhenItsScaleChanges) {
  Run([&](TSessionForm& form) {
    for (int i = 0; i < 10; ++i) Key(ScUp);
    TLTKeyboard* keyboard = form.getKeyboard();
    TCanvas* keys = keyboard->getCanvas();
    const TColor mark = 0x123456;
    keys->setPixel(0, 0, mark);
    const int taskHeight = form.getTaskVisualizer()->Height(), scale = keyboard->Scale();
    // A line this long is typed in a small font.
    form.getTask()->Text = std::string(200, 'w');
    form.getTask()->Restart();
    form.actCompileWorkspace->Execute();
    ASSERT_LT(form.getTaskVisualizer()->Height(), taskHeight);
    ASSERT_EQ(keyboard->Scale(), scale) << "the keyboard's width sets its scale at 1920 x 1200";
    EXPECT_EQ(keys->Pixels(0, 0), mark) << "the keys were drawn anew";
    form.actChangeTheme->Execute();
    EXPECT_NE(keys->Pixels(0, 0), mark) << "a theme draws the keys anew";
  });
}

TEST_F(SessionFormTest, AThemeWithoutKeysGetsThemWritten) {
  const std::string theme = ThemesDir() + "/Bare.ini";
  TempDir::Write(theme, "[Session.Space]\r\nBackground=#102030\r\n");
  Run([&](TSessionForm& form) {
    EXPECT_EQ(form.Color(), static_cast<TColor>(0x302010));
    EXPECT_EQ(form.pnBasePanel->Color(), static_cast<TColor>(0x3C2C2B));
  });
  TIniOptions written(theme, false);
  EXPECT_EQ(written.ReadString("Session.Space", "Background", ""), "#102030");
  EXPECT_EQ(written.ReadString("Session.Space", "Border", ""), "#2B2C3C");
  EXPECT_EQ(written.ReadString("Session.Task", "UserString.ErrorCharColor", ""), "#FF0000");
  EXPECT_EQ(written.ReadString("Session.Keyboard.Button.Zone9", "BorderColor", ""), "#3C3C80");
  EXPECT_EQ(written.ReadString("Session.StatusBar", "Backrgound", ""), "#000000");
}

// A profile may come from anywhere: its theme may name any file, by a whole path, by a path
// out of the themes folder, or through a link that the themes folder holds. Such a theme is
// shown, but neither it nor anything else outside the themes folder is written.
TEST_F(SessionFormTest, AThemeOutsideTheThemesFolderIsReadAndNeverWritten) {
  TempDir elsewhere;
  // No CR LF and most keys missing: a write would show.
  const std::string notes = "[Session.Space]\nBackground=#102030\n";
  TempDir::Write(elsewhere / "notes.ini", notes);
  fs::create_symlink(elsewhere / "notes.ini", ThemesDir() + "/Link.ini");
  fs::create_symlink(elsewhere.path(), ThemesDir() + "/Linked");
  const struct {
    const char* name;
    std::string theme;
  } cases[] = {
      {"WholePath", elsewhere / "notes.ini"},
      {"PathOutOfTheFolder", fs::relative(elsewhere / "notes.ini", ThemesDir()).string()},
      {"LinkInTheFolder", "Link.ini"},
      {"FileInALinkedFolder", "Linked/notes.ini"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Form.reset();
    User->getOptions()->WriteString("SessionForm", "Theme", c.theme);
    const auto themes = TempDir::Contents(ThemesDir());
    {
      NotedWrites writes;
      Run([](TSessionForm& form) {
        EXPECT_EQ(form.Color(), static_cast<TColor>(0x302010)) << "the theme shows";
        EXPECT_EQ(form.pnBasePanel->Color(), static_cast<TColor>(0x3C2C2B));
      });
      Form.reset();
      EXPECT_EQ(writes.In(elsewhere.path()), std::vector<std::string>());
      EXPECT_EQ(writes.In(ThemesDir()), std::vector<std::string>());
    }
    EXPECT_EQ(TempDir::Read(elsewhere / "notes.ini"), notes);
    EXPECT_EQ(TempDir::Contents(ThemesDir()), themes);
  }
}

// An earlier release stored the theme's whole path; the theme is still found, and kept by its
// name from then on.
TEST_F(SessionFormTest, AThemeStoredByItsWholePathIsFoundAndKeptByItsName) {
  fs::copy_file(std::string(LOMTAK_DIST_DIR) + "/Environment/Themes/Default.ini",
                ThemesDir() + "/A.ini");
  fs::create_directory(ThemesDir() + "/Sub");
  fs::copy_file(std::string(LOMTAK_DIST_DIR) + "/Environment/Themes/Light.ini",
                ThemesDir() + "/Sub/B.ini");
  User->getOptions()->WriteString("SessionForm", "Theme", ThemesDir() + "/Sub/B.ini");
  Run([&](TSessionForm& form) {
    EXPECT_EQ(form.getThemeList()->CurrentFile(), ThemesDir() + "/Sub/B.ini");
  });
  Form.reset();
  EXPECT_EQ(User->getOptions()->ReadString("SessionForm", "Theme", ""), "Sub/B.ini");
  Run([&](TSessionForm& form) {
    EXPECT_EQ(form.getThemeList()->CurrentFile(), ThemesDir() + "/Sub/B.ini");
  });
}

TEST_F(SessionFormTest, EveryShippedThemeListsEveryKey) {
  for (const char* name : {"Default.ini", "Light.ini", "Night.ini"}) {
    SCOPED_TRACE(name);
    const std::string theme = ThemesDir() + "/" + name;
    fs::remove(theme);
    fs::copy_file(std::string(LOMTAK_DIST_DIR) + "/Environment/Themes/" + name, theme);
    const std::string shipped = TempDir::Read(theme);
    Form.reset();
    Run([](TSessionForm&) {});
    EXPECT_EQ(TempDir::Read(theme), shipped) << "loading it wrote a default";
    fs::remove(theme);
  }
}

// Every file the training screen writes: the theme's missing keys and the profile's defaults
// when it shows, the statistics after a line, the window's state when it closes.
TEST_F(SessionFormTest, OnAFullDiskEveryFileKeepsWhatItHeldAndTheScreenGoesOn) {
  TempDir::Write(ThemesDir() + "/Bare.ini", "[Session.Space]\r\nBackground=#102030\r\n");
  const auto before = TempDir::Contents(Program.getProgramDir());
  FaultyFileSystem disk;
  disk.FillAfter(0);
  Run([&](TSessionForm& form) {
    EXPECT_EQ(form.Color(), static_cast<TColor>(0x302010)) << "the theme shows";
    TypeLine();
    EXPECT_EQ(Boxes.Shown.size(), 1u) << "the statistics' error box";
    EXPECT_EQ(form.getTotals().TasksCount, 1) << "the line still counts";
    Key(ScPageUp);  // a state to save
  });
  Form.reset();
  EXPECT_EQ(TempDir::Contents(Program.getProgramDir()), before);
}

TEST_F(SessionFormTest, AnUnwritableStatisticsFolderShowsTheErrorAndLosesNothing) {
  FaultyFileSystem disk;
  size_t firstLine = 0, secondLine = 0;
  Run([&](TSessionForm& form) {
    disk.Fail(FileOperation::Create, "/English/", std::errc::permission_denied);
    firstLine = form.getTask()->Text.size();
    TypeLine();
    ASSERT_EQ(Boxes.Shown.size(), 1u) << "the error box";
    EXPECT_EQ(Boxes.Shown[0].Text, form.getMessage("Error.StatisticNotSaved")) << "says what";
    EXPECT_EQ(Boxes.Shown[0].Type, mtError) << "which keys typed on do not close at once";
    EXPECT_EQ(form.getTotals().TasksCount, 1) << "the line still counts";
    EXPECT_EQ(form.getTask()->Position, 0) << "and the next one is there";
    disk.Heal();
    secondLine = form.getTask()->Text.size();
    TypeLine();
  });
  EXPECT_EQ(Boxes.Shown.size(), 1u);
  const std::vector<int32_t> keystrokes = SavedKeystrokes();
  ASSERT_GE(keystrokes.size(), 2u);
  EXPECT_EQ(keystrokes[0], static_cast<int32_t>(firstLine)) << "the line the failed save held";
  EXPECT_EQ(keystrokes[1], static_cast<int32_t>(secondLine));
  // The screen and its picture loader go before the file system they use.
  Form.reset();
}

// A line's end does not wait for the disk: with the run's file made, the next line is there
// while the save of the last one still syncs, held here until well after a line end that waited
// would have come back. Closing the screen waits for it.
TEST_F(SessionFormTest, TheNextLineComesWhileTheSaveOfTheLastOneSyncs) {
  FaultyFileSystem disk;
  size_t secondLine = 0;
  Run([&](TSessionForm& form) {
    TypeLine();
    disk.HoldSyncs(".stat");
    std::thread later([&] {
      std::this_thread::sleep_for(std::chrono::milliseconds(500));
      disk.HoldSyncs("");
      disk.LetThrough();
    });
    secondLine = form.getTask()->Text.size();
    TypeLine();
    EXPECT_EQ(disk.HeldDone(), 0) << "the line's end waited for the sync";
    EXPECT_EQ(form.getTask()->Position, 0) << "the next line is there";
    later.join();
  });
  Form.reset();
  EXPECT_TRUE(Boxes.Shown.empty());
  const std::vector<int32_t> keystrokes = SavedKeystrokes();
  ASSERT_EQ(keystrokes.size(), 2u);
  EXPECT_EQ(keystrokes[1], static_cast<int32_t>(secondLine));
}

// Another copy of the program (of an earlier release, which holds no user) deletes the user
// while the screen trains her: the lines are not saved, which the box says, and neither the
// statistics nor the screen's state make her folder anew, so that she does not come back
// without her password.
TEST_F(SessionFormTest, AUserDeletedWhileTrainingIsNotMadeAgain) {
  User->setPassword("pw");
  const std::string profile = User->getProfileFolder();
  Run([&](TSessionForm& form) {
    fs::remove_all(profile);
    TypeLine();
    ASSERT_EQ(Boxes.Shown.size(), 1u);
    EXPECT_EQ(Boxes.Shown[0].Text, form.getMessage("Error.StatisticNotSaved"));
    Key(ScPageUp);  // a state to save
  });
  Form.reset();
  EXPECT_FALSE(fs::exists(profile));
}

}  // namespace
