// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>

class QProcess;
class QTimer;

namespace rb {

class Form1;

// The guide for teachers as HTML, looked up from the folder that holds the program: where the
// program is installed, the program's own data folder (share/raeuber-beute/ beside bin/; on
// Windows the program's folder); where it runs from its build tree, the page built there.
// Empty when neither is there.
QUrl guideUrl(const QString& programDir);

// Where the installed guide belongs, seen from the program's folder (native separators).
QString installedGuide(const QString& programDir);

// What F1 says when it cannot show the guide: where the page lies (found, but no browser
// opened it), or where it belongs (missing: on Windows not beside the program, as when the
// program is started from inside its zip; elsewhere not installed with it).
QString guideWhereabouts(const QUrl& guide, const QString& programDir);

// What F1 does. It hands the guide to the desktop's browser: on Windows through the shell, on
// Linux through xdg-open, whose exit status tells whether a browser took the page. When the
// page is missing or nothing opened it, a message that does not hold up the running
// simulation says where the guide is. A press while a page is being opened (until the window
// loses the front to the browser, or at most kSettleMs) opens no second one; a press while the
// message shows brings it to the front.
class Help : public QObject {
    Q_OBJECT

public:
    static constexpr int kSettleMs = 10000;

    Help(Form1& f, QString programDir);
    ~Help() override;

    void open();
    // True while a page handed to the browser is being opened.
    bool opening() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void tell(const QUrl& guide);

    Form1& m_form;
    QString m_programDir;
    QTimer* m_settle = nullptr;  // runs while a page is being opened
    QPointer<QProcess> m_opener; // xdg-open while it runs
};

// F1 anywhere in the window: Help::open, for the guide seen from the program's folder.
void connectHelp(Form1& f);

} // namespace rb
