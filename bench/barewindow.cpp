// The smallest Qt Widgets program that maps a window like the launcher's column: the baseline the
// start-up measurement (bench/startup.py) compares the launcher against. It shows the column's
// Chinese captions in the column's fonts, so the loading of a Chinese font is common to both.
#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <cstdio>
#include <ctime>

namespace {

// Tells when the first frame has been painted, in the words and clock the launcher's start-up
// trace uses, so the benchmark compares the two windows' first frames too.
class FirstFrame : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Expose) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, [] {
                timespec now{};
                clock_gettime(CLOCK_MONOTONIC, &now);
                std::fprintf(stderr, "first frame painted at monotonic %ld.%09ld s\n", long(now.tv_sec),
                             long(now.tv_nsec));
            });
        }
        return false;
    }
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget w;
    w.setWindowTitle(QStringLiteral("Velmora软件"));
    w.setFixedSize(125, 573);
    QFont font;
    font.setFamilies({QStringLiteral("SimSun"), QStringLiteral("宋体"), QStringLiteral("AR PL UMing CN"),
                      QStringLiteral("AR PL UMing"), QStringLiteral("Noto Sans CJK SC"),
                      QStringLiteral("Noto Sans CJK")});
    font.setPointSize(9);
    int top = 0;
    for (const char* caption : {"Velmora软件", "办公", "娱乐", "网络", "学习", "系统", "程序组合"}) {
        auto* label = new QLabel(QString::fromUtf8(caption), &w);
        label->setFont(font);
        label->setGeometry(4, top, 117, 20);
        top += 70;
    }
    auto* settings = new QPushButton(QStringLiteral("设置"), &w);
    settings->setGeometry(0, 548, 60, 25);
    auto* operations = new QPushButton(QStringLiteral("操作"), &w);
    operations->setGeometry(60, 548, 60, 25);
    FirstFrame firstFrame;
    w.winId(); // the window exists before it is shown, so its first expose is seen
    w.windowHandle()->installEventFilter(&firstFrame);
    w.show();
    return QApplication::exec();
}
