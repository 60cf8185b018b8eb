#include "app/tsite.h"

#include <gtest/gtest.h>

#include <vector>

#include "app/tversion.h"
#include "platform/openaddress.h"
#include "toolkit/codepage.h"

namespace {

const std::string kProgramVersion = TVersion(nullptr).getFileVersion();

TEST(TSite, AddressesNameTheActionTheVersionAndTheCaller) {
  TSite site;
  const std::string base = "http://" + site.getHost() + "/welcome";
  struct Case {
    const char* name;
    int action;
    std::string from, address;
  } cases[] = {
      {"Visit", 0, "About", "?action=visit&version=" + kProgramVersion + "&from=About"},
      {"CheckUpdate", 2, "StartForm",
       "?action=checkupdate&version=" + kProgramVersion + "&from=StartForm"},
      {"Support", 3, "About", "?action=support&version=" + kProgramVersion + "&from=About"},
      {"Cabinet", 4, "OnlineForm",
       "?action=cabinet&version=" + kProgramVersion + "&from=OnlineForm"},
      {"One", 1, "About", "?action=none&version=" + kProgramVersion + "&from=About"},
      {"Five", 5, "About", "?action=none&version=" + kProgramVersion + "&from=About"},
      {"MinusOne", -1, "About", "?action=none&version=" + kProgramVersion + "&from=About"},
      {"TagUnescaped", 0, "a b&c", "?action=visit&version=" + kProgramVersion + "&from=a b&c"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(site.getURL(static_cast<TSiteAction>(c.action), c.from), base + c.address);
  }
  EXPECT_EQ(site.getHost().find('/'), std::string::npos);
}

TEST(TSite, OpenURLHandsTheAddressToTheShell) {
  std::vector<std::string> opened;
  TOpenAddressHandler previous =
      SetOpenAddressHandler([&opened](const std::string& address) { opened.push_back(address); });
  TSite site;
  site.OpenURL(0, "StartForm");
  SetOpenAddressHandler(previous);
  EXPECT_EQ(opened, std::vector<std::string>{site.getURL(0, "StartForm")});
  // With no opener installed nothing happens, and nothing is reported.
  site.OpenURL(0, "About");
  EXPECT_EQ(opened.size(), 1u);
}

TEST(TSite, AQueryValueKeepsItsBlanksAmpersandsAndLettersInside) {
  struct Case {
    const char* name;
    std::string text, encoded;
  } cases[] = {
      {"Plain", "Ivan_Petrov-2.0~", "Ivan_Petrov-2.0~"},
      {"Blank", "Anna Smith", "Anna%20Smith"},
      {"Injection", "a&action=support#x", "a%26action%3Dsupport%23x"},
      {"Cyrillic", FromUtf8("Иван Пётр"), "%D0%98%D0%B2%D0%B0%D0%BD%20%D0%9F%D1%91%D1%82%D1%80"},
      {"PlusAndPercent", "1+1=2%", "1%2B1%3D2%25"},
      {"Empty", "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(TSite::EncodeQueryValue(c.text), c.encoded);
  }
}

}  // namespace
