// Draws the pictures of the windows (resources/pictures): the 108 avatars, taken from the colour
// emoji font that Debian ships (fonts-noto-color-emoji, SIL Open Font License), the backgrounds,
// the four-state buttons, the close and menu pictures, the start window's splash, its lower band
// and the three seasonal pictures, and the logo, backgrounds, buttons and header of the manual,
// about and online windows. The same input gives the same files. Rebuild them with:
//   build/tools/lomtak-window-pictures resources/pictures

#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr char kEmojiFont[] = "/usr/share/fonts/truetype/noto/NotoColorEmoji.ttf";

// The avatars, in index order: animals, faces and things a pupil may like.
const char32_t kAvatars[108] = {
    0x1F436, 0x1F431, 0x1F42D, 0x1F439, 0x1F430, 0x1F98A, 0x1F43B, 0x1F43C, 0x1F428, 0x1F42F,
    0x1F981, 0x1F42E, 0x1F437, 0x1F438, 0x1F435, 0x1F414, 0x1F427, 0x1F426, 0x1F424, 0x1F986,
    0x1F985, 0x1F989, 0x1F987, 0x1F43A, 0x1F417, 0x1F434, 0x1F984, 0x1F41D, 0x1F41B, 0x1F98B,
    0x1F40C, 0x1F41E, 0x1F41C, 0x1F577, 0x1F422, 0x1F40D, 0x1F98E, 0x1F419, 0x1F991, 0x1F990,
    0x1F980, 0x1F421, 0x1F420, 0x1F41F, 0x1F42C, 0x1F433, 0x1F988, 0x1F40A, 0x1F405, 0x1F406,
    0x1F993, 0x1F98D, 0x1F418, 0x1F99B, 0x1F98F, 0x1F42A, 0x1F992, 0x1F998, 0x1F403, 0x1F40E,
    0x1F411, 0x1F410, 0x1F98C, 0x1F415, 0x1F408, 0x1F413, 0x1F983, 0x1F99A, 0x1F99C, 0x1F9A2,
    0x1F54A, 0x1F407, 0x1F99D, 0x1F9A8, 0x1F9A1, 0x1F9A6, 0x1F9A5, 0x1F401, 0x1F43F, 0x1F994,
    0x1F600, 0x1F60E, 0x1F913, 0x1F920, 0x1F921, 0x1F47B, 0x1F47D, 0x1F916, 0x1F383, 0x1F31E,
    0x1F31B, 0x2B50,  0x1F308, 0x26A1,  0x2744,  0x1F525, 0x1F34E, 0x1F34A, 0x1F349, 0x1F353,
    0x1F352, 0x1F351, 0x1F34D, 0x1F965, 0x1F955, 0x1F33D, 0x1F344, 0x1F335,
};

// One emoji, as large as the font draws it, cut to its own bounds.
QImage Emoji(char32_t code) {
  QFont font("Noto Color Emoji");
  font.setPixelSize(109);
  QImage big(160, 160, QImage::Format_ARGB32_Premultiplied);
  big.fill(Qt::transparent);
  {
    QPainter p(&big);
    p.setFont(font);
    p.drawText(QRect(0, 0, 160, 160), Qt::AlignCenter, QString::fromUcs4(&code, 1));
  }
  QRect bounds;
  for (int y = 0; y < big.height(); ++y)
    for (int x = 0; x < big.width(); ++x)
      if (qAlpha(big.pixel(x, y)) > 8) bounds |= QRect(x, y, 1, 1);
  return bounds.isEmpty() ? big : big.copy(bounds);
}

