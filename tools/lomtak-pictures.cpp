// Draws the program's own pictures: the built-in wallpaper and the logo (resources/pictures)
// and the shipped wallpapers (dist/Environment/Wallpapers). Every picture is made from a fixed
// seed, so a rebuild gives the same files. Rebuild them with:
//   build/tools/lomtak-pictures resources/pictures dist/Environment/Wallpapers

#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <numbers>
#include <random>
#include <string>

namespace {

constexpr int kWidth = 1920, kHeight = 1200;

// A vertical gradient through the given stops.
void Sky(QPainter& p, std::initializer_list<std::pair<double, QColor>> stops) {
  QLinearGradient gradient(0, 0, 0, p.device()->height());
  for (const auto& [at, color] : stops) gradient.setColorAt(at, color);
  p.fillRect(0, 0, p.device()->width(), p.device()->height(), gradient);
}

// A ridge of hills: a sum of sines from the seed, filled to the bottom edge.
void Ridge(QPainter& p, std::mt19937& random, double baseline, double height, QColor color) {
  std::uniform_real_distribution<double> phase(0, 2 * std::numbers::pi);
  double a = phase(random), b = phase(random), c = phase(random);
  int w = p.device()->width(), h = p.device()->height();
  QPainterPath path(QPointF(0, h));
  for (int x = 0; x <= w; x += 4) {
    double t = static_cast<double>(x) / w;
    double y = baseline - height * (0.55 * std::sin(2.1 * std::numbers::pi * t + a) +
                                    0.30 * std::sin(5.3 * std::numbers::pi * t + b) +
                                    0.15 * std::sin(11.7 * std::numbers::pi * t + c));
    path.lineTo(x, y);
  }
  path.lineTo(w, h);
  path.closeSubpath();
  p.fillPath(path, color);
}

// Soft glowing discs, the out-of-focus lights of a photograph.
void Bokeh(QPainter& p, std::mt19937& random, int count, QColor tint) {
  std::uniform_real_distribution<double> x(0, p.device()->width()), y(0, p.device()->height()),
      radius(30, 160), alpha(0.05, 0.30), hue(-25, 25);
  for (int i = 0; i < count; ++i) {
    QPointF centre(x(random), y(random));
    double r = radius(random);
    QColor color = QColor::fromHsv((tint.hsvHue() + static_cast<int>(hue(random)) + 360) % 360,
                                   tint.hsvSaturation(), tint.value());
    QRadialGradient glow(centre, r);
    color.setAlphaF(static_cast<float>(alpha(random)));
    glow.setColorAt(0, color);
    glow.setColorAt(0.8, color);
    color.setAlphaF(0);
    glow.setColorAt(1, color);
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(centre, r, r);
  }
}

// Ribbons of light across a night sky.
void Aurora(QPainter& p, std::mt19937& random) {
  std::uniform_real_distribution<double> phase(0, 2 * std::numbers::pi);
  int w = p.device()->width(), h = p.device()->height();
  for (int band = 0; band < 5; ++band) {
    double a = phase(random), b = phase(random);
    QPainterPath path;
    for (int x = 0; x <= w; x += 6) {
      double t = static_cast<double>(x) / w;
      double y = h * (0.25 + 0.06 * band) + 70 * std::sin(3 * t + a) + 30 * std::sin(7 * t + b);
      x == 0 ? path.moveTo(x, y) : path.lineTo(x, y);
    }
    QColor color = QColor::fromHsv(140 + band * 12, 200, 230, 50);
    for (int width = 90; width > 0; width -= 30) {
      p.setPen(QPen(color, width, Qt::SolidLine, Qt::RoundCap));
      p.drawPath(path);
    }
  }
}

// Stars: single bright pixels with a few larger ones.
void Stars(QPainter& p, std::mt19937& random, int count, double top) {
  std::uniform_real_distribution<double> x(0, p.device()->width()),
      y(0, p.device()->height() * top), size(0.5, 2.0), alpha(0.3, 1.0);
  p.setPen(Qt::NoPen);
  for (int i = 0; i < count; ++i) {
    p.setBrush(QColor::fromRgbF(1, 1, 1, static_cast<float>(alpha(random))));
    double s = size(random);
    p.drawEllipse(QPointF(x(random), y(random)), s, s);
  }
}

QImage Picture(int width, int height, unsigned seed,
               const std::function<void(QPainter&, std::mt19937&)>& draw) {
  QImage image(width, height, QImage::Format_RGB32);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  std::mt19937 random(seed);
  draw(painter, random);
  return image;
}

void Dusk(QPainter& p, std::mt19937& random) {
  Sky(p, {{0, QColor(24, 28, 58)}, {0.55, QColor(120, 70, 110)}, {0.8, QColor(230, 140, 90)}});
  Stars(p, random, 250, 0.4);
  int h = p.device()->height();
  Ridge(p, random, h * 0.70, h * 0.08, QColor(70, 50, 90));
  Ridge(p, random, h * 0.80, h * 0.07, QColor(45, 35, 70));
  Ridge(p, random, h * 0.92, h * 0.05, QColor(22, 20, 42));
}

void Night(QPainter& p, std::mt19937& random) {
  Sky(p, {{0, QColor(4, 10, 28)}, {1, QColor(10, 40, 60)}});
  Stars(p, random, 600, 0.9);
  Aurora(p, random);
  Ridge(p, random, p.device()->height() * 0.90, p.device()->height() * 0.04, QColor(3, 8, 16));
}

void Lights(QPainter& p, std::mt19937& random) {
  Sky(p, {{0, QColor(40, 12, 40)}, {1, QColor(10, 20, 60)}});
  Bokeh(p, random, 140, QColor(255, 180, 90));
}

void Sea(QPainter& p, std::mt19937& random) {
  Sky(p, {{0, QColor(150, 200, 230)},
          {0.5, QColor(225, 235, 240)},
          {0.52, QColor(40, 110, 150)},
          {1, QColor(10, 40, 70)}});
  Bokeh(p, random, 40, QColor(255, 255, 255));
}

// The built-in wallpaper: a quiet deep blue, so the training screen reads well on it.
void Default(QPainter& p, std::mt19937& random) {
  Sky(p, {{0, QColor(16, 30, 60)}, {1, QColor(6, 12, 28)}});
  Bokeh(p, random, 60, QColor(90, 140, 255));
}

// The logo: a key cap with the letter "L" beside the program's name, on transparency.
QImage Logotype() {
  QImage image(260, 64, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  QRectF key(4, 6, 52, 52);
  QLinearGradient cap(key.topLeft(), key.bottomLeft());
  cap.setColorAt(0, QColor(250, 250, 255, 230));
  cap.setColorAt(1, QColor(170, 180, 205, 230));
  p.setPen(QPen(QColor(60, 70, 100, 230), 2));
  p.setBrush(cap);
  p.drawRoundedRect(key, 9, 9);
  QFont font("Liberation Sans", 1, QFont::Bold);
  font.setPixelSize(34);
  p.setFont(font);
  p.setPen(QColor(40, 50, 90));
  p.drawText(key, Qt::AlignCenter, "L");
  font.setPixelSize(40);
  p.setFont(font);
  p.setPen(QColor(0, 0, 0, 120));
  p.drawText(QRectF(68, 2, 192, 60), Qt::AlignVCenter | Qt::AlignLeft, "Lomtak");
  p.setPen(QColor(240, 244, 255, 235));
  p.drawText(QRectF(66, 0, 192, 60), Qt::AlignVCenter | Qt::AlignLeft, "Lomtak");
  return image;
}

// The pictures of the manual, about and online windows. Buttons and the close picture are
// strips whose bottom-left colour the controls leave out: their outlines are drawn without
// antialiasing, so no edge pixel mixes with that colour.
const QColor kInk(43, 44, 60), kBlue(74, 120, 196), kPaper(246, 249, 255);

// A key cap with a letter, as in the logo.
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

// The manual's logo for its left column: the key cap over the name, in ink on white.
QImage ManualLogo() {
  QImage image(104, 96, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  KeyCap(p, QRectF(28, 2, 48, 48), "L");
  NameAndLine(p, QRectF(0, 52, 104, 26), 24, QRectF(0, 76, 104, 18), 13, "manual", Qt::AlignHCenter);
  return image;
}

// Rows of faint key caps fading downwards: the background of the manual's right column and
// the about window's top.
void KeyRows(QPainter& p, QRectF area, int size, int alpha) {
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

QImage ManualBackground() {
  QImage image(118, 455, QImage::Format_RGB32);
  QPainter p(&image);
  Sky(p, {{0, QColor(222, 233, 250)}, {1, Qt::white}});
  KeyRows(p, QRectF(0, 40, 118, 200), 30, 110);
  return image;
}

QImage AboutBackground() {
  QImage image(512, 375, QImage::Format_RGB32);
  QPainter p(&image);
  Sky(p, {{0, QColor(200, 218, 246)}, {0.45, kPaper}, {1, QColor(232, 238, 248)}});
  KeyRows(p, QRectF(0, 8, 512, 110), 34, 90);
  KeyCap(p, QRectF(40, 112, 56, 56), "L");
  NameAndLine(p, QRectF(110, 108, 380, 44), 40, QRectF(112, 148, 380, 22), 15,
              "the touch-typing trainer that follows you", Qt::AlignLeft);
  p.fillRect(QRectF(40, 182, 432, 1), QColor(74, 120, 196, 90));
  return image;
}

QImage OnlineHeader() {
  QImage image(790, 48, QImage::Format_RGB32);
  QPainter p(&image);
  QLinearGradient band(0, 0, 790, 0);
  band.setColorAt(0, QColor(36, 52, 96));
  band.setColorAt(1, QColor(74, 120, 196));
  p.fillRect(image.rect(), band);
  p.fillRect(QRect(0, 46, 790, 2), QColor(252, 226, 199));
  return image;
}

// The four states of a button side by side, on the key colour: up, disabled, down, hot. The
// symbol is drawn in the state's colour inside a round plate.
QImage ButtonStrip(int size, QColor key, const std::function<void(QPainter&, QRectF)>& symbol) {
  QImage image(size * 4, size, QImage::Format_RGB32);
  image.fill(key);
  const QColor plates[] = {kBlue, QColor(170, 176, 188), QColor(44, 82, 150), QColor(96, 150, 230)};
  for (int state = 0; state < 4; ++state) {
    QPainter p(&image);
    const double inset = state == 2 ? 3 : 2;
    QRectF plate(state * size + inset, inset, size - 2 * inset, size - 2 * inset);
    p.setPen(Qt::NoPen);
    p.setBrush(plates[state]);
    p.drawEllipse(plate);
    p.setRenderHint(QPainter::Antialiasing);
    symbol(p, plate.adjusted(size * 0.25, size * 0.25, -size * 0.25, -size * 0.25));
  }
  return image;
}

void CheckMark(QPainter& p, QRectF box) {
  p.setPen(QPen(Qt::white, box.width() / 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  QPointF points[] = {{box.left(), box.center().y()},
                      {box.left() + box.width() * 0.4, box.bottom() - box.height() * 0.1},
                      {box.right(), box.top() + box.height() * 0.1}};
  p.drawPolyline(points, 3);
}

void Printer(QPainter& p, QRectF box) {
  const double w = box.width(), h = box.height();
  p.setPen(QPen(Qt::white, w / 14));
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRectF(box.left() + w * 0.2, box.top(), w * 0.6, h * 0.35));
  p.setBrush(Qt::white);
  p.drawRoundedRect(QRectF(box.left(), box.top() + h * 0.3, w, h * 0.4), 2, 2);
  p.setBrush(QColor(74, 120, 196));
  p.drawRect(QRectF(box.left() + w * 0.2, box.top() + h * 0.6, w * 0.6, h * 0.4));
}

// The close picture of the frameless windows: a cross on a round plate.
QImage ClosePicture() {
  QImage image(19, 19, QImage::Format_RGB32);
  image.fill(QColor(255, 0, 255));
  QPainter p(&image);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(200, 64, 56));
  p.drawEllipse(QRectF(0, 0, 19, 19));
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(Qt::white, 2.2, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(6, 6), QPointF(13, 13));
  p.drawLine(QPointF(13, 6), QPointF(6, 13));
  return image;
}

bool Save(const QImage& image, const std::string& path, int quality = 88) {
  if (image.save(QString::fromStdString(path), nullptr, quality)) return true;
  std::fprintf(stderr, "lomtak-pictures: cannot write %s\n", path.c_str());
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: lomtak-pictures RESOURCE-FOLDER WALLPAPER-FOLDER\n");
    return 2;
  }
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QGuiApplication application(argc, argv);
  std::string resources = argv[1], wallpapers = argv[2];
  bool ok = Save(Picture(1600, 1000, 1, Default), resources + "/default-wallpaper.jpg") &&
            Save(Logotype(), resources + "/logotype.png") &&
            Save(ClosePicture(), resources + "/close.png") &&
            Save(ManualLogo(), resources + "/manual-logo.png") &&
            Save(ManualBackground(), resources + "/manual-background.png") &&
            Save(ButtonStrip(60, Qt::white, Printer), resources + "/manual-print.png") &&
            Save(ButtonStrip(60, Qt::white, CheckMark), resources + "/manual-ok.png") &&
            Save(AboutBackground(), resources + "/about-background.png") &&
            Save(ButtonStrip(74, QColor(255, 0, 255), CheckMark), resources + "/about-ok.png") &&
            Save(OnlineHeader(), resources + "/online-header.png") &&
            Save(Picture(kWidth, kHeight, 2, Dusk), wallpapers + "/Dusk.jpg") &&
            Save(Picture(kWidth, kHeight, 3, Night), wallpapers + "/Aurora.jpg") &&
            Save(Picture(kWidth, kHeight, 4, Lights), wallpapers + "/Lights.jpg") &&
            Save(Picture(kWidth, kHeight, 5, Sea), wallpapers + "/Sea.jpg");
  return ok ? 0 : 1;
}
