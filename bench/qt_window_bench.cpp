// Times the native Qt window from Enter to the last line in its list, with the
// memory the list takes a line: the bounds 1 and 10^6 (2,269,788 lines), and
// 1 and 2147483647, which stops at the list's ceiling of 10,000,000 lines.
// Then how soon the window answers during a long search, and how soon Escape
// stops it. Runs on Qt's offscreen platform unless another one is asked for.
#include <malloc.h>
#include <unistd.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <memory>

#include "runtime/qt/form_registry.h"
#include "runtime/qt/form_window.h"
#include "runtime/qt/line_list.h"
#include "window/feuille1.h"
#include "window/feuille1_layout.h"

namespace {

// The heap in use: the allocator's arenas and its memory-mapped blocks, the
// pages never touched included.
double heapBytes() {
  const struct mallinfo2 info = mallinfo2();
  return static_cast<double>(info.uordblks + info.hblkhd);
}

// The memory the process has in RAM.
double residentBytes() {
  std::ifstream statm("/proc/self/statm");
  double pages = 0;
  double resident = 0;
  statm >> pages >> resident;
  return resident * static_cast<double>(sysconf(_SC_PAGESIZE));
}

void measure(runtime::qt::FormWindow& form, const char* lower, const char* upper) {
  auto& upperField = dynamic_cast<QLineEdit&>(form.widget(feuille1::Texte1_1));
  auto& list = dynamic_cast<runtime::qt::LineList&>(form.widget(feuille1::Liste1));
  dynamic_cast<QLineEdit&>(form.widget(feuille1::Texte1_0)).setText(lower);
  upperField.setText(upper);
  for (int run = 1; run <= 3; ++run) {
    QCoreApplication::processEvents();
    const double heapBefore = heapBytes();
    const double residentBefore = residentBytes();
    const auto start = std::chrono::steady_clock::now();
    QTest::keyClick(&upperField, Qt::Key_Return);
    QCoreApplication::processEvents();  // the view paints its last state
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    const int lines = list.count();
    std::printf(
        "bounds %s and %s, run %d: %d lines in %.3f s; a line takes %.1f bytes of heap, %.1f in RAM%s\n",
        lower, upper, run, lines, elapsed.count(), (heapBytes() - heapBefore) / lines,
        (residentBytes() - residentBefore) / lines, run == 1 ? "" : " (replacing the previous list)");
  }
}

// Ctrl+G in the list, then the time until the picture window has shown the
// picture of its lines; the picture window is closed again.
void measurePicture(runtime::qt::FormWindow& form) {
  auto& list = dynamic_cast<runtime::qt::LineList&>(form.widget(feuille1::Liste1));
  const auto start = std::chrono::steady_clock::now();
  QTest::keyClick(&list, Qt::Key_G, Qt::ControlModifier);
  QCoreApplication::processEvents();  // the picture window paints
  const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
  std::printf("Ctrl+G after %d lines: the picture window shown in %.3f s\n", list.count(), elapsed.count());
  for (QWidget* window : QApplication::topLevelWidgets()) {
    if (window != &form && window->isVisible()) window->close();
  }
  QCoreApplication::processEvents();
}

// Runs a search of 10^9 to 2147483647 for a second with a timer that asks
// for the window every 10 ms, then presses Escape. The gaps are counted once
// the caption shows the progress: the search keeps the window quiet for its
// first moments on purpose.
void measureAnswers(runtime::qt::FormWindow& form) {
  using Clock = std::chrono::steady_clock;
  auto& upperField = dynamic_cast<QLineEdit&>(form.widget(feuille1::Texte1_1));
  dynamic_cast<QLineEdit&>(form.widget(feuille1::Texte1_0)).setText("1000000000");
  upperField.setText("2147483647");
  const auto start = Clock::now();
  Clock::time_point last;
  std::chrono::duration<double, std::milli> longest{0};
  std::chrono::duration<double, std::milli> total{0};
  int answers = 0;
  Clock::time_point escape;
  QTimer probe;
  QObject::connect(&probe, &QTimer::timeout, [&] {
    const auto now = Clock::now();
    if (!form.windowTitle().contains(QLatin1Char('%'))) {
      last = now;
      return;
    }
    longest = std::max(longest, std::chrono::duration<double, std::milli>(now - last));
    total += now - last;
    ++answers;
    last = now;
    if (now - start >= std::chrono::seconds(1) && escape == Clock::time_point{}) {
      escape = Clock::now();
      QTest::keyClick(&upperField, Qt::Key_Escape);
    }
  });
  probe.start(10);
  QTest::keyClick(&upperField, Qt::Key_Return);
  std::printf(
      "during the search of 1000000000 and 2147483647: %d timer events answered every %.1f ms on "
      "average, %.1f ms at most; ",
      answers, total.count() / answers, longest.count());
  if (escape == Clock::time_point{}) {
    std::printf("it ended before Escape\n");
  } else {
    const std::chrono::duration<double, std::milli> stopped = Clock::now() - escape;
    std::printf("Escape stopped it %.1f ms after reaching the window\n", stopped.count());
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  const QApplication application(argc, argv);
  runtime::qt::FormRegistry forms;
  runtime::qt::FormWindow& form = forms.open(
      feuille1::layout(), [](runtime::Form& window) { return std::make_unique<Feuille1>(window); });
  measure(form, "1", "1000000");
  measurePicture(form);
  measure(form, "1", "2147483647");
  measurePicture(form);
  measureAnswers(form);
}
