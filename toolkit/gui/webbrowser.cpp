#include "toolkit/gui/webbrowser.h"

#include <QApplication>
#include <QFile>
#include <QHash>
#include <QList>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPrintDialog>
#include <QPrinter>
#include <QScrollBar>
#include <QTextBrowser>
#include <QTextDocument>
#include <memory>
#include <utility>

#include "toolkit/fileio.h"
#include "toolkit/gui/application.h"
#include "toolkit/gui/helpfile.h"
#include "toolkit/sysutils.h"

namespace {

const std::string kHelpPrefix = "mk:@MSITStore:";
// A web page that has not come within this time is shown as unreachable.
constexpr int kTransferTimeoutMs = 20000;

void PrintWithDialog(QTextDocument& page) {
  QPrinter printer;
  QPrintDialog dialog(&printer, QApplication::activeWindow());
  if (dialog.exec() == QDialog::Accepted) page.print(&printer);
}

TPrintHandler& PrintHandler() {
  static TPrintHandler handler;
  return handler;
}

bool StartsWithText(const std::string& text, const std::string& prefix) {
  return SameText(text.substr(0, prefix.size()), prefix);
}

QByteArray ErrorPage(const QString& address, const QString& reason) {
  return ("<html><head><meta charset=\"utf-8\"></head><body>"
          "<h2>This page cannot be shown</h2><p><b>" +
          address.toHtmlEscaped() + "</b></p><p>" + reason.toHtmlEscaped() + "</p></body></html>")
      .toUtf8();
}

bool IsWeb(const QUrl& url) { return url.scheme() == "http" || url.scheme() == "https"; }

// Where a page's links and pictures may not lead, whatever they say: a page from the web leads
// only to the web, never into the files of this computer, and a page of a help file reaches
// what the file holds and the web, but no other file. The program itself navigates anywhere.
bool Barred(const QUrl& from, const QUrl& to) {
  if (IsWeb(from)) return !IsWeb(to);
  return from.scheme() == "chm" && to.isLocalFile();
}

QUrl WithoutFragment(QUrl url) {
  url.setFragment(QString());
  return url;
}

}  // namespace

TPrintHandler SetPrintHandler(TPrintHandler handler) {
  return std::exchange(PrintHandler(), std::move(handler));
}

// The text view with everything a page needs: the open help file, the web page last fetched
// with its pictures and style sheets, and the replies on their way. Pages of a help file go by
// the address "chm://helpN/page", N counting the files opened, so that no page of an earlier
// file is taken from a cache.
class TCppWebBrowser::Viewer : public QTextBrowser {
public:
  explicit Viewer(TCppWebBrowser* browser) : browser_(browser) {
    setOpenLinks(false);
    connect(this, &QTextBrowser::anchorClicked, this, [this](const QUrl& link) {
      if (Barred(source(), source().resolved(link))) return;
      Application->Dispatch(browser_, [&] { Follow(link); });
    });
  }
  ~Viewer() override { Cancel(); }

  void Navigate(const std::string& address) {
    if (StartsWithText(address, kHelpPrefix)) {
      const std::string rest = address.substr(kHelpPrefix.size());
      const size_t split = rest.find("::");
      const std::string file = rest.substr(0, split);
      const std::string page = split == std::string::npos ? "/" : rest.substr(split + 2);
      // A file that failed to open is tried again: it may be there now.
      if (!help_ || help_->Path() != file || !help_->IsOpen()) {
        help_ = std::make_unique<THelpFile>(file);
        ++helpNumber_;
      }
      QUrl root;
      root.setScheme("chm");
      root.setHost("help" + QString::number(helpNumber_));
      root.setPath("/");
      Follow(root.resolved(QUrl(QString::fromUtf8(page), QUrl::TolerantMode)));
    } else if (StartsWithText(address, "http://") || StartsWithText(address, "https://")) {
      Follow(QUrl::fromEncoded(QByteArray::fromStdString(address), QUrl::TolerantMode));
    } else if (StartsWithText(address, "file:")) {
      Follow(QUrl(QString::fromUtf8(address), QUrl::TolerantMode));
    } else if (address.find(':') == std::string::npos || address.starts_with('/')) {
      Follow(QUrl::fromLocalFile(QFile::decodeName(QByteArray::fromStdString(address))));
    } else {
      Follow(QUrl(QString::fromUtf8(address), QUrl::TolerantMode));
    }
  }

  std::string Location() const {
    const QUrl url = reply_ ? reply_->request().url() : source();
    if (url.scheme() != "chm" || !help_) return url.toEncoded().toStdString();
    return kHelpPrefix + help_->Path() +
           "::" + url.toString(QUrl::RemoveScheme | QUrl::RemoveAuthority).toStdString();
  }
  bool Busy() const { return reply_ || !parts_.isEmpty(); }