// The emoji scaled to fit a box of that size, centred in it, at that place of the picture.
void DrawEmoji(QPainter& p, char32_t code, const QRect& box) {
  QImage emoji = Emoji(code).scaled(box.size(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
  p.drawImage(box.x() + (box.width() - emoji.width()) / 2,
              box.y() + (box.height() - emoji.height()) / 2, emoji);
}

QImage Blank(int width, int height) {
  QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  return image;
}

// 108 avatars of 32 x 20 side by side.
QImage Avatars() {
  QImage strip = Blank(32 * 108, 20);
  QPainter p(&strip);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  for (int i = 0; i < 108; ++i) DrawEmoji(p, kAvatars[i], QRect(32 * i + 6, 0, 20, 20));
  return strip;
}

QImage MenuPicture(char32_t code) {
  QImage picture = Blank(16, 16);
  QPainter p(&picture);
  DrawEmoji(p, code, QRect(0, 0, 16, 16));
  return picture;
}

QImage Close() {
  QImage picture = Blank(19, 19);
  QPainter p(&picture);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(0x4A, 0x6A, 0x8C), 1));
  p.setBrush(QColor(0xE8, 0x5A, 0x4F));
  p.drawRoundedRect(QRectF(0.5, 0.5, 18, 18), 4, 4);
  p.setPen(QPen(Qt::white, 2.2, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(6, 6), QPointF(13, 13));
  p.drawLine(QPointF(13, 6), QPointF(6, 13));
  return picture;
}

QLinearGradient Vertical(int height, QColor top, QColor bottom) {
  QLinearGradient gradient(0, 0, 0, height);
  gradient.setColorAt(0, top);
  gradient.setColorAt(1, bottom);
  return gradient;
}

// A header band in the program's blue with an emoji in the box: the account and online windows.
QImage Header(int width, int height, char32_t emoji, const QRect& box) {
  QImage picture(width, height, QImage::Format_RGB32);
  QPainter p(&picture);
  p.fillRect(picture.rect(), Vertical(height, QColor(0x3E, 0x6F, 0xB0), QColor(0x24, 0x4C, 0x86)));
  p.setRenderHint(QPainter::Antialiasing);
  DrawEmoji(p, emoji, box);
  return picture;
}

// The four states of a button that is all picture, side by side: up, disabled, down, hot.
// `icon` draws the button's own picture on each state.
QImage Button(int width, int height, const std::function<void(QPainter&, int)>& icon) {
  const QColor tops[4] = {QColor(0xFF, 0xF3, 0xC4), QColor(0xE4, 0xE4, 0xE4),
                          QColor(0xF2, 0xC9, 0x4C), QColor(0xFF, 0xF8, 0xDC)};
  const QColor bottoms[4] = {QColor(0xF5, 0xC2, 0x42), QColor(0xC8, 0xC8, 0xC8),
                             QColor(0xE0, 0xA8, 0x20), QColor(0xFF, 0xD4, 0x5E)};
  QImage strip = Blank(4 * width, height);
  QPainter p(&strip);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  for (int state = 0; state < 4; ++state) {
    p.save();
    p.translate(state * width, 0);
    QLinearGradient fill = Vertical(height, tops[state], bottoms[state]);
    p.setPen(QPen(state == 1 ? QColor(0xA0, 0xA0, 0xA0) : QColor(0xB0, 0x80, 0x20), 1));
    p.setBrush(fill);
    p.drawRoundedRect(QRectF(1.5, 1.5, width - 3, height - 3), height / 4.0, height / 4.0);
    icon(p, state);
    p.restore();
  }
  return strip;
}

QImage Faded(QImage image) {
  QPainter p(&image);
  p.setCompositionMode(QPainter::CompositionMode_DestinationIn);
  p.fillRect(image.rect(), QColor(0, 0, 0, 110));
  return image;
}

// The icon at the left or right end of a button, faded on the disabled state.
std::function<void(QPainter&, int)> Icon(char32_t code, QRect box) {
  return [code, box](QPainter& p, int state) {
    QImage icon = Emoji(code).scaled(box.size(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
    if (state == 1) icon = Faded(icon);
    p.drawImage(box.x() + (box.width() - icon.width()) / 2,
                box.y() + (box.height() - icon.height()) / 2 + (state == 2 ? 1 : 0), icon);
  };
}

// Rows of key caps along the bottom of a picture, the trainer's own motif.
void Keys(QPainter& p, int width, int height, std::mt19937& random, QColor cap) {
  std::uniform_int_distribution<int> shade(-18, 18);
  const int size = 34, gap = 6;
  for (int row = 0; row < 3; ++row) {
    int y = height - (3 - row) * (size + gap) + 4;
    for (int x = -row * 12; x < width; x += size + gap) {
      QColor c = cap.lighter(100 + shade(random));
      p.setPen(QPen(c.darker(130), 1));
      p.setBrush(c);
      p.drawRoundedRect(QRectF(x, y, size, size), 6, 6);
    }
  }
}

// The start window's large picture: a sky, key caps, the program's name and the theme's
// emoji scattered over it.
QImage Splash(unsigned seed, QColor top, QColor bottom, QColor cap,
              const std::vector<char32_t>& motifs) {
  const int width = 796, height = 303;
  QImage picture(width, height, QImage::Format_RGB32);
  QPainter p(&picture);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  p.fillRect(picture.rect(), Vertical(height, top, bottom));
  std::mt19937 random(seed);
  std::uniform_real_distribution<double> x(0, width), y(0, height - 130), r(20, 90);
  for (int i = 0; i < 18; ++i) {
    QPointF centre(x(random), y(random));
    double radius = r(random);
    QRadialGradient glow(centre, radius);
    glow.setColorAt(0, QColor(255, 255, 255, 60));
    glow.setColorAt(1, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(centre, radius, radius);
  }
  Keys(p, width, height, random, cap);
  QFont title("Liberation Sans", 1, QFont::Bold);
  title.setPixelSize(64);
  const QRect name(40, 60, 500, 90);
  const int alignment = Qt::AlignLeft | Qt::AlignVCenter;
  // The name with its shadow and some room around it: no motif covers any of it.
  const QRect clear =
      QFontMetrics(title).boundingRect(name, alignment, "Lomtak").adjusted(-10, -10, 13, 13);
  std::uniform_int_distribution<int> size(34, 60);
  for (size_t i = 0; i < motifs.size() * 3; ++i) {
    int s = size(random);
    QRect place;
    do {
      place =
          QRect(static_cast<int>(x(random)) - s / 2, 40 + static_cast<int>(y(random)) / 2, s, s);
    } while (place.intersects(clear));
    DrawEmoji(p, motifs[i % motifs.size()], place);
  }
  // A dark strip under the notice line and the loading bar, dark enough for white text.
  p.fillRect(QRect(0, height - 24, width, 24), QColor(0, 0, 0, 170));
  p.setFont(title);
  p.setPen(QColor(0, 0, 0, 90));
  p.drawText(name.translated(3, 3), alignment, "Lomtak");
  p.setPen(Qt::white);
  p.drawText(name, alignment, "Lomtak");
  return picture;
}

QImage StartBand() {
  QImage picture(796, 150, QImage::Format_RGB32);
  QPainter p(&picture);
  p.fillRect(picture.rect(), Vertical(150, QColor(0xF4, 0xF7, 0xFB), QColor(0x9F, 0xB6, 0xD3)));
  return picture;
}

QImage LoginBackground() {
  const int width = 321, height = 320;
  QImage picture(width, height, QImage::Format_RGB32);
  QPainter p(&picture);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  p.fillRect(picture.rect(), Vertical(height, QColor(0x3E, 0x6F, 0xB0), QColor(0xC9, 0xDA, 0xEE)));
  DrawEmoji(p, 0x2328, QRect(14, 14, 60, 56));
  QFont title("Liberation Sans", 1, QFont::Bold);
  title.setPixelSize(34);
  p.setFont(title);
  p.setPen(Qt::white);
  p.drawText(QRect(86, 14, 220, 56), Qt::AlignLeft | Qt::AlignVCenter, "Lomtak");
  return picture;
}

// The manual, about and online windows: the program's name in ink on light pictures.
const QColor kInk(0x3C, 0x2C, 0x2B), kBlue(0x4A, 0x78, 0xC4);

// A key cap with a letter, as in the program's logo.
void KeyCap(QPainter& p, const QRectF& key, const QString& letter) {
  QLinearGradient cap(key.topLeft(), key.bottomLeft());
  cap.setColorAt(0, QColor(250, 250, 255));
  cap.setColorAt(1, QColor(170, 180, 205));
  p.setPen(QPen(QColor(60, 70, 100), 2));
  p.setBrush(cap);
  p.drawRoundedRect(key, key.width() / 6, key.width() / 6);
  QFont font("Liberation Sans", 1, QFont::Bold);
  font.setPixelSize(static_cast<int>(key.height() * 0.62));
  p.setFont(font);
  p.setPen(QColor(40, 50, 90));
  p.drawText(key, Qt::AlignCenter, letter);
}

// The program's name in ink and a line under it in blue, in Liberation Sans.
void NameAndLine(QPainter& p, const QRectF& name, int nameSize, const QRectF& line, int lineSize,
                 const QString& text, Qt::Alignment alignment) {
  QFont font("Liberation Sans", 1, QFont::Bold);
  font.setPixelSize(nameSize);
  p.setFont(font);
  p.setPen(kInk);
  p.drawText(name, alignment | Qt::AlignVCenter, "Lomtak");
  font.setPixelSize(lineSize);
  font.setBold(false);
  p.setFont(font);
  p.setPen(kBlue);
  p.drawText(line, alignment | Qt::AlignVCenter, text);
}

// The manual's logo for its left column: the key cap over the name.
QImage ManualLogo() {
  QImage picture = Blank(104, 96);
  QPainter p(&picture);
  p.setRenderHint(QPainter::Antialiasing);
  KeyCap(p, QRectF(28, 2, 48, 48), "L");
  NameAndLine(p, QRectF(0, 52, 104, 26), 24, QRectF(0, 76, 104, 18), 13, "manual",
              Qt::AlignHCenter);
  return picture;
}

// Rows of faint key caps fading downwards.
void FaintKeys(QPainter& p, QRectF area, int size, int alpha) {
  p.setRenderHint(QPainter::Antialiasing);
  for (int row = 0; area.top() + row * (size + 6) < area.bottom(); ++row) {
    const double y = area.top() + row * (size + 6);
    const int fade = std::max(0, alpha - row * alpha / 6);
    for (double x = area.left() + (row % 2) * size / 2.0 - size; x < area.right(); x += size + 6) {
      p.setPen(QPen(QColor(74, 120, 196, fade), 1.5));
      p.setBrush(QColor(255, 255, 255, fade));
      p.drawRoundedRect(QRectF(x, y, size, size), 5, 5);
    }
  }
}

// The right column of the manual window, behind its buttons.
QImage ManualBackground() {
  QImage picture(118, 455, QImage::Format_RGB32);
  QPainter p(&picture);
  p.fillRect(picture.rect(), Vertical(455, QColor(222, 233, 250), Qt::white));
  FaintKeys(p, QRectF(0, 40, 118, 200), 30, 110);
  return picture;
}

QImage AboutBackground() {
  QImage picture(512, 375, QImage::Format_RGB32);
  QPainter p(&picture);
  p.fillRect(picture.rect(), Vertical(375, QColor(200, 218, 246), QColor(246, 249, 255)));
  FaintKeys(p, QRectF(0, 8, 512, 110), 34, 90);
  KeyCap(p, QRectF(40, 112, 56, 56), "L");
  NameAndLine(p, QRectF(110, 108, 380, 44), 40, QRectF(112, 148, 380, 22), 15,
              "the touch-typing trainer that follows you", Qt::AlignLeft);
  p.fillRect(QRectF(40, 182, 432, 1), QColor(74, 120, 196, 90));
  return picture;
}

bool Save(const QImage& image, const std::string& file) {
  const bool photo = file.ends_with(".jpg");
  if (image.save(QString::fromStdString(file), nullptr, photo ? 88 : -1)) return true;
  std::fprintf(stderr, "lomtak-window-pictures: cannot write %s\n", file.c_str());
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: lomtak-window-pictures RESOURCE-FOLDER\n");
    return 2;
  }
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QGuiApplication application(argc, argv);
  if (QFontDatabase::addApplicationFont(kEmojiFont) < 0) {
    std::fprintf(stderr, "lomtak-window-pictures: no colour emoji font at %s\n", kEmojiFont);
    return 1;
  }
  const std::string to = std::string(argv[1]) + "/";
  bool ok =
      Save(Avatars(), to + "avatars.png") && Save(Close(), to + "close.png") &&
      Save(MenuPicture(0x1F393), to + "menu-teach.png") &&
      Save(MenuPicture(0x1F511), to + "menu-password.png") &&
      Save(MenuPicture(0x274C), to + "menu-delete.png") &&
      Save(Header(259, 40, 0x2328, QRect(14, 4, 40, 32)), to + "account-header.png") &&
      Save(LoginBackground(), to + "login-background.jpg") &&
      Save(Button(200, 40, [](QPainter&, int) {}), to + "button-wide.png") &&
      Save(Button(200, 60, Icon(0x1F464, QRect(14, 10, 40, 40))), to + "button-add-user.png") &&
      Save(Button(200, 80, Icon(0x25B6, QRect(136, 18, 44, 44))), to + "button-start.png") &&
      Save(StartBand(), to + "start-band.png") && Save(ManualLogo(), to + "manual-logo.png") &&
      Save(ManualBackground(), to + "manual-background.png") &&
      Save(Button(60, 60, Icon(0x1F5A8, QRect(12, 12, 36, 36))), to + "manual-print.png") &&
      Save(Button(60, 60, Icon(0x2714, QRect(14, 14, 32, 32))), to + "manual-ok.png") &&
      Save(AboutBackground(), to + "about-background.png") &&
      Save(Button(74, 74, Icon(0x2714, QRect(17, 17, 40, 40))), to + "about-ok.png") &&
      Save(Header(790, 48, 0x1F310, QRect(728, 12, 24, 24)), to + "online-header.png") &&
      Save(Splash(11, QColor(0x2B, 0x5C, 0x9E), QColor(0x8E, 0xC3, 0xE8), QColor(0xF0, 0xF0, 0xF0),
                  {0x2728}),
           to + "start-splash.jpg") &&
      Save(Splash(12, QColor(0x0E, 0x2A, 0x4F), QColor(0x5D, 0x8C, 0xC0), QColor(0xE8, 0xF1, 0xFA),
                  {0x1F384, 0x2744, 0x1F381}),
           to + "visual-newyear.jpg") &&
      Save(Splash(13, QColor(0x2A, 0x12, 0x3E), QColor(0xD9, 0x6A, 0x1E), QColor(0x3A, 0x2A, 0x30),
                  {0x1F383, 0x1F987, 0x1F47B}),
           to + "visual-halloween.jpg") &&
      Save(Splash(14, QColor(0xB0, 0x1E, 0x48), QColor(0xF7, 0xB6, 0xC8), QColor(0xFF, 0xEE, 0xF2),
                  {0x2764, 0x1F495, 0x1F339}),
           to + "visual-valentine.jpg");
  return ok ? 0 : 1;
}
