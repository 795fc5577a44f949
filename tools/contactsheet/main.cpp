// SPDX-License-Identifier: GPL-3.0-or-later
// contact-sheet: every picture of the program at the size the window shows it, once on the
// aquarium photograph and once on black, with its name; below them the two photographs.
//
//   contact-sheet <out.png>

#include "window/pictures.h"

#include <QElapsedTimer>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTextStream>

#include <vector>

namespace {

enum class Frame { Plain, Button };

struct Item {
    QString name;
    QSize size; // as shown; stretched pictures are scaled to it
    QString label;
    Frame frame = Frame::Plain;
};

// Buttons are yellow and show their picture centred, cut at their edges.
void drawButton(QPainter& p, const QRect& rect, const QPixmap& picture) {
    p.fillRect(rect, QColor(255, 255, 0));
    p.save();
    p.setClipRect(rect.adjusted(2, 2, -2, -2));
    const QSizeF size = picture.deviceIndependentSize();
    p.drawPixmap(QPointF(rect.x() + (rect.width() - size.width()) / 2.0,
                         rect.y() + (rect.height() - size.height()) / 2.0),
                 picture);
    p.restore();
    p.setPen(Qt::white);
    p.drawLine(rect.topLeft(), rect.topRight());
    p.drawLine(rect.topLeft(), rect.bottomLeft());
    p.setPen(QColor(64, 64, 64));
    p.drawLine(rect.bottomLeft(), rect.bottomRight());
    p.drawLine(rect.topRight(), rect.bottomRight());
}

// Lays the items out in rows inside `area` and draws them; returns the height used.
int drawItems(QPainter& p, const QRect& area, const std::vector<Item>& items, const QColor& text) {
    const rb::PictureStore& store = rb::PictureStore::instance();
    const int gap = 14;
    const int labelHeight = 28;
    int x = area.left() + gap;
    int y = area.top() + gap;
    int rowHeight = 0;
    for (const Item& item : items) {
        const int cellWidth = std::max(item.size.width(), 86);
        if (x + cellWidth > area.right() - gap) {
            x = area.left() + gap;
            y += rowHeight + labelHeight + gap;
            rowHeight = 0;
        }
        const QRect target(QPoint(x + (cellWidth - item.size.width()) / 2, y), item.size);
        const QPixmap picture = store.picture(item.name);
        if (item.frame == Frame::Button)
            drawButton(p, target, picture);
        else
            p.drawPixmap(target, picture);
        const QRect label(x - 6, y + item.size.height() + 2, cellWidth + 12, labelHeight);
        p.setPen(QColor(0, 0, 0, 160));
        p.drawText(label.translated(1, 1), Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap,
                   item.label);
        p.setPen(text);
        p.drawText(label, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, item.label);
        x += cellWidth + gap;
        rowHeight = std::max(rowHeight, item.size.height());
    }
    return y + rowHeight + labelHeight + gap - area.top();
}

std::vector<Item> shownPictures() {
    auto plain = [](const char* name, int w, int h) {
        return Item{QString::fromLatin1(name), QSize(w, h),
                    QStringLiteral("%1 %2x%3").arg(QLatin1String(name)).arg(w).arg(h)};
    };
    auto button = [](const char* name, int w, int h) {
        return Item{QString::fromLatin1(name), QSize(w, h),
                    QStringLiteral("button %1").arg(QLatin1String(name)), Frame::Button};
    };
    return {
        plain("preyBowLeft", 62, 64),     plain("preyBowRight", 62, 64),
        plain("preyBowRight", 54, 52),    plain("preyYellowLeft", 58, 64),
        plain("preyYellowLeft", 42, 39),  plain("preyYellowRight", 58, 64),
        plain("preyYellowRight", 30, 28), plain("preyPinkRight", 58, 64),
        plain("fishOrangeLeft", 62, 64),  plain("predatorRight", 100, 98),
        plain("predatorRight", 44, 42),   plain("predatorLeft", 100, 98),
        plain("predatorLeft", 72, 70),    plain("eatingRight", 140, 137),
        plain("eatingLeft", 140, 137),    plain("appIcon", 96, 93),
        plain("preyFace", 63, 61),        plain("clockFace", 123, 121),
        plain("clockFace", 63, 61),       plain("targetCross", 27, 26),
        plain("startArrow16", 16, 16),    plain("stopSign16", 16, 16),
        plain("startArrow", 32, 32),      plain("stopSign", 32, 32),
        button("stopSign", 65, 45),       button("preyFace", 65, 29),
        button("startArrow", 65, 29),
    };
}

} // namespace

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    if (args.size() != 2) {
        QTextStream(stderr) << "usage: contact-sheet <out.png>\n";
        return 2;
    }
    QElapsedTimer clock;
    clock.start();
    const rb::PictureStore& store = rb::PictureStore::instance();
    QTextStream(stdout) << "loading all pictures took " << clock.nsecsElapsed() / 1000 << " us\n";
    const QPixmap aquarium = store.picture(QStringLiteral("reefAquarium"));
    const QPixmap backdrop = store.picture(QStringLiteral("reefBackdrop"));

    // The aquarium shows the top 697 x 365 of its photograph; the panels are as wide.
    const int panelWidth = 697;
    const int margin = 10;
    const std::vector<Item> items = shownPictures();

    // First pass on a scratch image to learn the panel height.
    int panelHeight = 0;
    {
        QImage scratch(panelWidth, 2000, QImage::Format_ARGB32_Premultiplied);
        QPainter p(&scratch);
        panelHeight = drawItems(p, QRect(0, 0, panelWidth, 2000), items, Qt::white);
    }

    const QSize backdropShown(1256 / 2, 678 / 2);
    const int photoRowTop = margin + 24 + panelHeight + margin + 24;
    const QSize sheetSize(margin * 3 + panelWidth * 2,
                          photoRowTop + std::max(543, backdropShown.height()) + margin);
    QImage sheet(sheetSize, QImage::Format_RGB32);
    sheet.fill(QColor(48, 48, 56));
    QPainter p(&sheet);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    QFont font = p.font();
    font.setPixelSize(11);
    p.setFont(font);

    const QRect onPhoto(margin, margin + 24, panelWidth, panelHeight);
    const QRect onBlack(margin * 2 + panelWidth, margin + 24, panelWidth, panelHeight);
    p.setPen(Qt::white);
    p.drawText(onPhoto.left(), margin + 16, QStringLiteral("on the aquarium photograph"));
    p.drawText(onBlack.left(), margin + 16, QStringLiteral("on black (diagrams)"));
    p.save();
    p.setClipRect(onPhoto);
    p.drawTiledPixmap(onPhoto, aquarium);
    p.restore();
    p.fillRect(onBlack, Qt::black);
    drawItems(p, onPhoto, items, Qt::white);
    drawItems(p, onBlack, items, Qt::white);

    p.setPen(Qt::white);
    p.drawText(margin, photoRowTop - 8, QStringLiteral("reefAquarium 700x543 (100%)"));
    p.drawPixmap(margin, photoRowTop, aquarium);
    const int backdropLeft = margin * 2 + 700;
    p.drawText(backdropLeft, photoRowTop - 8,
               QStringLiteral("reefBackdrop, the window's 1256x678 at 50%"));
    p.drawPixmap(QRect(QPoint(backdropLeft, photoRowTop), backdropShown), backdrop,
                 QRect(0, 0, 1256, 678));
    p.end();

    if (!sheet.save(args.at(1))) {
        QTextStream(stderr) << "contact-sheet: cannot write " << args.at(1) << "\n";
        return 1;
    }
    return 0;
}
