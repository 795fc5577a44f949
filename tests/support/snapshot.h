// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Everything a generation tick or an input could change in the window, taken at one moment.

#include "window/form1.h"

#include <QImage>
#include <QList>
#include <QPointF>
#include <QString>
#include <QTest>

#include <vector>

namespace rbtest {

struct Snapshot {
    QString text2, fish1, fish2, stockText1, stockText2;
    long long generation = 0;
    double stock1 = 0, stock2 = 0;
    int hs1 = 0, hs2 = 0, hs4 = 0;
    float diagramLeft = 0;
    QPointF marker;
    QImage diagram, phase;
    std::vector<qint64> predatorPictures;
    std::vector<rb::LightControl*> aquariumOrder;
    std::vector<bool> visible;
    QList<QPointF> fishPlaces;

    static Snapshot of(const rb::Form1& f) {
        Snapshot s;
        s.text2 = f.Text2->text();
        s.fish1 = f.txtFisch1->text();
        s.fish2 = f.txtFisch2->text();
        s.stockText1 = f.txtFisch1Bestand->text();
        s.stockText2 = f.txtFisch2Bestand->text();
        s.generation = f.generation;
        s.stock1 = f.stock1;
        s.stock2 = f.stock2;
        s.hs1 = f.HScroll1->value();
        s.hs2 = f.HScroll2->value();
        s.hs4 = f.HScroll4->value();
        s.diagramLeft = f.picDiagramm->left();
        s.marker = QPointF(f.imgtarget->left(), f.imgtarget->top());
        s.diagram = f.picDiagramm->canvas().copy();
        s.phase = f.picphase->canvas().copy();
        for (const rb::Image* fish : f.imgFisch2) {
            s.predatorPictures.push_back(fish->picture().cacheKey());
        }
        s.aquariumOrder = f.picAqua->lightControls();
        for (const rb::Image* fish : f.imgFisch1) {
            s.visible.push_back(fish->isVisible());
            s.fishPlaces << QPointF(fish->left(), fish->top());
        }
        for (const rb::Image* fish : f.imgFisch2) {
            s.visible.push_back(fish->isVisible());
            s.fishPlaces << QPointF(fish->left(), fish->top());
        }
        return s;
    }
};

} // namespace rbtest
