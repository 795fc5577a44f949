// reefpainter: paints the two reef photographs of the program.
//
//   reefpainter <backdrop.jpg> <aquarium.jpg>
//
// The backdrop is 1680 x 1303 pixels, the aquarium background 700 x 543 pixels, the same scene
// at a smaller scale with a diver at its left edge. The random seed is fixed, so every run
// writes the same pictures.

#include "reefscene.h"

#include <QCoreApplication>
#include <QImage>
#include <QTextStream>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    QTextStream err(stderr);
    if (args.size() != 3) {
        err << "usage: reefpainter <backdrop.jpg> <aquarium.jpg>\n";
        return 2;
    }
    const QImage backdrop = reef::paintScene(QSize(1680, 1303), false);
    const QImage aquarium = reef::paintScene(QSize(700, 543), true);
    if (!backdrop.save(args.at(1), nullptr, 90) || !aquarium.save(args.at(2), nullptr, 92)) {
        err << "reefpainter: cannot write the pictures\n";
        return 1;
    }
    return 0;
}
