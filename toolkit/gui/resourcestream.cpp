#include "toolkit/gui/resourcestream.h"

#include <QFile>

#include "toolkit/exception.h"

TResourceStream::TResourceStream(const std::string& name, const std::string& type) {
  QFile file(QString::fromStdString(":/" + type + "/" + name));
  if (!file.open(QIODevice::ReadOnly)) throw Exception("Resource " + name + " not found");
  data_ = file.readAll().toStdString();
}
