// SPDX-License-Identifier: GPL-3.0-or-later
// The least a Qt 6 Widgets program costs that shows what Brisaloo's window
// shows of a countdown: a window of Brisaloo's size with the seven read-only
// fields (days, hours, minutes and seconds; total hours, minutes and seconds)
// and their labels, one 500 ms timer, and each field written only when its
// text changes, and only while the window is shown. With --hidden the window goes into the tray (or
// just hides when no tray is there) on the first tick, as Brisaloo does with hide-on-start.

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <array>
#include <ctime>
#include <memory>

namespace {

// 2030-01-01 00:00:00 UTC: far enough ahead that the texts keep changing.
constexpr std::time_t kMoment = 1893456000;

// Brisaloo's window in its own units: a quarter of the average letter's width
// across, an eighth of the line height down.
struct Units {
    explicit Units(const QFont& font) {
        const QFontMetrics metrics(font);
        const QString strLetters =
            QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
        nWidth = std::max(1, (metrics.horizontalAdvance(strLetters) / 26 + 1) / 2);
        nHeight = std::max(1, metrics.height());
    }
    int X(int n) const { return (n * nWidth + 2) / 4; }
    int Y(int n) const { return (n * nHeight + 4) / 8; }
    QRect Rect(int x, int y, int cx, int cy) const { return {X(x), Y(y), X(cx), Y(cy)}; }
    int nWidth;
    int nHeight;
};

struct Field {
    const char* pszLabel;
    QRect field;  // in units
    QRect label;  // in units
    bool bFrame;
    std::time_t (*value)(std::time_t);
    QLineEdit* edit = nullptr;
};

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    const bool bHidden = QApplication::arguments().contains(QStringLiteral("--hidden"));

    QWidget window;
    window.setWindowTitle(QStringLiteral("Brisaloo floor"));
    const Units units(window.font());
    window.setFixedSize(units.X(342), units.Y(167));

    std::array<Field, 7> fields = {{
        {"Days", {17, 60, 30, 12}, {17, 75, 17, 8}, false, [](std::time_t s) { return s / 86400; }},
        {"Hours",
         {51, 60, 21, 12},
         {51, 75, 20, 8},
         false,
         [](std::time_t s) { return s / 3600 % 24; }},
        {"Minutes",
         {77, 60, 20, 12},
         {77, 75, 30, 8},
         false,
         [](std::time_t s) { return s / 60 % 60; }},
        {"Seconds",
         {107, 60, 20, 12},
         {107, 75, 30, 8},
         false,
         [](std::time_t s) { return s % 60; }},
        {"Total Hours",
         {165, 66, 43, 14},
         {165, 58, 38, 8},
         true,
         [](std::time_t s) { return s / 3600; }},
        {"Total Minutes",
         {215, 66, 46, 14},
         {217, 58, 44, 8},
         true,
         [](std::time_t s) { return s / 60; }},
        {"Total Seconds",
         {267, 66, 62, 14},
         {269, 58, 47, 8},
         true,
         [](std::time_t s) { return s; }},
    }};
    for (Field& field : fields) {
        auto* label = new QLabel(QString::fromLatin1(field.pszLabel), &window);
        const QRect at = field.label;
        label->setGeometry(units.Rect(at.x(), at.y(), at.width(), at.height()));
        label->resize(std::max(label->width(), label->sizeHint().width()), label->height());
        field.edit = new QLineEdit(&window);
        field.edit->setReadOnly(true);
        field.edit->setFrame(field.bFrame);
        field.edit->setAutoFillBackground(true);  // as Brisaloo's fields: repainted alone
        const QRect rect = field.field;
        field.edit->setGeometry(units.Rect(rect.x(), rect.y(), rect.width(), rect.height()));
    }
    const auto write = [&fields] {
        const std::time_t left = kMoment - std::time(nullptr);
        for (Field& field : fields) {
            const QString strText = QString::number(field.value(left));
            if (strText != field.edit->text()) field.edit->setText(strText);
        }
    };
    write();

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
        // Hidden, nothing is on screen to keep up to date.
        if (window.isVisible()) write();
    });
    timer.start();
    window.show();
    return QApplication::exec();
}
