// A stand-in program for the harness and the keyer's tests: a window titled by its argument
// that writes every text typed into it to standard output, and a key without text (a
// function key) by its name in angle brackets, e.g. "<F1>".
#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QWidget>
#include <cstdio>

namespace {

class TypingWindow : public QWidget {
 protected:
  void keyPressEvent(QKeyEvent* event) override {
    const QString text =
        event->text().isEmpty() ? "<" + QKeySequence(event->key()).toString() + ">" : event->text();
    std::fputs(text.toUtf8().constData(), stdout);
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
