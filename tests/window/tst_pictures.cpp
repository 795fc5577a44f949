// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/pictures.h"

#include <QGuiApplication>
#include <QImage>
#include <QSet>
#include <QTest>

#include <algorithm>
#include <cstdlib>

using rb::PictureStore;

namespace {

QImage imageOf(const QString& name) {
    return PictureStore::instance().picture(name).toImage().convertToFormat(QImage::Format_ARGB32);
}

// Share of the pixels in the middle half of the picture (a box half as wide and half as
// high) that are fully opaque.
double centreCover(const QImage& image) {
    const int x0 = image.width() / 4;
    const int y0 = image.height() / 4;
    const int x1 = image.width() - x0;
    const int y1 = image.height() - y0;
    int opaque = 0;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x)
            opaque += qAlpha(image.pixel(x, y)) == 255 ? 1 : 0;
    }
    return double(opaque) / ((x1 - x0) * (y1 - y0));
}

// Ratio of device to logical pixels the photographs are loaded at: twice the pixels on any
// screen with more than one device pixel per logical pixel.
qreal photographRatio() {
    return qApp->devicePixelRatio() > 1.0 ? 2.0 : 1.0;
}

// The picture shrunk to blocks of `block` x `block` pixels, each the mean of its pixels; grain
// and compression noise average out, the scene stays.
QImage blockMeans(const QImage& source, int block) {
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    QImage result(image.width() / block, image.height() / block, QImage::Format_RGB32);
    for (int by = 0; by < result.height(); ++by) {
        for (int bx = 0; bx < result.width(); ++bx) {
            int r = 0;
            int g = 0;
            int b = 0;
            for (int y = by * block; y < (by + 1) * block; ++y) {
                const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
                for (int x = bx * block; x < (bx + 1) * block; ++x) {
                    r += qRed(line[x]);
                    g += qGreen(line[x]);
                    b += qBlue(line[x]);
                }
            }
            const int n = block * block;
            result.setPixel(bx, by, qRgb((r + n / 2) / n, (g + n / 2) / n, (b + n / 2) / n));
        }
    }
    return result;
}

// Largest difference of one colour channel between two pictures of the same size.
int largestDifference(const QImage& a, const QImage& b) {
    int largest = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            largest = std::max({largest, std::abs(qRed(p) - qRed(q)),
                                std::abs(qGreen(p) - qGreen(q)), std::abs(qBlue(p) - qBlue(q))});
        }
    }
    return largest;
}

// Mean x of the opaque pixels of exactly this colour, as a fraction of the width.
double meanXOfColour(const QImage& image, QRgb colour) {
    double sum = 0.0;
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) == colour) {
                sum += x;
                ++count;
            }
        }
    }
    return count == 0 ? -1.0 : sum / count / image.width();
}

} // namespace

class TestPictures : public QObject {
    Q_OBJECT

private slots:
    void sizes_data();
    void sizes();
    void namesAreComplete();
    void photographsAreOpaque_data();
    void photographsAreOpaque();
    void photographDevicePixels_data();
    void photographDevicePixels();
    void photographFromItsFile_data();
    void photographFromItsFile();
    void sharpPhotographShowsSameScene_data();
    void sharpPhotographShowsSameScene();
    void surroundingsTransparent_data();
    void surroundingsTransparent();
    void mirrorPairs_data();
    void mirrorPairs();
    void redPredator();
    void facing_data();
    void facing();
    void buttonColours_data();
    void buttonColours();
    void unknownName_data();
    void unknownName();
    void loadedOnce();
};

void TestPictures::sizes_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("size");
    const QList<std::pair<const char*, QSize>> table = {
        {"reefBackdrop", {1680, 1303}}, {"reefAquarium", {700, 543}},
        {"appIcon", {96, 93}},          {"preyFace", {63, 61}},
        {"preyBowLeft", {62, 64}},      {"preyBowRight", {62, 64}},
        {"preyYellowLeft", {58, 64}},   {"preyYellowRight", {58, 64}},
        {"preyPinkRight", {58, 64}},    {"preyPinkLeft", {58, 64}},
        {"fishOrangeLeft", {62, 64}},   {"predatorRight", {100, 98}},
        {"predatorLeft", {100, 98}},    {"predatorRightRed", {100, 98}},
        {"eatingRight", {140, 137}},    {"eatingLeft", {140, 137}},
        {"targetCross", {27, 26}},      {"startArrow", {32, 32}},
        {"stopSign", {32, 32}},         {"startArrow16", {16, 16}},
        {"stopSign16", {16, 16}},       {"clockFace", {123, 121}},
    };
    for (const auto& [name, size] : table)
        QTest::addRow("%s", name) << QString::fromLatin1(name) << size;
}

