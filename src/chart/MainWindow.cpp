#include "chart/MainWindow.h"

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent)
{
    setWindowTitle("Norvane Pro");
    resize(1024, 768);
}
