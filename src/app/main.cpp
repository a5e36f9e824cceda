#include <QApplication>
#include <QLabel>
#include <QMainWindow>

int main(int argc, char **argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("OrvZerdo");
  QMainWindow w;
  w.setWindowTitle(QStringLiteral("OrvPOS"));
  w.setCentralWidget(new QLabel(QStringLiteral("OrvPOS")));
  w.resize(800, 600);
  w.show();
  return app.exec();
}
