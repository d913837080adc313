// SPDX-License-Identifier: GPL-3.0-or-later
// The floor for start-up measurements: a bare Qt Widgets window and nothing else.
#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.resize(589, 327);
    window.show();
    return app.exec();
}
