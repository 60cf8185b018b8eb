#pragma once
// Windows of the run sequence that answer as a person would, without showing anything: each
// entry records what was opened for whom in Opened and gives the answer of its handler (by
// default: closed at once). Installed on the root while the object lives.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "engine/tcourse.h"
#include "foundation/troot.h"
#include "foundation/twindowopener.h"
#include "users/tuser.h"

class StubWindows final : public TWindowOpener {
public:
  explicit StubWindows(TRoot& root) : Root(root) { Root.setWindowOpener(this); }
  ~StubWindows() override { Root.setWindowOpener(nullptr); }
  StubWindows(const StubWindows&) = delete;
  StubWindows& operator=(const StubWindows&) = delete;

  bool ShowAddNewUser(TRoot*) override {
    Opened.push_back("AddNewUser");
    return AddNewUser && AddNewUser();
  }
  TUser* ShowLogin(TRoot*) override {
    Opened.push_back("Login");
    return Login ? Login() : nullptr;
  }
  TCourse* ShowStart(TUser* user) override {
    Opened.push_back("Start " + user->getName());
    return Start ? Start(user) : nullptr;
  }
  bool ShowAuthorization(TUser* user) override {
    Opened.push_back("Authorization " + user->getName());
    return Authorization && Authorization(user);
  }
  std::optional<std::string> ChangePassword(TUser* user) override {
    Opened.push_back("NewPassword " + user->getName());
    return NewPassword ? NewPassword(user) : std::nullopt;
  }
  void RunSession(TCourse* course, TUser* user) override {
    Opened.push_back("Session " + course->getName() + " " + user->getName());
  }

  std::function<bool()> AddNewUser;
  std::function<TUser*()> Login;
  std::function<TCourse*(TUser*)> Start;
  std::function<bool(TUser*)> Authorization;
  std::function<std::optional<std::string>(TUser*)> NewPassword;
  std::vector<std::string> Opened;

private:
  TRoot& Root;
};
