// SPDX-License-Identifier: GPL-3.0-or-later
// The committed fuzz corpus replayed through the checks of the fuzz targets: one row per
// input file, named after its target and file. The window for the generation inputs is loaded
// afresh for each row, so that a row's result does not depend on the rows before it.

#include "checks.h"
#include "support/formfixture.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <memory>

class TestFuzzCorpus : public QObject {
    Q_OBJECT

private slots:
    void replay_data();
    void replay();
};

void TestFuzzCorpus::replay_data() {
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("path");

    int rows = 0;
    for (const char* target : {"leadingnumber", "generation"}) {
        const QDir dir(QStringLiteral(RB_FUZZ_CORPUS "/") + QLatin1String(target));
        const QStringList files = dir.entryList(QDir::Files, QDir::Name);
        for (const QString& file : files) {
            QTest::addRow("%s/%s", target, qPrintable(file))
                << QString::fromLatin1(target) << dir.filePath(file);
            ++rows;
        }
    }
    QVERIFY2(rows >= 20, "the fuzz corpus is missing");
}

void TestFuzzCorpus::replay() {
    QFETCH(QString, target);
    QFETCH(QString, path);
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray input = file.readAll();
    const auto* data = reinterpret_cast<const std::uint8_t*>(input.constData());
    const auto size = static_cast<std::size_t>(input.size());

    std::string fault;
    if (target == QLatin1String("leadingnumber")) {
        fault = rbfuzz::checkLeadingNumber(data, size);
    } else {
        const auto loaded = rbtest::loadForm(3);
        (*loaded)->Timer1->setEnabled(false);
        fault = rbfuzz::checkGeneration(**loaded, data, size);
    }
    QVERIFY2(fault.empty(), fault.c_str());
}

QTEST_MAIN(TestFuzzCorpus)
#include "tst_fuzzcorpus.moc"