void TestPictures::sizes() {
    QFETCH(QString, name);
    QFETCH(QSize, size);
    const QPixmap picture = PictureStore::instance().picture(name);
    QVERIFY(!picture.isNull());
    QCOMPARE(picture.deviceIndependentSize().toSize(), size);
}

void TestPictures::namesAreComplete() {
    const QStringList names = PictureStore::instance().names();
    QCOMPARE(names.size(), 22);
    QCOMPARE(QSet<QString>(names.begin(), names.end()).size(), 22);
}

void TestPictures::photographsAreOpaque_data() {
    QTest::addColumn<QString>("name");
    QTest::addRow("reefBackdrop") << QStringLiteral("reefBackdrop");
    QTest::addRow("reefAquarium") << QStringLiteral("reefAquarium");
}

void TestPictures::photographsAreOpaque() {
    QFETCH(QString, name);
    const QImage image = imageOf(name);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) != 255)
                QFAIL(qPrintable(QStringLiteral("see-through pixel at %1,%2").arg(x).arg(y)));
        }
    }
}

void TestPictures::photographDevicePixels_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("logical");
    QTest::addRow("reefBackdrop") << QStringLiteral("reefBackdrop") << QSize(1680, 1303);
    QTest::addRow("reefAquarium") << QStringLiteral("reefAquarium") << QSize(700, 543);
}

// Run at ratio 1 and, as tst_pictures_scaled, at ratio 2: the photograph keeps its logical size
// and carries as many device pixels as the screen shows of it.
void TestPictures::photographDevicePixels() {
    QFETCH(QString, name);
    QFETCH(QSize, logical);
    const QPixmap picture = PictureStore::instance().picture(name);
    const qreal ratio = photographRatio();
    QCOMPARE(picture.devicePixelRatio(), ratio);
    QCOMPARE(picture.size(), logical * ratio);
    QCOMPARE(picture.deviceIndependentSize(), QSizeF(logical));
}

void TestPictures::photographFromItsFile_data() {
    QTest::addColumn<QString>("name");
    QTest::addRow("reefBackdrop") << QStringLiteral("reefBackdrop");
    QTest::addRow("reefAquarium") << QStringLiteral("reefAquarium");
}

// The store holds the painted photograph for the screen's ratio, pixel for pixel, not one
// scaled from the other.
void TestPictures::photographFromItsFile() {
    QFETCH(QString, name);
    const QString suffix = photographRatio() > 1.0 ? QStringLiteral("@2x") : QString();
    const QImage file = QImage(QStringLiteral(":/photos/%1%2.jpg").arg(name, suffix))
                            .convertToFormat(QImage::Format_RGB32);
    QVERIFY(!file.isNull());
    const QImage stored = imageOf(name).convertToFormat(QImage::Format_RGB32);
    QCOMPARE(stored.size(), file.size());
    QVERIFY(stored == file);
}

void TestPictures::sharpPhotographShowsSameScene_data() {
    QTest::addColumn<QString>("name");
    QTest::addRow("reefBackdrop") << QStringLiteral("reefBackdrop");
    QTest::addRow("reefAquarium") << QStringLiteral("reefAquarium");
}

