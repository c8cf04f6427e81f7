// The least a Qt 6 Widgets program with a ticking countdown costs: one window,
// one label, one 500 ms timer. The label shows the seconds left to a fixed
// moment and is written only when that text changes, as Brisaloo writes its
// fields. With --hidden the window goes into the tray (or just hides when no
// tray is there) on the first tick, as Brisaloo does with hide-on-start.

#include <QApplication>
#include <QLabel>
#include <QPixmap>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>

#include <ctime>
#include <memory>

namespace {

// 2030-01-01 00:00:00 UTC: far enough ahead that the text keeps changing.
constexpr std::time_t kMoment = 1893456000;

QString SecondsLeft() {
    return QString::number(kMoment - std::time(nullptr));
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    const bool bHidden = QApplication::arguments().contains(QStringLiteral("--hidden"));

    QWidget window;
    window.setWindowTitle(QStringLiteral("Brisaloo floor"));
    auto* layout = new QVBoxLayout(&window);
    auto* label = new QLabel(SecondsLeft(), &window);
    layout->addWidget(label);

    std::unique_ptr<QSystemTrayIcon> tray;
    bool bHideDue = bHidden;
    QTimer timer;
    timer.setInterval(500);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (bHideDue) {
            bHideDue = false;
            if (QSystemTrayIcon::isSystemTrayAvailable()) {
                QPixmap pixmap(16, 16);
                pixmap.fill(Qt::darkBlue);
                tray = std::make_unique<QSystemTrayIcon>(QIcon(pixmap));
                tray->setToolTip(QStringLiteral("Brisaloo floor"));
                tray->show();
            }
            window.hide();
        }
        const QString strText = SecondsLeft();
        if (strText != label->text()) label->setText(strText);
    });
    timer.start();
    window.show();
    return QApplication::exec();
}
