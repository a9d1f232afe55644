// The yardstick for the window's start-up: the least a Qt Widgets program shows, one list with
// one item.
#include <QApplication>
#include <QListWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QListWidget list;
    list.addItem(QStringLiteral("C:"));
    list.show();
    return QApplication::exec();
}
