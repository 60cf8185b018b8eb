#include "toolkit/gui/webbrowser.h"

#include <gtest/gtest.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <unistd.h>

#include <QImage>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <string>

#include "support/guiapplication.h"
#include "support/httpserver.h"
#include "support/messageboxes.h"
#include "support/tempdir.h"
#include "toolkit/fileio.h"
#include "toolkit/gui/form.h"
#include "toolkit/gui/helpfile.h"

namespace {

const std::string kHelpFile = LOMTAK_TEST_HELP_FILE;

std::string HelpPage(const std::string& file, const std::string& page) {
  return "mk:@MSITStore:" + file + "::" + page;
}

class WebBrowserTest : public testing::Test {
protected:
  void SetUp() override {
    form = new TForm(nullptr);
    form->SetBounds(0, 0, 400, 300);
    browser = new TCppWebBrowser(form);
    browser->setParent(form);
    browser->SetBounds(0, 0, 400, 300);
  }
  void TearDown() override {
    Free(form);
    // A browser reports nothing: whatever failed shows as a page.
    EXPECT_TRUE(Boxes.Shown.empty());
  }

  QTextBrowser* view() const { return static_cast<QTextBrowser*>(browser->Handle()); }
  QString Text() const { return view()->toPlainText(); }
  bool WaitForPage() {
    return QTest::qWaitFor([this] { return !browser->Busy(); }, 10000);
  }
  // The picture the page names, as the page got it.
  QImage Picture(const QString& name) const {
    return view()->document()->resource(QTextDocument::ImageResource, QUrl(name)).value<QImage>();
  }

  MessageBoxes Boxes;
  TForm* form = nullptr;
  TCppWebBrowser* browser = nullptr;
};

TEST(HelpFileTest, ReadsWhatTheToolStoredByPathWithoutRegardToCaseAndNothingElse) {
  THelpFile help(kHelpFile);
  ASSERT_TRUE(help.IsOpen());
  std::string page;
  EXPECT_TRUE(help.Read("/index.htm", page));
  EXPECT_NE(page.find("<h1>First page</h1>"), std::string::npos);
  EXPECT_TRUE(help.Read("Pages/SECOND.htm", page));
  EXPECT_NE(page.find("Second page"), std::string::npos);
  EXPECT_FALSE(help.Read("/pages/none.htm", page));
  EXPECT_TRUE(page.empty());
  EXPECT_FALSE(help.Read("/pages/", page));

  TempDir dir;
  TempDir::Write(dir / "broken.chm", "ITSF and nothing more");
  for (const std::string& path : {dir / "none.chm", dir / "broken.chm", dir.path()}) {
    SCOPED_TRACE(path);
    THelpFile closed(path);
    EXPECT_FALSE(closed.IsOpen());
    EXPECT_FALSE(closed.Read("/index.htm", page));
  }
}

long PageFaults() {
  rusage usage{};
  getrusage(RUSAGE_THREAD, &usage);
  return usage.ru_minflt + usage.ru_majflt;
}

// A fork to read the file would leave every page of the program copy-on-write: the program's
// next write to each of them (a screen of pixels) would fault.
TEST(HelpFileTest, OpeningOneLeavesTheProgramsPagesWritable) {
  const size_t page = static_cast<size_t>(sysconf(_SC_PAGESIZE)), pages = 4096;
  void* memory =
      mmap(nullptr, page * pages, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  ASSERT_NE(memory, MAP_FAILED);
  // Huge pages would fault once per two megabytes whatever happened.
  madvise(memory, page * pages, MADV_NOHUGEPAGE);
  auto* bytes = static_cast<volatile char*>(memory);
  auto writeEveryPage = [&] {
    for (size_t i = 0; i < pages; ++i) bytes[i * page] = static_cast<char>(i);
  };
  writeEveryPage();

  THelpFile help(kHelpFile);
  ASSERT_TRUE(help.IsOpen());
  const long before = PageFaults();
  writeEveryPage();
  EXPECT_LT(PageFaults() - before, long(pages / 10));
  munmap(memory, page * pages);
}

// chmlib crashes or loops on such files when it reads them.
TEST(HelpFileTest, ADamagedFileNeitherCrashesNorHangs) {
  std::string good;
  ASSERT_TRUE(ReadFileBytes(kHelpFile, good));
  const size_t control = good.find("LZXC");
  ASSERT_NE(control, std::string::npos);
  struct Case {
    const char* name;
    size_t at;
    char byte;
    bool opens;
  };
  const Case cases[] = {
      {"the version of the compression data", control + 7, '\x4c', false},
      {"the file length in the header", 139, '\xde', true},
  };
  TempDir dir;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string bytes = good;
    bytes[c.at] = c.byte;
    TempDir::Write(dir / "damaged.chm", bytes);
    THelpFile damaged(dir / "damaged.chm");
    EXPECT_EQ(damaged.IsOpen(), c.opens);
    std::string page;
    EXPECT_FALSE(damaged.Read("/index.htm", page));
  }
}

TEST_F(WebBrowserTest, AHelpPageShowsWithItsPictureAndStyleAndItsLinksStayInTheFile) {
  browser->Navigate(HelpPage(kHelpFile, "/index.htm"));
  EXPECT_EQ(browser->LocationURL(), HelpPage(kHelpFile, "/index.htm"));
  EXPECT_TRUE(Text().contains("First page"));
  EXPECT_EQ(Picture("images/pixels.png").size(), QSize(3, 2));
  EXPECT_EQ(Picture("images/pixels.png").pixelColor(0, 0), QColor(0, 0, 255));
  QTextFragment heading = view()->document()->begin().begin().fragment();
  EXPECT_EQ(heading.text(), "First page");
  EXPECT_EQ(heading.charFormat().foreground().color(), QColor(255, 0, 0));

  // The link, reached with the keyboard as a reader would.
  form->Show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(form->Handle()));
  view()->setFocus();
  QTest::keyClick(view(), Qt::Key_Tab);
  QTest::keyClick(view(), Qt::Key_Return);
  EXPECT_EQ(browser->LocationURL(), HelpPage(kHelpFile, "/pages/second.htm"));
  EXPECT_TRUE(Text().contains(QString::fromUtf8("Second page: Привет")));
  // A link one folder up, relative to the second page.
  EXPECT_EQ(Picture("../images/pixels.png").size(), QSize(3, 2));
}

