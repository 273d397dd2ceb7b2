// Helpers of the desktop program's tests: circuits built in code and a
// capture of the message boxes a command shows.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>

#include "app/Unit1.h"
#include "app/message_box.h"
#include "model/circuit.h"

namespace vorlisk::test {

// The main window shown at 900 x 650 without the splash, once its start-up
// (the circuit reset) is done; null when it did not finish starting.
std::unique_ptr<TForm1> start_main_window();

// The base of the tests that drive the main window: each test function
// gets it started afresh and closed after it, without a save question and
// back at 100 % (the zoom is remembered between sessions).
class WindowTest : public QObject {
    Q_OBJECT

protected:
    std::unique_ptr<TForm1> w;
    Circuit& c() { return w->circuit(); }

protected slots:
    void initTestCase();
    void init();
    void cleanup();
};

// Drops the offscreen platform's notices of what it cannot do (size
// limits, opacity), which every shown dialog would otherwise print.
void quiet_offscreen_notices();

// Places a component and returns its index (fails the test when full).
int place(Circuit& c, const char* kind, int x, int y);

// Collects every message shown while it lives, and answers the save
// question with `answer`.
class MessageCapture {
public:
    explicit MessageCapture(SaveAnswer answer = SaveAnswer::cancel);
    ~MessageCapture();
    QStringList messages;
    int save_questions = 0;
    SaveAnswer answer;
};

}  // namespace vorlisk::test
