// The reference the training screen is measured against: a bare Qt line edit over the whole
// screen, nothing of ours in it.
#include <QApplication>
#include <QLineEdit>

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QLineEdit edit;
  edit.setWindowTitle("bareedit");
  QFont font = edit.font();
  font.setPixelSize(32);
  edit.setFont(font);
  edit.showFullScreen();
  return application.exec();
}