TEST_F(WebBrowserTest, AHelpPageReachesNoFileOutsideItsHelpFile) {
  const QUrl outside =
      QUrl::fromLocalFile(QString(LOMTAK_TEST_DATA_DIR) + "/helpfile/images/pixels.png");
  browser->Navigate(HelpPage(kHelpFile, "/index.htm"));
  EXPECT_FALSE(
      view()->loadResource(QTextDocument::ImageResource, outside).toByteArray().contains("PNG"));
  emit view()->anchorClicked(outside);
  EXPECT_EQ(browser->LocationURL(), HelpPage(kHelpFile, "/index.htm"));
}

TEST_F(WebBrowserTest, NavigatingToTheSamePageAgainShowsItsStartAfresh) {
  browser->Navigate(HelpPage(kHelpFile, "/index.htm"));
  view()->setHtml("changed");
  browser->Navigate(HelpPage(kHelpFile, "/index.htm"));
  EXPECT_TRUE(Text().contains("First page"));
}

TEST_F(WebBrowserTest, WhatCannotBeLoadedShowsAPageSayingSo) {
  TempDir dir;
  struct Case {
    const char* name;
    std::string address;
    const char* reason;
  };
  const Case cases[] = {
      {"a missing help file", HelpPage(dir / "Manual.chm", "/index.htm"), "cannot be opened"},
      {"a page the help file lacks", HelpPage(kHelpFile, "/none.htm"), "no such page"},
      {"a missing local file", dir / "none.htm", "cannot be read"},
      {"an address of no known kind", "gopher://127.0.0.1/", "not supported"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    browser->Navigate(c.address);
    EXPECT_FALSE(browser->Busy());
    EXPECT_TRUE(Text().contains("This page cannot be shown"));
    EXPECT_TRUE(Text().contains(c.reason)) << Text().toStdString();
  }
}

TEST_F(WebBrowserTest, AHelpFileThatAppearsLaterIsOpenedOnTheNextVisit) {
  TempDir dir;
  const std::string later = dir / "Later.chm";
  browser->Navigate(HelpPage(later, "/index.htm"));
  EXPECT_TRUE(Text().contains("cannot be opened"));
  std::string bytes;
  ASSERT_TRUE(ReadFileBytes(kHelpFile, bytes));
  TempDir::Write(later, bytes);
  browser->Navigate(HelpPage(later, "/index.htm"));
  EXPECT_TRUE(Text().contains("First page"));
}

TEST_F(WebBrowserTest, ALocalFileShowsWithThePictureBesideIt) {
  TempDir dir;
  std::string picture;
  ASSERT_TRUE(
      ReadFileBytes(std::string(LOMTAK_TEST_DATA_DIR) + "/helpfile/images/pixels.png", picture));
  TempDir::Write(dir / "dot.png", picture);
  TempDir::Write(dir / "page.htm",
                 "<html><body><p>Local page</p><img src=\"dot.png\"></body></html>");
  for (const std::string& address : {dir / "page.htm", "file://" + dir / "page.htm"}) {
    SCOPED_TRACE(address);
    browser->Navigate(address);
    EXPECT_TRUE(Text().contains("Local page"));
    EXPECT_EQ(Picture("dot.png").size(), QSize(3, 2));
  }
}

TEST_F(WebBrowserTest, AWebPageShowsWhenItsReplyComes) {
  HttpServer server("<html><body><p>Cabinet of Иван</p></body></html>");
  const std::string address = server.Address("/welcome?action=cabinet&name=a%20b");
  browser->Navigate(address);
  EXPECT_TRUE(browser->Busy());
  EXPECT_EQ(browser->LocationURL(), address);
  ASSERT_TRUE(WaitForPage());
  EXPECT_TRUE(Text().contains(QString::fromUtf8("Cabinet of Иван")));
  EXPECT_EQ(browser->LocationURL(), address);
  EXPECT_TRUE(server.Request.startsWith("GET /welcome?action=cabinet&name=a%20b HTTP/1.1"));
}

TEST_F(WebBrowserTest, AWebPagesPicturesAndStyleComeAfterItAndItIsLaidOutAgainWithThem) {
  std::string picture;
  ASSERT_TRUE(
      ReadFileBytes(std::string(LOMTAK_TEST_DATA_DIR) + "/helpfile/images/pixels.png", picture));
  // A page from the web reaches no file of this computer, not even a picture.
  TempDir dir;
  TempDir::Write(dir / "local.png", picture);
  const std::string local = "file://" + dir / "local.png";
  HttpServer server(QByteArray::fromStdString(
      "<html><head><link rel=\"stylesheet\" type=\"text/css\" href=\"css/site.css\"></head>"
      "<body><h1>Site</h1><img src=\"/dot.png\"><img src=\"none.png\"><img src=\"" +
      local + "\"><a href=\"" + local + "\">local</a></body></html>"));
  server.Parts["/dot.png"] = QByteArray::fromStdString(picture);
  server.Parts["/css/site.css"] = "h1 { color: #ff0000; }";
  server.Parts["/none.png"] = "no picture at all";
  // Pictures are asked for when the page is laid out on the screen.
  form->Show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(form->Handle()));
  const std::string address = server.Address("/index.htm");
  browser->Navigate(address);
  ASSERT_TRUE(QTest::qWaitFor([&] { return server.Request.contains("GET /dot.png"); }, 10000));
  ASSERT_TRUE(WaitForPage());
  EXPECT_TRUE(Text().contains("Site"));
  EXPECT_EQ(Picture("/dot.png").size(), QSize(3, 2));
  EXPECT_TRUE(Picture("none.png").isNull());
  EXPECT_TRUE(Picture(QString::fromStdString(local)).isNull());
  QTextFragment heading = view()->document()->begin().begin().fragment();
  EXPECT_EQ(heading.charFormat().foreground().color(), QColor(255, 0, 0));
  // Each part was asked for once.
  EXPECT_EQ(server.Request.count("GET /dot.png"), 1);
  EXPECT_EQ(server.Request.count("GET /css/site.css"), 1);
  emit view()->anchorClicked(QUrl(QString::fromStdString(local)));
  EXPECT_EQ(browser->LocationURL(), address);
}

