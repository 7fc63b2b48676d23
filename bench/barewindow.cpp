// The smallest Qt Widgets program that maps one window: the baseline the start-up measurement
// (bench/startup.py) compares the launcher against.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget w;
    w.setWindowTitle(QStringLiteral("barewindow"));
    w.resize(119, 573);
    w.show();
    return QApplication::exec();
}
