// A stand-in program for testing the harness: a window titled by its argument that writes
// every text typed into it to standard output.
#include <QApplication>
#include <QKeyEvent>
#include <QWidget>
#include <cstdio>

namespace {

class TypingWindow : public QWidget {
 protected:
  void keyPressEvent(QKeyEvent* event) override {
    std::fputs(event->text().toUtf8().constData(), stdout);
    std::fflush(stdout);
  }
};

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  TypingWindow window;
  window.setWindowTitle(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("probe"));
  window.resize(200, 100);
  window.show();
  return application.exec();
}
