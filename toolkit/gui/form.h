#pragma once
// A window: a windowed control over a Qt top-level widget. Its components come from its
// description, C++ code that creates them with their names, places, texts and handlers.
// OnCreate runs after the whole construction (at the first show, at the first turn of the
// message loop, or at AfterConstruction, whichever comes first); OnDestroy runs before any
// destructor, so a window with an OnDestroy handler is deleted with Free or by its owner.
// User-interface thread only.

#include "toolkit/gui/bitmap.h"
#include "toolkit/gui/wincontrol.h"
#include "toolkit/modalresult.h"

class QEventLoop;

enum TFormBorderStyle { bsSizeable, bsSingle, bsDialog, bsNone };
enum TFormStyle { fsNormal, fsStayOnTop };
// Centred forms are centred on the monitor of the main window (the primary one without it).
enum TPosition { poDesigned, poScreenCenter };

class TForm : public TWinControl {
public:
  explicit TForm(TComponent* Owner);
  ~TForm() override;
  void BeforeDestruction() override;
  void AfterConstruction();

  void setBorderStyle(TFormBorderStyle style);
  void setFormStyle(TFormStyle style);
  void setPosition(TPosition position) { position_ = position; }
  void setClientWidth(int width) { setWidth(width); }
  void setClientHeight(int height) { setHeight(height); }
  // Shown for the window by the desktop from its next showing on; the application's while
  // empty.
  TBitmap* Icon() { return &icon_; }

  // Shows the window (OnShow) or hides it (OnHide).
  void setVisible(bool visible) override;
  // Runs the window modally: it shows, OnActivate runs, and a nested message loop turns until
  // ModalResult is set; then it hides. Raises Exception for a window that is already visible.
  // A window destroyed during its run answers mrCancel.
  TModalResult ShowModal();
  TModalResult ModalResult() const { return modalResult_; }
  // A result other than mrNone ends the modal run.
  void setModalResult(TModalResult result);
  // Ends a modal run with mrCancel; otherwise hides, and the main window ends the program.
  void Close();
  bool Active() const;

  TNotifyEvent OnCreate;
  TNotifyEvent OnShow;
  TNotifyEvent OnActivate;
  // The window lost the keyboard focus, to another window of the program or to another program.
  TNotifyEvent OnDeactivate;
  TNotifyEvent OnHide;
  TNotifyEvent OnDestroy;

protected:
  bool WidgetEvent(QEvent* event) override;
  void TextChanged() override;
  void ColorChanged() override;
  void Publish(TPropList& properties) override;

private:
  void ApplyWindowFlags();
  void Center();

  TFormBorderStyle borderStyle_ = bsSizeable;
  TFormStyle formStyle_ = fsNormal;
  TPosition position_ = poDesigned;
  TModalResult modalResult_ = mrNone;
  QEventLoop* modalLoop_ = nullptr;
  TBitmap icon_;
  bool created_ = false;
  bool destroyed_ = false;
  bool shownOnce_ = false;
};

// The first window up the owner chain (the component itself when it is one), or none.
TForm* OwnerForm(TComponent* component);
