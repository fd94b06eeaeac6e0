#pragma once

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTimer>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "runtime/qt/form_registry.h"
#include "runtime/qt/form_window.h"
#include "runtime/qt/line_list.h"
#include "window/feuille1_layout.h"

using feuille1::Dessin1;
using feuille1::Etiquette1_0;
using feuille1::Etiquette1_1;
using feuille1::Label1;
using feuille1::Liste1;
using feuille1::Texte1_0;
using feuille1::Texte1_1;
using Lines = std::vector<std::string>;

// Feuille1 in the real Qt window, driven with Qt's own test events.
class QtWindowTest : public testing::Test {
 protected:
  QtWindowTest();

  [[nodiscard]] QLineEdit& field(runtime::ControlId id) const;
  [[nodiscard]] runtime::qt::LineList& list() const;
  [[nodiscard]] Lines lines() const;

  // Empties the field and types text into it, key by key.
  void type(runtime::ControlId id, const QString& text);
  // Types both bounds, then Return in the upper field; returns when the search has.
  void search(const QString& lower, const QString& upper);
  // Runs during the next search, each time it lets the window handle its
  // events, until check returns true.
  void duringSearch(std::function<bool()> check);
  [[nodiscard]] bool showsProgress() const;
  // Runs the event loop until it ends by itself with status 0, or fails the
  // test after limit.
  static void expectEventLoopEnds(std::chrono::seconds limit);

  // The desktop's answer to whether it asks for high contrast.
  bool highContrast = false;
  runtime::qt::FormRegistry forms{[this] { return highContrast; }};
  runtime::qt::FormWindow& form;

 private:
  QTimer probe_;
};
