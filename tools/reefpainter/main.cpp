// SPDX-License-Identifier: GPL-3.0-or-later
// reefpainter: paints the two reef photographs of the program, each once for ordinary screens
// and once at twice the pixels for screens with a device pixel ratio above 1.
//
//   reefpainter <backdrop.jpg> <aquarium.jpg> <backdrop@2x.jpg> <aquarium@2x.jpg>
//
// The backdrop is 1680 x 1303 pixels, the aquarium background 700 x 543 pixels, the same scene
// at a smaller scale with a diver at its left edge; the @2x pictures are 3360 x 2606 and
// 1400 x 1086 pixels of the same scenes. The random seeds are fixed, so every run writes the
// same pictures. The four pictures are painted on two threads, largest first.

#include "reefscene.h"

#include <QCoreApplication>
#include <QImage>
#include <QString>
#include <QTextStream>

#include <array>
#include <atomic>
#include <thread>

namespace {

struct Photograph {
    QString file;
    QSize size;
    bool withDiver;
    int quality;
    bool written = false;
};

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    QTextStream err(stderr);
    if (args.size() != 5) {
        err << "usage: reefpainter <backdrop.jpg> <aquarium.jpg> <backdrop@2x.jpg> "
               "<aquarium@2x.jpg>\n";
        return 2;
    }
    // Largest first, so the two threads finish at about the same time.
    std::array<Photograph, 4> photographs = {{
        {args.at(3), QSize(3360, 2606), false, 90},
        {args.at(4), QSize(1400, 1086), true, 92},
        {args.at(1), QSize(1680, 1303), false, 90},
        {args.at(2), QSize(700, 543), true, 92},
    }};
    std::atomic<std::size_t> next{0};
    auto work = [&] {
        for (std::size_t i = next++; i < photographs.size(); i = next++) {
            Photograph& photo = photographs[i];
            const QImage image = reef::paintScene(photo.size, photo.withDiver);
            photo.written = image.save(photo.file, "JPEG", photo.quality);
        }
    };
    std::thread helper(work);
    work();
    helper.join();
    int status = 0;
    for (const Photograph& photo : photographs) {
        if (!photo.written) {
            err << "reefpainter: cannot write " << photo.file << "\n";
            status = 1;
        }
    }
    return status;
}