TEST_F(WebBrowserTest, AfterAWebPageAHelpPageAndALocalFileStillShow) {
  HttpServer server("<html><body><p>Cabinet</p></body></html>");
  browser->Navigate(server.Address("/welcome"));
  ASSERT_TRUE(WaitForPage());
  ASSERT_TRUE(Text().contains("Cabinet"));
  browser->Navigate(HelpPage(kHelpFile, "/index.htm"));
  EXPECT_TRUE(Text().contains("First page"));
  browser->Navigate(server.Address("/welcome"));
  ASSERT_TRUE(WaitForPage());
  browser->Navigate(std::string(LOMTAK_TEST_DATA_DIR) + "/helpfile/index.htm");
  EXPECT_TRUE(Text().contains("First page"));
}

TEST_F(WebBrowserTest, AnUnreachableSiteShowsAPageSayingSo) {
  browser->Navigate(HttpServer::RefusedAddress("/welcome"));
  ASSERT_TRUE(WaitForPage());
  EXPECT_TRUE(Text().contains("This page cannot be shown"));
  EXPECT_TRUE(Text().contains("The site cannot be reached"));
}

TEST_F(WebBrowserTest, ALaterAddressWinsOverAReplyStillOnItsWay) {
  HttpServer silent("never sent", false);
  browser->Navigate(silent.Address("/slow"));
  ASSERT_TRUE(QTest::qWaitFor([&] { return !silent.Request.isEmpty(); }, 10000));
  browser->Navigate(HelpPage(kHelpFile, "/index.htm"));
  EXPECT_FALSE(browser->Busy());
  QTest::qWait(100);
  EXPECT_TRUE(Text().contains("First page"));
  // A browser destroyed with a request on its way leaves nothing behind to call it.
  browser->Navigate(silent.Address("/slow"));
  Free(browser);
  QTest::qWait(100);
}

TEST_F(WebBrowserTest, PrintGivesThePageShownToTheHandler) {
  QString printed;
  int prints = 0;
  TPrintHandler before = SetPrintHandler([&](QTextDocument& page) {
    printed = page.toPlainText();
    ++prints;
  });
  browser->Navigate(HelpPage(kHelpFile, "/index.htm"));
  browser->ExecWB(OLECMDID_PRINT, OLECMDEXECOPT_DODEFAULT);
  EXPECT_EQ(prints, 1);
  EXPECT_TRUE(printed.contains("First page"));
  browser->ExecWB(OLECMDID_PRINT + 1, OLECMDEXECOPT_DODEFAULT);
  EXPECT_EQ(prints, 1);
  SetPrintHandler(before);
}

}  // namespace