// The @2x photograph is the same scene as the ordinary one, finer: averaged over blocks of
// 8 x 8 logical pixels the two agree closely everywhere (they differ by at most 10; a missing
// diver, or the scene one block lower, changes blocks by more than 70).
void TestPictures::sharpPhotographShowsSameScene() {
    QFETCH(QString, name);
    const QImage small(QStringLiteral(":/photos/%1.jpg").arg(name));
    const QImage sharp(QStringLiteral(":/photos/%1@2x.jpg").arg(name));
    QCOMPARE(sharp.size(), small.size() * 2);
    const QImage a = blockMeans(small, 8);
    const QImage b = blockMeans(sharp, 16);
    QCOMPARE(b.size(), a.size());
    const int difference = largestDifference(a, b);
    QVERIFY2(difference <= 16, qPrintable(QString::number(difference)));
    // The comparison sees the scene: one block row lower, it no longer matches.
    const QImage shifted = b.copy(0, 1, b.width(), b.height() - 1);
    QVERIFY(largestDifference(a.copy(0, 0, a.width(), a.height() - 1), shifted) > 16);
}

void TestPictures::surroundingsTransparent_data() {
    QTest::addColumn<QString>("name");
    // Least share of opaque pixels in the middle half; the cross-hair is mostly see-through.
    QTest::addColumn<double>("minCover");
    const QList<std::pair<const char*, double>> table = {
        {"appIcon", 0.95},       {"preyFace", 0.95},       {"preyBowLeft", 0.95},
        {"preyBowRight", 0.95},  {"preyYellowLeft", 0.95}, {"preyYellowRight", 0.95},
        {"preyPinkRight", 0.95}, {"fishOrangeLeft", 0.95}, {"predatorRight", 0.9},
        {"predatorLeft", 0.9},   {"eatingRight", 0.9},     {"eatingLeft", 0.9},
        {"clockFace", 0.95},     {"stopSign", 0.95},       {"stopSign16", 0.95},
        {"startArrow", 0.6},     {"startArrow16", 0.6},    {"targetCross", 0.3},
    };
    for (const auto& [name, cover] : table)
        QTest::addRow("%s", name) << QString::fromLatin1(name) << cover;
}

void TestPictures::surroundingsTransparent() {
    QFETCH(QString, name);
    QFETCH(double, minCover);
    const QImage image = imageOf(name);
    const int right = image.width() - 1;
    const int bottom = image.height() - 1;
    for (const QPoint corner :
         {QPoint(0, 0), QPoint(right, 0), QPoint(0, bottom), QPoint(right, bottom), QPoint(1, 1),
          QPoint(right - 1, 1), QPoint(1, bottom - 1), QPoint(right - 1, bottom - 1)}) {
        QCOMPARE(qAlpha(image.pixel(corner)), 0);
    }
    QVERIFY2(centreCover(image) >= minCover, qPrintable(QString::number(centreCover(image))));
}

void TestPictures::mirrorPairs_data() {
    QTest::addColumn<QString>("original");
    QTest::addColumn<QString>("mirror");
    QTest::addRow("preyBow") << QStringLiteral("preyBowLeft") << QStringLiteral("preyBowRight");
    QTest::addRow("preyYellow") << QStringLiteral("preyYellowLeft")
                                << QStringLiteral("preyYellowRight");
    QTest::addRow("predator") << QStringLiteral("predatorRight") << QStringLiteral("predatorLeft");
    QTest::addRow("eating") << QStringLiteral("eatingRight") << QStringLiteral("eatingLeft");
    QTest::addRow("preyPink") << QStringLiteral("preyPinkRight") << QStringLiteral("preyPinkLeft");
}

void TestPictures::mirrorPairs() {
    QFETCH(QString, original);
    QFETCH(QString, mirror);
    const QImage a = imageOf(original);
    const QImage b = imageOf(mirror);
    QCOMPARE(b.size(), a.size());
    QVERIFY(a != b);
    const int w = a.width();
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < w; ++x) {
            if (a.pixel(x, y) != b.pixel(w - 1 - x, y))
                QFAIL(qPrintable(QStringLiteral("differs at %1,%2").arg(x).arg(y)));
        }
    }
}

// The red predator is predatorRight with red and blue swapped, pixel for pixel.
void TestPictures::redPredator() {
    const QImage a = imageOf(QStringLiteral("predatorRight"));
    const QImage red = imageOf(QStringLiteral("predatorRightRed"));
    QCOMPARE(red, a.rgbSwapped());
    QVERIFY(red != a);
}

