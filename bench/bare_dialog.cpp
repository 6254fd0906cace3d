// The baseline for start-up time and memory: a bare Qt dialog with the score window's widgets and
// nothing else (no engine, no templates, no icon).
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QDialog dialog;
    auto* rows = new QVBoxLayout(&dialog);
    auto* row = new QHBoxLayout;
    rows->addLayout(row);
    for (int list = 0; list < 3; ++list) {
        auto* combo = new QComboBox;
        combo->addItems({"  0", "  1", "  2", "  3", "  4", "  5", "  6", "  7", "  8", "  9"});
        row->addWidget(combo);
    }
    row->addWidget(new QLabel("符"));
    row->addWidget(new QLabel("飜"));
    row->addWidget(new QRadioButton("親"));
    row->addWidget(new QRadioButton("子"));
    row->addWidget(new QPushButton("計算！"));
    row->addWidget(new QPushButton("結果をクリップボードにCOPY"));
    rows->addWidget(new QLineEdit("ここに点数が表示されます"));
    dialog.show();
    return application.exec();
}