  QVariant loadResource(int type, const QUrl& name) override {
    const QUrl url = source().resolved(name);
    // Not an empty answer, for then the document would read a local file itself.
    // The page itself is asked for before it becomes the source.
    if (type != QTextDocument::HtmlResource && Barred(source(), url)) return QByteArray(1, ' ');
    QByteArray content;
    QString problem;
    if (url.scheme() == "chm") {
      problem = ReadHelp(url, content);
    } else if (url.isLocalFile()) {
      problem = ReadLocal(url, content);
    } else if (IsWeb(url)) {
      // A web page's pictures and style sheets come later: the page is laid out again then.
      const QUrl key = WithoutFragment(url);
      if (web_.contains(key)) {
        const QByteArray bytes = web_.value(key);
        return bytes.isEmpty() && type != QTextDocument::HtmlResource ? QVariant() : bytes;
      }
      if (type == QTextDocument::HtmlResource) {
        problem = "The page is not loaded.";
      } else {
        FetchPart(key);
        return QVariant();
      }
    } else {
      problem = "The address is not supported here.";
    }
    if (problem.isEmpty()) return content;
    // Only a page stands in for what is missing; a picture or a style sheet is left out.
    if (type != QTextDocument::HtmlResource) return QVariant();
    return ErrorPage(DisplayAddress(url), problem);
  }

private:
  void Follow(const QUrl& url) {
    if (IsWeb(url)) return Fetch(url);
    if (url.scheme() == "mk") return Navigate(url.toString().toStdString());
    Cancel();
    Show(url);
  }

  void Show(const QUrl& url) {
    if (url == source()) {
      reload();
    } else {
      setSource(url, QTextDocument::HtmlResource);
    }
  }

  QNetworkReply* Get(const QUrl& url, void (Viewer::*done)(QNetworkReply*)) {
    QNetworkRequest request(url);
    request.setTransferTimeout(kTransferTimeoutMs);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    if (!network_) network_ = new QNetworkAccessManager(this);
    QNetworkReply* reply = network_->get(request);
    connect(reply, &QNetworkReply::finished, this, [this, reply, done] {
      reply->deleteLater();
      Application->Dispatch(browser_, [&] { (this->*done)(reply); });
    });
    return reply;
  }

  void Fetch(const QUrl& url) {
    Cancel();
    web_.clear();
    reply_ = Get(url, &Viewer::Fetched);
  }

  void Fetched(QNetworkReply* reply) {
    reply_ = nullptr;
    const QUrl asked = reply->request().url();
    if (reply->error() == QNetworkReply::NoError) {
      webUrl_ = WithoutFragment(reply->url());
      web_.insert(webUrl_, reply->readAll());
    } else {
      webUrl_ = WithoutFragment(asked);
      web_.insert(webUrl_, ErrorPage(asked.toString(),
                                     "The site cannot be reached: " + reply->errorString()));
    }
    QUrl shown = webUrl_;
    shown.setFragment(asked.fragment());
    Show(shown);
  }

  // Asked once per page: a part that fails stays empty.
  void FetchPart(const QUrl& url) {
    web_.insert(url, QByteArray());
    parts_.push_back(Get(url, &Viewer::PartFetched));
  }

  void PartFetched(QNetworkReply* reply) {
    parts_.removeOne(reply);
    const QUrl url = WithoutFragment(reply->request().url());
    if (reply->error() == QNetworkReply::NoError) web_.insert(url, reply->readAll());
    if (!parts_.isEmpty()) return;
    // Once every part is in, the page is laid out with them where the reader is.
    const int at = verticalScrollBar()->value();
    reload();
    verticalScrollBar()->setValue(at);
  }

  // Drops the replies on their way, so that none shows.
  void Cancel() {
    QList<QNetworkReply*> replies = std::exchange(parts_, {});
    if (reply_) replies.push_back(std::exchange(reply_, nullptr));
    for (QNetworkReply* reply : replies) {
      reply->disconnect(this);
      reply->abort();
      reply->deleteLater();
    }
  }

  QString ReadHelp(const QUrl& url, QByteArray& content) const {
    if (!help_ || !help_->IsOpen()) return "The help file cannot be opened.";
    std::string bytes;
    if (!help_->Read(url.path().toStdString(), bytes)) return "The help file holds no such page.";
    content = QByteArray::fromStdString(bytes);
    return QString();
  }

  static QString ReadLocal(const QUrl& url, QByteArray& content) {
    std::string bytes, error;
    if (!ReadFileBytes(QFile::encodeName(url.toLocalFile()).toStdString(), bytes, &error))
      return "The file cannot be read: " + QString::fromStdString(error);
    content = QByteArray::fromStdString(bytes);
    return QString();
  }

  QString DisplayAddress(const QUrl& url) const {
    if (url.scheme() != "chm" || !help_) return url.toString();
    return QString::fromUtf8(kHelpPrefix + help_->Path() + "::") + url.path();
  }

  TCppWebBrowser* browser_;
  std::unique_ptr<THelpFile> help_;
  int helpNumber_ = 0;
  QNetworkAccessManager* network_ = nullptr;
  QNetworkReply* reply_ = nullptr;
  QList<QNetworkReply*> parts_;
  // The web page shown, and its parts, by address.
  QUrl webUrl_;
  QHash<QUrl, QByteArray> web_;
};

TCppWebBrowser::TCppWebBrowser(TComponent* Owner) : TWinControl(Owner, new Viewer(this)) {}

TCppWebBrowser::~TCppWebBrowser() = default;

TCppWebBrowser::Viewer* TCppWebBrowser::viewer() const { return static_cast<Viewer*>(Handle()); }

void TCppWebBrowser::Navigate(const std::string& URL) { viewer()->Navigate(URL); }

void TCppWebBrowser::ExecWB(int cmdID, int) {
  if (cmdID != OLECMDID_PRINT) return;
  if (PrintHandler()) {
    PrintHandler()(*viewer()->document());
  } else {
    PrintWithDialog(*viewer()->document());
  }
}

std::string TCppWebBrowser::LocationURL() const { return viewer()->Location(); }

bool TCppWebBrowser::Busy() const { return viewer()->Busy(); }
