// Draws the program's own pictures: the built-in wallpaper, the logo and the icon
// (resources/pictures) and the shipped wallpapers (dist/Environment/Wallpapers). Every picture
// is made from a fixed seed, so a rebuild gives the same files. Rebuild them with:
//   build/tools/lomtak-pictures resources/pictures dist/Environment/Wallpapers

#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
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

// A key cap with the letter "L" on it, the program's mark, filling `key`.
void KeyCap(QPainter& p, const QRectF& key) {
  const double unit = key.width() / 52;
  QLinearGradient cap(key.topLeft(), key.bottomLeft());
  cap.setColorAt(0, QColor(250, 250, 255, 230));
  cap.setColorAt(1, QColor(170, 180, 205, 230));
  p.setPen(QPen(QColor(60, 70, 100, 230), 2 * unit));
  p.setBrush(cap);
  p.drawRoundedRect(key, 9 * unit, 9 * unit);
  QFont font("Liberation Sans", 1, QFont::Bold);
  font.setPixelSize(static_cast<int>(34 * unit));
  p.setFont(font);
  p.setPen(QColor(40, 50, 90));
  p.drawText(key, Qt::AlignCenter, "L");
}

// A picture of that size on transparency, drawn antialiased.
QImage OnTransparency(int width, int height, const std::function<void(QPainter&)>& draw) {
  QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  draw(p);
  return image;
}

// The logo: the key cap beside the program's name.
QImage Logotype() {
  return OnTransparency(260, 64, [](QPainter& p) {
    KeyCap(p, QRectF(4, 6, 52, 52));
    QFont font("Liberation Sans", 1, QFont::Bold);
    font.setPixelSize(40);
    p.setFont(font);
    p.setPen(QColor(0, 0, 0, 120));
    p.drawText(QRectF(68, 2, 192, 60), Qt::AlignVCenter | Qt::AlignLeft, "Lomtak");
    p.setPen(QColor(240, 244, 255, 235));
    p.drawText(QRectF(66, 0, 192, 60), Qt::AlignVCenter | Qt::AlignLeft, "Lomtak");
  });
}

// The program's icon (windows, notification area): the key cap alone.
QImage Icon() {
  return OnTransparency(64, 64, [](QPainter& p) { KeyCap(p, QRectF(3, 3, 58, 58)); });
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
            Save(Icon(), resources + "/icon.png") &&
            Save(Picture(kWidth, kHeight, 2, Dusk), wallpapers + "/Dusk.jpg") &&
            Save(Picture(kWidth, kHeight, 3, Night), wallpapers + "/Aurora.jpg") &&
            Save(Picture(kWidth, kHeight, 4, Lights), wallpapers + "/Lights.jpg") &&
            Save(Picture(kWidth, kHeight, 5, Sea), wallpapers + "/Sea.jpg");
  return ok ? 0 : 1;
}