void TestPictures::facing_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<uint>("headColour"); // a colour only found at the head
    QTest::addColumn<bool>("facesLeft");
    const QRgb bowTie = 0xff1f57e6;
    const QRgb lips = 0xfff0143c;
    const QRgb angryEye = 0xffffe600;
    QTest::addRow("preyBowLeft") << QStringLiteral("preyBowLeft") << bowTie << true;
    QTest::addRow("preyBowRight") << QStringLiteral("preyBowRight") << bowTie << false;
    QTest::addRow("fishOrangeLeft") << QStringLiteral("fishOrangeLeft") << bowTie << true;
    QTest::addRow("preyYellowLeft") << QStringLiteral("preyYellowLeft") << lips << true;
    QTest::addRow("preyYellowRight") << QStringLiteral("preyYellowRight") << lips << false;
    QTest::addRow("preyPinkRight") << QStringLiteral("preyPinkRight") << lips << false;
    QTest::addRow("predatorRight") << QStringLiteral("predatorRight") << angryEye << false;
    QTest::addRow("predatorLeft") << QStringLiteral("predatorLeft") << angryEye << true;
    QTest::addRow("eatingRight") << QStringLiteral("eatingRight") << angryEye << false;
    QTest::addRow("eatingLeft") << QStringLiteral("eatingLeft") << angryEye << true;
}

void TestPictures::facing() {
    QFETCH(QString, name);
    QFETCH(uint, headColour);
    QFETCH(bool, facesLeft);
    const double x = meanXOfColour(imageOf(name), headColour);
    QVERIFY2(x >= 0.0, "head colour not found");
    QCOMPARE(x < 0.5, facesLeft);
}

void TestPictures::buttonColours_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QList<uint>>("required");
    const QList<uint> arrow = {0xff000000};
    const QList<uint> stop = {0xffff0000, 0xffffffff};
    QTest::addRow("startArrow") << QStringLiteral("startArrow") << arrow;
    QTest::addRow("startArrow16") << QStringLiteral("startArrow16") << arrow;
    QTest::addRow("stopSign") << QStringLiteral("stopSign") << stop;
    QTest::addRow("stopSign16") << QStringLiteral("stopSign16") << stop;
}

void TestPictures::buttonColours() {
    QFETCH(QString, name);
    QFETCH(QList<uint>, required);
    const QSet<QRgb> palette = {
        0xff000000, 0xff000080, 0xff008000, 0xff008080, 0xff800000, 0xff800080,
        0xff808000, 0xffc0c0c0, 0xff808080, 0xff0000ff, 0xff00ff00, 0xff00ffff,
        0xffff0000, 0xffff00ff, 0xffffff00, 0xffffffff,
    };
    const QImage image = imageOf(name);
    QSet<QRgb> used;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (qAlpha(pixel) == 0)
                continue;
            QVERIFY2(palette.contains(pixel),
                     qPrintable(QStringLiteral("%1 at %2,%3").arg(pixel, 8, 16).arg(x).arg(y)));
            used.insert(pixel);
        }
    }
    for (uint colour : required)
        QVERIFY(used.contains(colour));
}

void TestPictures::unknownName_data() {
    QTest::addColumn<QString>("name");
    QTest::addRow("empty") << QString();
    QTest::addRow("made up") << QStringLiteral("preyBlueLeft");
    QTest::addRow("wrong case") << QStringLiteral("preyface");
    QTest::addRow("design only") << QStringLiteral("predatorFace");
    QTest::addRow("size without 16") << QStringLiteral("startArrow32");
}

void TestPictures::unknownName() {
    QFETCH(QString, name);
    QVERIFY(PictureStore::instance().picture(name).isNull());
}

void TestPictures::loadedOnce() {
    const PictureStore& store = PictureStore::instance();
    QCOMPARE(&PictureStore::instance(), &store);
    QSet<qint64> keys;
    for (const QString& name : store.names()) {
        const qint64 key = store.picture(name).cacheKey();
        QCOMPARE(store.picture(name).cacheKey(), key);
        keys.insert(key);
    }
    QCOMPARE(keys.size(), store.names().size());
}

QTEST_MAIN(TestPictures)
#include "tst_pictures.moc"
