// SPDX-License-Identifier: GPL-3.0-or-later
#include "control/startup.h"

#include "aquarium/animation.h"
#include "aquarium/aquarium.h"
#include "charts/chartdescriptions.h"
#include "charts/phasediagram.h"
#include "charts/timeseries.h"
#include "control/help.h"
#include "control/pace.h"
#include "control/parameters.h"
#include "control/spokenstate.h"
#include "model/generationtick.h"
#include "window/form1.h"

#include <QAction>

namespace rb {

void connectHandlers(Form1& f) {
    QObject::connect(f.cmdEnde, &QAction::triggered, &f, [&f] { cmdEnde_Click(f); });
    QObject::connect(f.Timer1, &Timer::timer, &f, [&f] { GenerationTick(f); });
    connectParameters(f);
    connectPace(f);
    connectAquarium(f);
    connectAnimation(f);
    connectTimeSeries(f);
    connectPhaseDiagram(f);
    connectHelp(f);
    connectChartDescriptions(f);
    connectSpokenState(f);
}

void Form1_Load(Form1& f) {
    f.Image4->setPicture(f.bildfisch[4]->picture());
    // The coordinate systems come before anything is placed or drawn in their areas.
    f.picAqua->setScale(0, 0, 800, 800);
    f.picDiagramm->setScale(0, 100, 800, 0);
    f.picphase->setScale(0, 32, 24, 8);
    ResetAquarium(f);
    f.stopped = true;
    f.imgfress[0]->setVisible(false);
    f.imgfress[1]->setVisible(false);
    assignStartPictures(f);
    DrawPhaseGrid(f);
    DrawDiagramGrid(f);
}

void cmdEnde_Click(Form1& f) {
    f.endProgram();
}

} // namespace rb
