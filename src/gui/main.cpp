// zel: the desktop tool. Start-up is filled in by the application shell.
#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    return 0;
}
